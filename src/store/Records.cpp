#include "Records.h"

#include "../core/Paper.h"
#include "DatabaseError.h"
#include "Session.h"
#include "Statements.h"

#include <QDateTime>

namespace {

// The score and the exam's answers land together.
void saveRecord(Bank& bank, const ExamRecord& record) {
    bank.transaction([&] {
        bank.execute(Sql::insertRecord(record));
        for (const AnsweredQuestion& answer : record.answers)
            RecordAnswer(bank, answer);
    });
}

} // namespace

QString SaveExamRecord(Session& s, int score, const QDateTime& earned) {
    ExamRecord record;
    record.score = score;
    record.earned = earned;
    record.carType = s.CarTypeCode;
    record.seconds = qMax(0, s.ExamLength - s.ExamSeconds);
    record.chapterRights = ChapterRights(QuotasOf(s.CarTypeCode), s.set);
    record.answers = FinalAnswers(s, record.earned);
    // Waiting scores go first, so the list keeps the order they were earned in.
    if (SaveWaitingRecords(s)) {
        try {
            saveRecord(s.Conn, record);
            return {};
        } catch (const DatabaseError& e) {
            s.waitingRecords.append(record);
            return e.description();
        }
    }
    s.waitingRecords.append(record);
    return QStringLiteral("题库暂时无法写入。");
}

bool SaveWaitingRecords(Session& s) {
    while (!s.waitingRecords.isEmpty()) {
        try {
            saveRecord(s.Conn, s.waitingRecords.first());
        } catch (const DatabaseError&) {
            return false;
        }
        s.waitingRecords.removeFirst();
    }
    return true;
}
