#pragma once

// Limits shared by the program and the bank tool.

// The most characters one text of a question (wording, option, explanation) may hold. The
// import refuses more; the window shows no more, so a hand-made bank cannot freeze it.
constexpr int MaxCellChars = 2000;

// The countdown holds at most 32767 seconds.
constexpr int MinExamMinutes = 1;
constexpr int MaxExamMinutes = 546;
// A paper has 100 questions, one point each.
constexpr int MinPassScore = 1;
constexpr int MaxPassScore = 100;
