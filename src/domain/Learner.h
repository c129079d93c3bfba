#pragma once

// What the learner had in front of them when an answer was given. The history keeps it with
// each answer (column Cue), so the estimate of what the learner knows can tell a real try
// from an answer copied off the screen or remembered from a few minutes ago.
enum class AnswerCue {
    FirstTry = 0,    // nothing showed the answer
    AnswerShown = 1, // 显示答案, 背题模式, or the explanation left from an earlier answer
    AfterWrongToday = 2, // the same question was answered wrong earlier the same day
};
// The one rule: a shown answer outweighs an earlier wrong one.
inline AnswerCue CueOf(bool answerShown, bool wrongEarlierToday) {
    return answerShown         ? AnswerCue::AnswerShown
           : wrongEarlierToday ? AnswerCue::AfterWrongToday
                               : AnswerCue::FirstTry;
}
