#include "Module1.h"

#include "Bank.h"
#include "DatabaseError.h"
#include "Numbers.h"
#include "Statements.h"

#include <limits>

QString BankFile(const QString& programFolder) {
    return programFolder + QStringLiteral("/images/mark/question.dll");
}

void OpenQuestionBank(Bank& conn, const QString& programFolder) {
    conn.open(BankFile(programFolder));
}

// Exam time and pass mark are checked against their real limits where they are used, so
// here only a value no whole number can hold is refused.
int GetExamTime(Bank& conn) {
    return static_cast<int>(
        wholePartOf(SettingValue(conn, Sql::examTime(), QStringLiteral("ExamTime"), Key::ExamTime),
                    Key::ExamTime, std::numeric_limits<int>::max()));
}

int GetPassScore(Bank& conn) {
    return static_cast<int>(wholePartOf(
        SettingValue(conn, Sql::passScore(), QStringLiteral("PassScore"), Key::PassScore),
        Key::PassScore, std::numeric_limits<int>::max()));
}

int GetQuestionSum(Bank& conn, const Statement& sql) {
    return static_cast<int>(wholePartOf(conn.firstValue(sql, QStringLiteral("QuestionSum")),
                                        QStringLiteral("题目数量"),
                                        std::numeric_limits<int>::max()));
}

// A missing settings row names its key, so the learner knows what the bank lacks.
QVariant SettingValue(Bank& conn, const Statement& sql, const QString& column, const QString& key) {
    try {
        return conn.firstValue(sql, column);
    } catch (const DatabaseError& e) {
        if (e.number() != DatabaseError::NoCurrentRecord) throw;
        throw DatabaseError(e.number(),
                            QStringLiteral("没有当前记录：题库中缺少设置项“%1”。").arg(key));
    }
}

QString ReadSetting(Bank& conn, const QString& key) {
    try {
        return SettingValue(conn, Sql::readSetting(key), QStringLiteral("ParamValue"), key)
            .toString();
    } catch (const DatabaseError& e) {
        // A read-only bank from an older build never gained the rows of newer features.
        if (e.number() != DatabaseError::NoCurrentRecord || !NewerSettingKeys().contains(key))
            throw;
        return ShippedSetting(key);
    }
}

void WriteSetting(Bank& conn, const QString& key, const QString& value) {
    conn.execute(Sql::writeSetting(key, value));
}

void WriteSwitch(Bank& conn, const QString& key, int value) {
    conn.execute(Sql::writeSetting(key, QString::number(value)));
}
