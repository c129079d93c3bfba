#include "Records.h"

#include "DatabaseError.h"
#include "Session.h"
#include "Statements.h"

#include <QDateTime>

QString SaveExamRecord(Session& s, int score) {
    // Waiting scores go first, so the list keeps the order they were earned in.
    if (SaveWaitingRecords(s)) {
        try {
            s.Conn.execute(Sql::insertRecord(score));
            return {};
        } catch (const DatabaseError& e) {
            s.waitingRecords.append({score, QDateTime::currentDateTime()});
            return e.description();
        }
    }
    s.waitingRecords.append({score, QDateTime::currentDateTime()});
    return QStringLiteral("题库暂时无法写入。");
}

bool SaveWaitingRecords(Session& s) {
    while (!s.waitingRecords.isEmpty()) {
        const auto& record = s.waitingRecords.first();
        try {
            s.Conn.execute(Sql::insertRecordAt(
                record.score, record.earned.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
        } catch (const DatabaseError&) {
            return false;
        }
        s.waitingRecords.removeFirst();
    }
    return true;
}
