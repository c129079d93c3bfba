#pragma once

#include "Layer.h"

#include "../domain/ExamHall.h"
#include "Practice.h"

#include <QString>
#include <vector>

class Bank;
struct PracticeSession;

// The exam-hall choices kept in the bank's settings. Only a change is written, and never to
// a read-only bank.
struct HallChoices {
    bool hall = false; // 考场模式 chosen in 考试说明
    HallRules rules;
    QString name; // the candidate, as the hall's header shows them
    QString idNumber;
    bool operator==(const HallChoices&) const = default;
};
HallChoices ReadHallChoices(Bank& bank);
void WriteHallChoices(Bank& bank, const HallChoices& choices);

// Every question of the session's paper, in paper order (one read each, before the clock
// starts, so moving about the paper never waits on the bank). A question the bank cannot
// give shows empty.
std::vector<QuestionData> ReadPaper(PracticeSession& session);
