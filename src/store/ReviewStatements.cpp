#include "ReviewStatements.h"

#include "Statements.h"

namespace Sql {

namespace {
// A topic matches one whole tag of the ", "-separated column.
const QString HasTopic = QStringLiteral(
    "instr(',' || replace(coalesce(Tags, ''), ' ', '') || ',', ',' || ? || ',') > 0");
// The learner's few rows lead, each finding its question by key, so a count stays quick in a
// bank of any size (a plain join would read every question of the class).
QString bare(const QString& topic) {
    return QString(topic).remove(QLatin1Char(' '));
}
} // namespace

Statement scheduleOf(qint64 id) {
    return {QStringLiteral("select Step, Due from ReviewSchedule where QuestionID=?"), {id}};
}
Statement putSchedule(qint64 id, int step, const QString& due) {
    return {QStringLiteral("insert or replace into ReviewSchedule(QuestionID, Step, Due) "
                           "values(?, ?, ?)"),
            {id, step, due}};
}
Statement leaveSchedule(qint64 id) {
    return {QStringLiteral("delete from ReviewSchedule where QuestionID=?"), {id}};
}
Statement dueCount(const QString& code, const QString& today) {
    return {"select count(0) as QuestionSum from ReviewSchedule r cross join Paper on "
            "Paper.ID=r.QuestionID where " +
                inClass() + " and r.Due<=?",
            {code, today}};
}
Statement dueIds(const QString& code, const QString& today) {
    return {
        "select Paper.ID from ReviewSchedule r cross join Paper on Paper.ID=r.QuestionID where " +
            inClass() + " and r.Due<=? order by r.Due, Paper.ID",
        {code, today}};
}
Statement nextDue(const QString& code, const QString& today) {
    return {"select r.Due, count(0) from ReviewSchedule r cross join Paper on "
            "Paper.ID=r.QuestionID where " +
                inClass() + " and r.Due>? group by r.Due order by r.Due limit 1",
            {code, today}};
}
Statement farDueCount(const QString& latest) {
    return {QStringLiteral("select count(0) as QuestionSum from ReviewSchedule where Due>?"),
            {latest}};
}
Statement pullBackDue(const QString& latest) {
    return {QStringLiteral("update ReviewSchedule set Due=? where Due>?"), {latest, latest}};
}

Statement isFavourite(qint64 id) {
    return {QStringLiteral("select count(0) as QuestionSum from Favourite where QuestionID=?"),
            {id}};
}
Statement addFavourite(qint64 id) {
    return {QStringLiteral("insert or ignore into Favourite(QuestionID) values(?)"), {id}};
}
Statement removeFavourite(qint64 id) {
    return {QStringLiteral("delete from Favourite where QuestionID=?"), {id}};
}
Statement favouriteCount(const QString& code) {
    return {
        "select count(0) as QuestionSum from Favourite f cross join Paper on Paper.ID=f.QuestionID "
        "where " +
            inClass(),
        {code}};
}
Statement favouriteIds(const QString& code) {
    return {"select Paper.ID from Favourite f cross join Paper on Paper.ID=f.QuestionID where " +
                inClass() + " order by f.AddedAt, f.rowid",
            {code}};
}

Statement classTagsWithAnswers(const QString& code, bool withHistory) {
    if (!withHistory) return {"select Tags, 0, 0 from Paper where " + inClass(), {code}};
    return {"select Tags, coalesce(h.n, 0), coalesce(h.r, 0) from Paper left join (select "
            "QuestionID, count(*) as n, sum(Right=1) as r from History group by QuestionID) h "
            "on h.QuestionID=Paper.ID where " +
                inClass(),
            {code}};
}
Statement topicCount(const QString& code, const QString& topic) {
    return {"select count(0) as QuestionSum from Paper where " + inClass() + " and " + HasTopic,
            {code, bare(topic)}};
}
Statement topicIds(const QString& code, const QString& topic) {
    return {"select ID from Paper where " + inClass() + " and " + HasTopic + " order by ID",
            {code, bare(topic)}};
}

Statement classIdsUnseenFirst(const QString& code, bool withHistory) {
    if (!withHistory) return classIds(code);
    return {"select ID, exists(select 1 from History h where h.QuestionID=Paper.ID) as seen "
            "from Paper where " +
                inClass() + " order by seen",
            {code}};
}

} // namespace Sql
