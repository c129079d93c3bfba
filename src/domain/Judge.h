#pragma once

#include <QString>

// Question kinds as the bank stores them.
enum class Kind { Choice, TrueFalse, Unknown };
Kind KindOf(const QString& type); // "1" choice, "2" true/false

// The answer code of an answer text: 1–4 for A–D, 1/2 for 对/错; 0 when it does not fit the kind.
int AnswerCode(Kind kind, const QString& answer);
// The text the learner reads for a code ("A", "对"); the code itself when it does not fit.
QString AnswerText(Kind kind, const QString& code);

// Whether `given` (an answer text) is the right answer `rightCode` (the bank's AnswerTrue).
bool IsRight(Kind kind, const QString& rightCode, const QString& given);

// "正确率" caption: whole percent, ties to the even digit, then ".00%".
QString RateCaption(int right, int answered);
