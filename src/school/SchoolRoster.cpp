#include "SchoolRoster.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace {

QString errorWords(const QSqlError& e) {
    return QStringLiteral("读取驾校数据失败：") + e.text().trimmed();
}

QDateTime timeOf(const QVariant& v) {
    return v.isNull() ? QDateTime() : v.toDateTime();
}

} // namespace

SchoolRoster::SchoolRoster(const School::JoinDetails& join) : join_(join) {
    static std::atomic<int> counter{0};
    name_ = QStringLiteral("roster-%1").arg(counter++);
}

SchoolRoster::~SchoolRoster() {
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

QString SchoolRoster::connect() {
    if (!join_.isValid()) return QStringLiteral("加入码不完整或不正确。");
    QSqlDatabase db = QSqlDatabase::contains(name_)
                          ? QSqlDatabase::database(name_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    join_.applyTo(db, 5);
    if (db.open()) return {};
    return QStringLiteral("连不上驾校服务器：") + db.lastError().text().trimmed();
}

QList<RosterRow> SchoolRoster::learners(QString* error) {
    QList<RosterRow> rows;
    QSqlQuery q(QSqlDatabase::database(name_, false));
    q.setForwardOnly(true);
    // The summaries hold what the list needs, kept as answers arrive: no answer is read here.
    if (!q.exec(QStringLiteral(
            "select p.role, p.display_name, p.group_name, s.car_type, s.readiness_enough, "
            "s.readiness_low, s.readiness_mid, s.readiness_high, s.coverage, s.seen, s.total, "
            "s.weak_chapters, s.weak_topics, coalesce(s.answers, 0), s.last_active, r.scores "
            "from school.people p left join school.summaries s on s.learner = p.role "
            "left join lateral (select string_agg(x.score::text, ',' order by x.taken_at desc "
            "nulls last, x.row_id desc) as scores from (select score, taken_at, row_id from "
            "school.records where learner = p.role order by taken_at desc nulls last, row_id "
            "desc limit 5) x) r on true where p.kind = 'learner' order by p.display_name, "
            "p.role"))) {
        if (error) *error = errorWords(q.lastError());
        return rows;
    }
    while (q.next()) {
        RosterRow r;
        r.role = q.value(0).toString();
        r.name = q.value(1).toString();
        r.group = q.value(2).toString();
        r.carType = q.value(3).toString();
        r.estimate.enough = q.value(4).toBool();
        r.estimate.low = q.value(5).toDouble();
        r.estimate.middle = q.value(6).toDouble();
        r.estimate.high = q.value(7).toDouble();
        r.coverage = q.value(8).toDouble();
        r.seen = q.value(9).toInt();
        r.total = q.value(10).toInt();
        r.estimate.chapters = ChaptersFromJson(q.value(11).toString());
        r.topics = TopicsFromJson(q.value(12).toString());
        r.answers = q.value(13).toLongLong();
        r.anyHistory = r.answers > 0 || r.seen > 0;
        r.lastActive = timeOf(q.value(14));
        for (const QString& score :
             q.value(15).toString().split(QLatin1Char(','), Qt::SkipEmptyParts))
            r.lastScores.append(score.toInt());
        rows.append(r);
    }
    if (error) error->clear();
    return rows;
}

QList<RosterScore> SchoolRoster::scores(const QString& role, QString* error) {
    QList<RosterScore> scores;
    QSqlQuery q(QSqlDatabase::database(name_, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("select score, taken_at, coalesce(hall, false) from school.records "
                             "where learner = ? order by taken_at nulls first, row_id"));
    q.addBindValue(role);
    if (!q.exec()) {
        if (error) *error = errorWords(q.lastError());
        return scores;
    }
    while (q.next())
        scores.append({q.value(0).toInt(), timeOf(q.value(1)), q.value(2).toBool()});
    if (error) error->clear();
    return scores;
}
