#include "Statements.h"

namespace Sql {

QString quoted(const QString& value) {
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return doubled;
}

// A class code matches anywhere in LicenseType, as the spliced "like '%C%'" did.
static const QString InClass = QStringLiteral("LicenseType like '%' || ? || '%'");
QString inClass() {
    return InClass;
}

Statement classCount(const QString& code) {
    return {"select count(0) as QuestionSum from Paper where " + InClass, {code}};
}
Statement classIds(const QString& code) {
    return {"select id from Paper where " + InClass, {code}};
}
Statement chapterCount(const QString& code, const QString& chapter) {
    return {"select count(0) as QuestionSum from Paper where " + InClass + " and chap=?",
            {code, chapter}};
}
Statement chapterIds(const QString& code, const QString& chapter) {
    return {"select id from Paper where " + InClass + " and chap=?", {code, chapter}};
}
Statement chapterPracticeIds(const QString& code, const QString& chapter) {
    return chapterIds(code, chapter);
}
Statement classChapters(const QString& code) {
    return {"select distinct strType,Chap from paper where " + InClass + " order by Chap asc",
            {code}};
}
Statement chapterListCount(const QString& code, const QString& chapter) {
    return {"select count(0) as partQuestionsum from paper where " + InClass + " and chap=?",
            {code, chapter}};
}
Statement wrongCount(const QString& code) {
    return {"select count(0) as QuestionSum from Paper where " + InClass + " and ErrPaper=true",
            {code}};
}
Statement wrongIds(const QString& code) {
    return {"select id from Paper where " + InClass + " and ErrPaper=true", {code}};
}
Statement question(qint64 id) {
    return {QStringLiteral("select * from Paper where id=?"), {id}};
}
Statement typeAndAnswer(qint64 id) {
    return {QStringLiteral("select Type,AnswerTrue from Paper where id=?"), {id}};
}
Statement wrongMark(qint64 id) {
    return {QStringLiteral("select ErrPaper from Paper where ID=?"), {id}};
}
Statement setWrongMark(qint64 id) {
    return {QStringLiteral("update Paper set ErrPaper=true where ID=?"), {id}};
}
Statement clearWrongMark(qint64 id) {
    return {QStringLiteral("update Paper set ErrPaper=False where ID=?"), {id}};
}
Statement clearAllWrongMarks() {
    return {QStringLiteral("update paper set ErrPaper=false where ErrPaper=true"), {}};
}
Statement readSetting(const QString& key) {
    return {QStringLiteral("select ParamValue from Param where ParamID=?"), {key}};
}
Statement examTime() {
    return {QStringLiteral("select ParamValue as ExamTime from Param where ParamID=?"),
            {Key::ExamTime}};
}
Statement passScore() {
    return {QStringLiteral("select ParamValue as PassScore from Param where ParamID=?"),
            {Key::PassScore}};
}
Statement writeSetting(const QString& key, const QString& value) {
    return {QStringLiteral("update Param set ParamValue=? where ParamID=?"), {value, key}};
}
Statement insertRecord(int score) {
    return {QStringLiteral("insert into Record(score) values(?)"), {score}};
}
Statement insertRecordAt(int score, const QString& time) {
    return {QStringLiteral("insert into Record(score, RecordTime) values(?, ?)"), {score, time}};
}
Statement insertHistory(qint64 id, const QString& carType, const QString& mode,
                        const QString& answer, bool right, int seconds) {
    return {QStringLiteral("insert into History(QuestionID, CarType, Mode, Answer, Right, Seconds) "
                           "values(?, ?, ?, ?, ?, ?)"),
            {id, carType, mode, answer, right ? 1 : 0, seconds}};
}
Statement questionHistory(qint64 id) {
    return {QStringLiteral("select count(*), coalesce(sum(Right=0), 0) from History where "
                           "QuestionID=?"),
            {id}};
}
Statement tenBestRecords() {
    return {QStringLiteral("select top 10 * from Record order by score desc,id"), {}};
}
Statement deleteRecord(qint64 id) {
    return {QStringLiteral("delete from Record where ID=?"), {id}};
}
Statement deleteAllRecords() {
    return {QStringLiteral("delete from Record"), {}};
}

} // namespace Sql
