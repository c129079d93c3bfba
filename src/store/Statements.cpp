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
Statement classChapterCounts(const QString& code) {
    return {"select Chap, strType, count(0) as n from paper where " + InClass +
                " group by Chap, strType order by Chap asc",
            {code}};
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
Statement insertRecord(const ExamRecord& r) {
    return {QStringLiteral("insert into Record(score, RecordTime, CarType, Seconds, ChapterRights, "
                           "Hall) values(?, ?, ?, ?, ?, ?)"),
            {r.score, r.earned.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), r.carType,
             r.seconds, r.chapterRights, r.hall ? 1 : 0}};
}
Statement insertHistory(qint64 id, const QString& carType, const QString& mode,
                        const QString& answer, bool right, int seconds, int cue,
                        const QDateTime& at) {
    return {QStringLiteral("insert into History(QuestionID, CarType, Mode, Answer, Right, Seconds, "
                           "Cue, AnsweredAt) values(?, ?, ?, ?, ?, ?, ?, ?)"),
            {id, carType, mode, answer, right ? 1 : 0, seconds, cue,
             at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))}};
}
Statement wrongSince(qint64 id, const QString& day) {
    return {QStringLiteral("select count(*) as QuestionSum from History where QuestionID=? and "
                           "Right=0 and AnsweredAt>=?"),
            {id, day}};
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

Statement classKinds(const QString& code) {
    return {"select ID, chap, Type from Paper where " + InClass, {code}};
}
Statement answersForModel(bool withCue) {
    return {QStringLiteral("select QuestionID, Right, %1, Mode in ('random', 'exam'), "
                           "julianday(AnsweredAt) from History order by ID")
                .arg(withCue ? QStringLiteral("Cue") : QStringLiteral("null")),
            {}};
}

// At most this many: a drill the learner can finish in one sitting.
static const QString OftenWrong =
    "select a.QuestionID as ID, a.Answered, a.Wrong, p.Question from (select QuestionID, "
    "count(0) as Answered, sum(Right = 0) as Wrong from History group by QuestionID having "
    "count(0) >= 2 and sum(Right = 0) > 0) a join Paper p on p.ID = a.QuestionID where p." +
    InClass + " order by a.Wrong * 1.0 / a.Answered desc, a.Wrong desc, a.QuestionID limit 30";

Statement oftenWrong(const QString& code) {
    return {OftenWrong, {code}};
}
Statement oftenWrongCount(const QString& code) {
    return {"select count(0) as QuestionSum from (" + OftenWrong + ")", {code}};
}
Statement oftenWrongIds(const QString& code) {
    return {"select ID from (" + OftenWrong + ")", {code}};
}
Statement scoreTrend(const QString& code, const QString& now) {
    return {QStringLiteral("select max(0, min(score, 100)), RecordTime, coalesce(julianday(?) - "
                           "julianday(RecordTime), 1e6), coalesce(Hall, 0) from Record where "
                           "CarType = ? or CarType "
                           "is null order by RecordTime, ID"),
            {now, code}};
}

} // namespace Sql
