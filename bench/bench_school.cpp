// The school's database at scale: a throwaway server filled with generated learners, then the
// three figures that matter to a school. Not a unit benchmark: one pass, wall-clock times.
//   bench_school [LEARNERS] [ANSWERS_PER_LEARNER] [SENDERS]     (default 2000 20000 200)
#include "PgServer.h"
#include "school/SchoolRoster.h"
#include "school/SchoolSchema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

using namespace School;

namespace {

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

QSqlQuery run(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql)) qFatal("%s\n%s", qPrintable(sql), qPrintable(q.lastError().text()));
    return q;
}

QString quotedText(QString text) {
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("''")) +
           QLatin1Char('\'');
}

// One batch of answers as a learner's program would send it: the rows as arrays, one
// statement, each row once however often it is sent.
bool sendAnswers(QSqlDatabase& db, qint64 firstRow, int count) {
    QStringList ids, questions, rights, seconds;
    for (int i = 0; i < count; ++i) {
        ids << QString::number(firstRow + i);
        questions << QString::number(1 + (firstRow + i) % 1500);
        rights << ((firstRow + i) % 7 ? QStringLiteral("t") : QStringLiteral("f"));
        seconds << QString::number(5 + (firstRow + i) % 40);
    }
    const auto array = [](const QStringList& values) {
        return QStringLiteral("{%1}").arg(values.join(QLatin1Char(',')));
    };
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "insert into school.answers(row_id, question_id, car_type, mode, answer, is_right, "
        "seconds, answered_at) "
        "select r, qid, 'C1', '顺序练习', 'A', ok, s, localtimestamp "
        "from unnest(?::bigint[], ?::int[], ?::boolean[], ?::int[]) as t(r, qid, ok, s) "
        "on conflict do nothing"));
    q.addBindValue(array(ids));
    q.addBindValue(array(questions));
    q.addBindValue(array(rights));
    q.addBindValue(array(seconds));
    return q.exec();
}

// The same batch as multi-row VALUES with one bound value per field, the other way a client
// may send it.
bool sendAnswerValues(QSqlDatabase& db, qint64 firstRow, int count) {
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << QStringLiteral("(?, ?, 'C1', '顺序练习', 'A', ?, ?, localtimestamp)");
    QSqlQuery q(db);
    q.prepare(QStringLiteral("insert into school.answers(row_id, question_id, car_type, mode, "
                             "answer, is_right, seconds, answered_at) values ") +
              rows.join(QLatin1Char(',')) + QStringLiteral(" on conflict do nothing"));
    for (int i = 0; i < count; ++i) {
        const qint64 row = firstRow + i;
        q.addBindValue(row);
        q.addBindValue(int(1 + row % 1500));
        q.addBindValue(row % 7 != 0);
        q.addBindValue(int(5 + row % 40));
    }
    return q.exec();
}

// The instructor's list as the window reads it: one query through the instructor's role.
double listSeconds(SchoolRoster& roster, int* rows) {
    QElapsedTimer t;
    t.start();
    QString error;
    const QList<RosterRow> learners = roster.learners(&error);
    if (!error.isEmpty()) qFatal("%s", qPrintable(error));
    *rows = int(learners.size());
    return t.nsecsElapsed() / 1e9;
}

QString figures(std::vector<double> s) {
    std::sort(s.begin(), s.end());
    return QStringLiteral("median %1 ms, max %2 ms over %3 runs")
        .arg(s[s.size() / 2] * 1000, 0, 'f', 1)
        .arg(s.back() * 1000, 0, 'f', 1)
        .arg(s.size());
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int learners = args.value(1, QStringLiteral("2000")).toInt();
    const int perLearner = args.value(2, QStringLiteral("20000")).toInt();
    const int senders = std::min(args.value(3, QStringLiteral("200")).toInt(), learners);

    PgServer server(QStringLiteral("-c shared_buffers=1GB -c max_connections=%1 "
                                   "-c max_wal_size=8GB -c checkpoint_timeout=30min")
                        .arg(senders + 50));
    if (!server.isRunning()) qFatal("%s", qPrintable(server.whyNot()));
    server.createDatabase(QStringLiteral("school"));
    QSqlDatabase owner = server.connect(QStringLiteral("school"));
    SchoolSchema schema(owner);
    schema.install();
    schema.addSchool(QStringLiteral("东风驾校"));

    // The generated school, made on the server: people, answers in learner order (the key's
    // order, so the index grows at its end), mock exams, summaries.
    QElapsedTimer fill;
    fill.start();
    run(owner, QStringLiteral("insert into school.people(role, school_id, kind, display_name, "
                              "group_name) select format('l%s', lpad(i::text, 5, '0')), 1, "
                              "'learner', format('学员%s', i), format('%s班', i % 20) "
                              "from generate_series(1, %1) i")
                   .arg(learners));
    const int chunk = std::max(1, 2000000 / std::max(1, perLearner));
    for (int from = 1; from <= learners; from += chunk) {
        run(owner, QStringLiteral(
                       "insert into school.answers(learner, row_id, question_id, car_type, mode, "
                       "answer, is_right, seconds, answered_at, cue) "
                       "select format('l%s', lpad(i::text, 5, '0')), r, 1 + (r * 7 + i) % 1500, "
                       "'C1', (array['顺序练习', '随机练习', '章节练习'])[1 + r % 3], 'A', "
                       "(r + i) % 5 <> 0, 5 + r % 40, "
                       "timestamp '2026-10-01' + make_interval(secs => r * 250 + i), null "
                       "from generate_series(%1, %2) i, generate_series(1, %3) r")
                       .arg(from)
                       .arg(std::min(learners, from + chunk - 1))
                       .arg(perLearner));
        std::fprintf(stderr, "\rfilled %d of %d learners", std::min(learners, from + chunk - 1),
                     learners);
    }
    std::fprintf(stderr, "\n");
    run(owner, QStringLiteral(
                   "insert into school.records(learner, row_id, score, taken_at, car_type, "
                   "seconds, hall) select format('l%s', lpad(i::text, 5, '0')), r, "
                   "70 + (i * r) % 31, timestamp '2026-10-01' + make_interval(days => r), 'C1', "
                   "1800 + r, false from generate_series(1, %1) i, generate_series(1, 20) r")
                   .arg(learners));
    // Figures as a learner's program writes them: four chapters and eight topics.
    QList<ChapterOutlook> chapters;
    for (int c = 1; c <= 4; ++c)
        chapters.append({QStringLiteral("第%1章").arg(c), 10 * c, 300, 250, 0.7});
    QList<TopicFigure> topics;
    for (int t = 1; t <= 8; ++t)
        topics.append({QStringLiteral("专题%1").arg(t), 100, 70});
    run(owner,
        QStringLiteral("update school.summaries set car_type = 'C1', readiness_low = 0.6, "
                       "readiness_mid = 0.75, readiness_high = 0.9, readiness_enough = false, "
                       "coverage = 0.8, seen = 1200, total = 1500, weak_chapters = %1, "
                       "weak_topics = %2, updated_at = now()")
            .arg(quotedText(ChaptersJson(chapters)), quotedText(TopicsJson(topics))));
    run(owner, QStringLiteral("vacuum analyze"));
    const double fillSeconds = fill.nsecsElapsed() / 1e9;
    QSqlQuery sizeQuery =
        run(owner, QStringLiteral("select pg_size_pretty(pg_database_size('school')), "
                                  "(select count(*) from school.answers)"));
    sizeQuery.next();
    say(QStringLiteral("school: %1 learners, %2 answers each: %3 answer rows, %4 on disk; "
                       "filled in %5 s")
            .arg(learners)
            .arg(perLearner)
            .arg(sizeQuery.value(1).toLongLong())
            .arg(sizeQuery.value(0).toString())
            .arg(fillSeconds, 0, 'f', 0));

    // From here on the server writes as a real one does.
    run(owner, QStringLiteral("alter system set fsync = on"));
    run(owner, QStringLiteral("alter system set synchronous_commit = on"));
    run(owner, QStringLiteral("alter system set full_page_writes = on"));
    run(owner, QStringLiteral("select pg_reload_conf()"));
    run(owner, QStringLiteral("checkpoint"));

    // A learner's first upload: everything their bank holds, in batches of 1,000, sent
    // either way.
    const struct {
        const char* name;
        const char* how;
        bool (*send)(QSqlDatabase&, qint64, int);
    } uploads[] = {{"newcomer", "arrays", sendAnswers},
                   {"newcomer2", "VALUES rows", sendAnswerValues}};
    for (const auto& upload : uploads) {
        const QString role = QString::fromLatin1(upload.name);
        const QString password =
            schema.addPerson({role, QStringLiteral("东风驾校"), role, {}, PersonKind::Learner});
        QElapsedTimer t;
        t.start();
        QSqlDatabase learner = server.connect(QStringLiteral("school"), role, password);
        for (int row = 1; row <= perLearner; row += 1000)
            if (!upload.send(learner, row, std::min(1000, perLearner - row + 1)))
                qFatal("upload refused: %s", qPrintable(learner.lastError().text()));
        say(QStringLiteral("first upload of %1 answers (login, then batches of 1,000 as %2): "
                           "%3 s  target < 10 s")
                .arg(perLearner)
                .arg(QLatin1String(upload.how))
                .arg(t.nsecsElapsed() / 1e9, 0, 'f', 2));
        QSqlQuery counted = run(
            owner,
            QStringLiteral("select answers from school.summaries where learner = '%1'").arg(role));
        if (!counted.next() || counted.value(0).toInt() != perLearner)
            qFatal("the summary of %s does not count every answer", qPrintable(role));
    }

    const QString wangPassword = schema.addPerson({QStringLiteral("wang"),
                                                   QStringLiteral("东风驾校"),
                                                   QStringLiteral("王教练"),
                                                   {},
                                                   PersonKind::Instructor});
    SchoolRoster instructor(JoinDetails{server.host(), server.port(), QStringLiteral("school"),
                                        QStringLiteral("wang"), wangPassword});
    if (const QString error = instructor.connect(); !error.isEmpty())
        qFatal("%s", qPrintable(error));
    std::vector<double> quiet;
    int rows = 0;
    for (int i = 0; i < 7; ++i)
        quiet.push_back(listSeconds(instructor, &rows));
    say(QStringLiteral("instructor list, %1 learners, nobody sending: %2  target < 1000 ms")
            .arg(rows)
            .arg(figures(quiet)));

    // Senders: learners of their own, each sending batches of 100 answers back to back.
    QStringList senderPasswords;
    for (int i = 0; i < senders; ++i)
        senderPasswords << schema.addPerson({QStringLiteral("sender%1").arg(i),
                                             QStringLiteral("东风驾校"),
                                             QStringLiteral("发送者%1").arg(i),
                                             {},
                                             PersonKind::Learner});
    std::atomic<bool> stop = false;
    std::atomic<int> connected = 0;
    std::atomic<qint64> sent = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < senders; ++i)
        threads.emplace_back([&, i] {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"),
                                                            QStringLiteral("sender%1").arg(i));
                db.setHostName(server.host());
                db.setPort(server.port());
                db.setDatabaseName(QStringLiteral("school"));
                db.setUserName(QStringLiteral("sender%1").arg(i));
                db.setPassword(senderPasswords[i]);
                if (!db.open()) qFatal("sender: %s", qPrintable(db.lastError().text()));
                ++connected;
                for (qint64 row = 1; !stop; row += 100)
                    if (sendAnswers(db, row, 100)) sent += 100;
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("sender%1").arg(i));
        });
    while (connected < senders)
        std::this_thread::yield();
    QElapsedTimer busy;
    busy.start();
    const qint64 sentBefore = sent;
    std::vector<double> loaded;
    for (int i = 0; i < 7; ++i)
        loaded.push_back(listSeconds(instructor, &rows));
    const double busySeconds = busy.nsecsElapsed() / 1e9;
    const qint64 sentDuring = sent - sentBefore;
    stop = true;
    for (auto& t : threads)
        t.join();
    say(QStringLiteral("instructor list while %1 learners send: %2  target < 2000 ms "
                       "(they sent %3 answers/s meanwhile)")
            .arg(senders)
            .arg(figures(loaded))
            .arg(qRound64(sentDuring / busySeconds)));
    return 0;
}
