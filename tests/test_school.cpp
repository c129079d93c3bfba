// The school's database on a real PostgreSQL server the test starts: the schema made from
// nothing and again over itself, people added and removed, join codes.
#include "PgServer.h"
#include "school/SchoolSchema.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <memory>

using namespace School;

namespace {

// One query's first value, or an invalid QVariant when the server refused it.
QVariant value(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    return q.exec(sql) && q.next() ? q.value(0) : QVariant();
}

bool exec(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    return q.exec(sql);
}

QString answerRow(int rowId) {
    return QStringLiteral("insert into school.answers(row_id, question_id, mode, answer, is_right, "
                          "answered_at) values (%1, %2, '顺序', 'A', true, '2026-12-01 08:00:%3') "
                          "on conflict do nothing")
        .arg(rowId)
        .arg(100 + rowId)
        .arg(rowId % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

class TestSchool : public QObject {
    Q_OBJECT

    std::unique_ptr<PgServer> server;
    int databases = 0;

    // Roles belong to the whole server: each test's people have names of their own.
    QString person(const char* name) const {
        return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(databases);
    }

    // A fresh database with the school installed, and its owner's connection.
    QSqlDatabase freshSchool() {
        const QString name = QStringLiteral("school%1").arg(++databases);
        if (!server->createDatabase(name)) return {};
        QSqlDatabase owner = server->connect(name);
        SchoolSchema(owner).install();
        SchoolSchema(owner).addSchool(QStringLiteral("东风驾校"));
        return owner;
    }

  private slots:
    // The bank tool's `school` command against this server, as an administrator on its
    // socket; its exit status, with what it printed.
    int bank(const QStringList& arguments, QString* output = nullptr) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PGHOST", server->socketDir());
        env.insert("PGPORT", QString::number(server->port()));
        env.insert("PGUSER", "postgres");
        p.setProcessEnvironment(env);
        p.start(qEnvironmentVariable("BANK_TOOL"), QStringList{"school"} + arguments);
        if (!p.waitForFinished(30000)) return -1;
        if (output) *output = QString::fromUtf8(p.readAllStandardOutput());
        return p.exitCode();
    }

    void initTestCase() {
        server = std::make_unique<PgServer>();
        if (!server->isRunning()) {
            if (PgServer::binDir().isEmpty() || !QSqlDatabase::isDriverAvailable("QPSQL"))
                QSKIP(qPrintable(server->whyNot()));
            QFAIL(qPrintable(server->whyNot()));
        }
    }
    void cleanupTestCase() { server.reset(); }

    void joinCodeRoundTrip() {
        const JoinDetails d{QStringLiteral("school.example.cn"),
                            6432,
                            QStringLiteral("dongfeng"),
                            QStringLiteral("learner_07"),
                            QStringLiteral("密码 with 'quotes' \"x\""),
                            QStringLiteral("require")};
        QVERIFY(d.toCode().startsWith(QLatin1String("kemu1-join:")));
        QCOMPARE(JoinDetails::fromCode(QStringLiteral("  ") + d.toCode() + QStringLiteral("\n")),
                 d);
    }

    void joinCodeRefused_data() {
        QTest::addColumn<QString>("code");
        const auto code = [](const QByteArray& json) {
            return QStringLiteral("kemu1-join:") +
                   QString::fromLatin1(json.toBase64(QByteArray::Base64UrlEncoding |
                                                     QByteArray::OmitTrailingEquals));
        };
        const QJsonObject good{{"host", "h"},    {"port", 5432},    {"database", "d"},
                               {"role", "anna"}, {"password", "p"}, {"sslmode", "prefer"}};
        const auto with = [&](const char* key, const QJsonValue& v) {
            QJsonObject o = good;
            if (v.isUndefined())
                o.remove(QLatin1String(key));
            else
                o.insert(QLatin1String(key), v);
            return code(QJsonDocument(o).toJson(QJsonDocument::Compact));
        };
        QVERIFY(JoinDetails::fromCode(with("role", "anna")));
        QTest::addRow("empty") << QString();
        QTest::addRow("another prefix") << with("role", "anna").replace("kemu1-join:", "join:");
        QTest::addRow("not base64") << QStringLiteral("kemu1-join:@@@@");
        QTest::addRow("not json") << code("host=h port=5432");
        QTest::addRow("array") << code("[1,2]");
        QTest::addRow("no role") << with("role", QJsonValue::Undefined);
        QTest::addRow("role a number") << with("role", 7);
        QTest::addRow("quote in role") << with("role", "anna'; drop table school.answers; --");
        QTest::addRow("server's role") << with("role", "postgres");
        QTest::addRow("group role") << with("role", "school_instructor");
        QTest::addRow("option in host") << with("host", "h sslmode=disable");
        QTest::addRow("port out of range") << with("port", 1e20);
        QTest::addRow("port as text") << with("port", "5432");
        QTest::addRow("unknown sslmode") << with("sslmode", "off");
        QTest::addRow("newline in password") << with("password", "p\nq");
        QTest::addRow("huge") << with("role", "anna") + QString(5000, QLatin1Char('A'));
    }
    void joinCodeRefused() {
        QFETCH(QString, code);
        QVERIFY(!JoinDetails::fromCode(code));
    }

    // Installing again (an upgrade, or an administrator's second run) keeps every person,
    // row, count and policy.
    void installAgainLosesNothing() {
        QSqlDatabase owner = freshSchool();
        QVERIFY(owner.isOpen());
        SchoolSchema schema(owner);
        const QString anna =
            schema.addPerson({person("anna"), "东风驾校", "安娜", "A班", PersonKind::Learner});
        const QString ben =
            schema.addPerson({person("ben"), "东风驾校", "本", "A班", PersonKind::Learner});
        const QString wang =
            schema.addPerson({person("wang"), "东风驾校", "王教练", {}, PersonKind::Instructor});
        QSqlDatabase a = server->connect(owner.databaseName(), person("anna"), anna);
        QVERIFY2(a.isOpen(), qPrintable(a.lastError().text()));
        for (int row = 1; row <= 3; ++row)
            QVERIFY(exec(a, answerRow(row)));
        QVERIFY(
            exec(a, "insert into school.records(row_id, score, taken_at) values (1, 92, now())"));

        QVERIFY(schema.install().isEmpty());
        QCOMPARE(schema.addSchool("东风驾校"), 1);

        QCOMPARE(value(owner, "select count(*) from school.people").toInt(), 3);
        QCOMPARE(value(owner, "select answers from school.summaries where learner = '" +
                                  person("anna") + "'")
                     .toInt(),
                 3);
        // Still the same roles and policies: anna goes on sending once per row, ben sees none of
        // it.
        QSqlDatabase a2 = server->connect(owner.databaseName(), person("anna"), anna);
        QVERIFY(exec(a2, answerRow(3)) && exec(a2, answerRow(4)));
        QCOMPARE(value(a2, "select count(*) from school.answers").toInt(), 4);
        QCOMPARE(value(owner, "select answers from school.summaries where learner = '" +
                                  person("anna") + "'")
                     .toInt(),
                 4);
        QCOMPARE(value(server->connect(owner.databaseName(), person("ben"), ben),
                       "select count(*) from school.answers")
                     .toInt(),
                 0);
        QSqlDatabase w = server->connect(owner.databaseName(), person("wang"), wang);
        QCOMPARE(value(w, "select count(*) from school.answers").toInt(), 4);
        QCOMPARE(value(w, "select count(*) from school.records").toInt(), 1);
    }

    void removedLearnerIsGone() {
        QSqlDatabase owner = freshSchool();
        SchoolSchema schema(owner);
        const QString anna =
            schema.addPerson({person("anna"), "东风驾校", "安娜", {}, PersonKind::Learner});
        const QString ben =
            schema.addPerson({person("ben"), "东风驾校", "本", {}, PersonKind::Learner});
        QSqlDatabase a = server->connect(owner.databaseName(), person("anna"), anna);
        QSqlDatabase b = server->connect(owner.databaseName(), person("ben"), ben);
        QVERIFY(exec(a, answerRow(1)) && exec(b, answerRow(1)));

        schema.removeLearner(person("anna"));
        QCOMPARE(value(owner, "select count(*) from school.answers").toInt(), 1);
        QCOMPARE(value(owner, "select count(*) from school.summaries").toInt(), 1);
        QCOMPARE(
            value(owner, "select count(*) from pg_roles where rolname = '" + person("anna") + "'")
                .toInt(),
            0);
        // The open session is ended and a new one refused.
        QVERIFY(!exec(a, answerRow(2)));
        QVERIFY(!server->connect(owner.databaseName(), person("anna"), anna).isOpen());
        QVERIFY_THROWS_EXCEPTION(SchoolError, schema.removeLearner(person("anna")));
        QVERIFY(exec(b, answerRow(2)));
    }

    // What an administrator does from the README: a school, a learner who joins with the
    // printed code, a name that is SQL, the learner removed.
    void bankToolSetsUpASchool() {
        const QString database = QStringLiteral("tool%1").arg(++databases);
        QVERIFY(server->createDatabase(database));
        const QStringList at{"--database", database};
        QCOMPARE(bank(QStringList{"init"} + at + QStringList{"--school", "东风驾校"}), 0);
        QString printed;
        const QString anna = person("anna");
        QCOMPARE(bank(QStringList{"add-learner"} + at +
                          QStringList{"--school", "东风驾校", "--name", anna, "--display", "安娜",
                                      "--join-host", server->host()},
                      &printed),
                 0);
        const auto joined = JoinDetails::fromCode(
            QRegularExpression("join code: (\\S+)").match(printed).captured(1));
        QVERIFY2(joined, qPrintable(printed));
        QSqlDatabase learner = QSqlDatabase::addDatabase("QPSQL", "joined");
        joined->applyTo(learner);
        QVERIFY2(learner.open(), qPrintable(learner.lastError().text()));
        QVERIFY(exec(learner, answerRow(1)));
        learner.close();
        QSqlDatabase owner = server->connect(database);
        QCOMPARE(value(owner, "select rolpassword like 'SCRAM-SHA-256$%' from pg_authid where "
                              "rolname = '" +
                                  anna + "'"),
                 QVariant(true));

        QCOMPARE(bank(QStringList{"add-learner"} + at +
                      QStringList{"--school", "东风驾校", "--name", "x\"; drop role postgres; --",
                                  "--display", "x"}),
                 1);
        QCOMPARE(bank(QStringList{"add-learner"} + at +
                      QStringList{"--school", "没有这个驾校", "--name", person("ben"), "--display",
                                  "本"}),
                 1);
        QCOMPARE(value(owner, "select count(*) from school.people").toInt(), 1);

        QCOMPARE(bank(QStringList{"remove-learner"} + at + QStringList{"--name", anna}), 0);
        QVERIFY(!learner.open());
        QCOMPARE(value(owner, "select count(*) from school.answers").toInt(), 0);
        QCOMPARE(bank(QStringList{"remove-learner"} + at + QStringList{"--name", anna}), 1);
    }
};

QTEST_GUILESS_MAIN(TestSchool)
#include "test_school.moc"
