#include "Statements.h"

namespace Sql {

QString quoted(const QString& value) {
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return doubled;
}

static QString id(qint64 value) {
    return QString::number(value);
}

QString classCount(const QString& code) {
    return "select count(0) as QuestionSum from Paper where LicenseType like'%" + quoted(code) +
           "%'";
}

QString classIds(const QString& code) {
    return "select id from Paper where LicenseType like'%" + quoted(code) + "%'";
}

QString chapterCount(const QString& code, const QString& chapter) {
    return "select count(0) as QuestionSum from Paper where LicenseType like'%" + quoted(code) +
           "%' and chap='" + quoted(chapter) + "'";
}

QString chapterIds(const QString& code, const QString& chapter) {
    return "select id from Paper where LicenseType like'%" + quoted(code) + "%' and chap='" +
           quoted(chapter) + "'";
}

QString chapterPracticeIds(const QString& code, const QString& chapter) {
    return "select id from Paper where LicenseType like'%" + quoted(code) + "%'and chap='" +
           quoted(chapter) + "'";
}

QString classChapters(const QString& code) {
    return "select distinct strType,Chap from paper where LicenseType like'%" + quoted(code) +
           "%' order by Chap asc";
}

QString chapterListCount(const QString& code, const QString& chapter) {
    return "select count(0) as partQuestionsum from paper where LicenseType like'%" + quoted(code) +
           "%' and chap='" + quoted(chapter) + "'";
}

QString wrongCount(const QString& code) {
    return "select count(0) as QuestionSum from Paper where LicenseType like'%" + quoted(code) +
           "%' and ErrPaper=true";
}

QString wrongIds(const QString& code) {
    return "select id from Paper where LicenseType like'%" + quoted(code) + "%' and ErrPaper=true";
}

QString questionType(qint64 value) {
    return "select Type from Paper where id=" + id(value);
}
QString question(qint64 value) {
    return "select * from Paper where id=" + id(value);
}
QString typeAndAnswer(qint64 value) {
    return "select Type,AnswerTrue from Paper where id=" + id(value);
}
QString typeAndAnswerToShow(qint64 value) {
    return "select Type,AnswerTrue  from Paper where id=" + id(value);
}
QString wrongMark(qint64 value) {
    return "select ErrPaper from Paper where ID=" + id(value);
}
QString setWrongMark(qint64 value) {
    return "update Paper set ErrPaper=true where ID=" + id(value);
}
QString clearWrongMark(qint64 value) {
    return "update Paper set ErrPaper=False where ID=" + id(value);
}
QString clearAllWrongMarks() {
    return QStringLiteral("update paper set ErrPaper=false where ErrPaper=true");
}

QString readSetting(const QString& key) {
    return "select ParamValue from Param where ParamID='" + quoted(key) + "'";
}
QString examTime() {
    return QStringLiteral("select ParamValue as ExamTime from Param where ParamID='考试时间'");
}
QString passScore() {
    return QStringLiteral("select ParamValue as PassScore from Param where ParamID='合格分数'");
}
QString writeSetting(const QString& key, const QString& value) {
    return "update Param set ParamValue='" + quoted(value) + "' where ParamID='" + quoted(key) +
           "'";
}
QString writeSwitch(const QString& key, const QString& value) {
    return "update Param set ParamValue= '" + quoted(value) + "' where ParamID='" + quoted(key) +
           "'";
}
QString insertRecord(int score) {
    return "insert into Record(score) values(" + QString::number(score) + ")";
}
QString insertRecordAt(int score, const QString& time) {
    return "insert into Record(score, RecordTime) values(" + QString::number(score) + ", '" +
           quoted(time) + "')";
}
QString tenBestRecords() {
    return QStringLiteral("select top 10 * from Record order by score desc,id");
}
QString deleteRecord(qint64 value) {
    return "delete from Record where ID= " + id(value);
}
QString deleteAllRecords() {
    return QStringLiteral("delete from Record");
}

} // namespace Sql
