#include "Module1.h"

#include "Bank.h"
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
    return static_cast<int>(wholePartOf(conn.firstValue(Sql::examTime(), QStringLiteral("ExamTime")),
                                        Key::ExamTime, std::numeric_limits<int>::max()));
}

int GetPassScore(Bank& conn) {
    return static_cast<int>(
        wholePartOf(conn.firstValue(Sql::passScore(), QStringLiteral("PassScore")), Key::PassScore,
                    std::numeric_limits<int>::max()));
}

int GetQuestionSum(Bank& conn, const QString& sql) {
    return static_cast<int>(wholePartOf(conn.firstValue(sql, QStringLiteral("QuestionSum")),
                                        QStringLiteral("题目数量"), std::numeric_limits<int>::max()));
}

QString ReadSetting(Bank& conn, const QString& key) {
    return conn.firstValue(Sql::readSetting(key), QStringLiteral("ParamValue")).toString();
}

void WriteSetting(Bank& conn, const QString& key, const QString& value) {
    conn.execute(Sql::writeSetting(key, value));
}

void WriteSwitch(Bank& conn, const QString& key, int value) {
    conn.execute(Sql::writeSwitch(key, QString::number(value)));
}
