#include "ExamHall.h"

#include "../domain/Domain.h"
#include "../store/Bank.h"
#include "../store/Module1.h"
#include "PracticeSession.h"

namespace {

// An unknown stored value reads as the first choice.
template <class E> E choiceOf(Bank& bank, const QString& key, int count) {
    const int v = ReadSetting(bank, key).toInt();
    return static_cast<E>(v >= 0 && v < count ? v : 0);
}

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

HallChoices ReadHallChoices(Bank& bank) {
    HallChoices c;
    c.hall = ReadSetting(bank, Key::ExamHall) == QLatin1String("1");
    c.rules.movesOn = ReadSetting(bank, Key::HallMovesOn) != QLatin1String("0");
    c.rules.changeable = ReadSetting(bank, Key::HallChangeable) != QLatin1String("0");
    c.rules.order = choiceOf<HallRules::Order>(bank, Key::HallOrder, 3);
    c.rules.tooManyWrong = choiceOf<HallRules::TooManyWrong>(bank, Key::HallTooManyWrong, 3);
    c.name = ReadSetting(bank, Key::CandidateName);
    c.idNumber = ReadSetting(bank, Key::CandidateId);
    return c;
}

void WriteHallChoices(Bank& bank, const HallChoices& c) {
    if (bank.readOnly() || ReadHallChoices(bank) == c) return;
    bank.transaction([&] {
        for (const auto& [key, value] :
             {std::pair{Key::ExamHall, flag(c.hall)},
              std::pair{Key::HallMovesOn, flag(c.rules.movesOn)},
              std::pair{Key::HallChangeable, flag(c.rules.changeable)},
              std::pair{Key::HallOrder, QString::number(static_cast<int>(c.rules.order))},
              std::pair{Key::HallTooManyWrong,
                        QString::number(static_cast<int>(c.rules.tooManyWrong))},
              std::pair{Key::CandidateName, c.name}, std::pair{Key::CandidateId, c.idNumber}})
            WriteSetting(bank, key, value);
    });
}

std::vector<QuestionData> ReadPaper(PracticeSession& session) {
    std::vector<QuestionData> paper;
    for (const QString& id : session.set.ids())
        paper.push_back(ReadQuestion(session, id).value_or(QuestionData{}));
    return paper;
}
