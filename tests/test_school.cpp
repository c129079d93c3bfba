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

    // Two schools for the attacks: 东风 with learners a (A班) and b (B班), instructor w (the
    // whole school) and g (B班 only); 西湖 with learner c and instructor x. Built once, since
    // every attack must leave it as it was.
    QString attacked;
    QSqlDatabase attackedOwner;
    QHash<QString, QString> roleOf;
    QHash<QString, QSqlDatabase> as;

    void buildAttackedSchool() {
        QSqlDatabase owner = freshSchool();
        attacked = owner.databaseName();
        attackedOwner = owner;
        SchoolSchema schema(owner);
        schema.addSchool("西湖驾校");
        const struct {
            const char* key;
            const char* school;
            const char* group;
            PersonKind kind;
        } people[] = {{"a", "东风驾校", "A班", PersonKind::Learner},
                      {"b", "东风驾校", "B班", PersonKind::Learner},
                      {"c", "西湖驾校", "", PersonKind::Learner},
                      {"w", "东风驾校", "", PersonKind::Instructor},
                      {"g", "东风驾校", "B班", PersonKind::Instructor},
                      {"x", "西湖驾校", "", PersonKind::Instructor}};
        for (const auto& p : people) {
            const QString role = person(p.key);
            roleOf.insert(p.key, role);
            const QString password = schema.addPerson({role, p.school, p.key, p.group, p.kind});
            as.insert(p.key, server->connect(attacked, role, password));
            if (p.kind != PersonKind::Learner) continue;
            for (int row = 1; row <= 3; ++row)
                exec(as[p.key], answerRow(row));
            exec(as[p.key], "insert into school.records(row_id, score) values (1, 88)");
            exec(as[p.key], "insert into school.summaries(coverage) values (0.5) on conflict "
                            "(learner) do update set coverage = excluded.coverage");
        }
    }

    // Everything an attack could touch, as the owner sees it.
    QString fingerprint() {
        QSqlDatabase& owner = attackedOwner;
        QString all;
        for (const char* table : {"schools", "people", "answers", "records", "summaries"})
            all += value(owner, QStringLiteral("select string_agg(t::text, '|' order by t::text) "
                                               "from school.%1 t")
                                    .arg(QLatin1String(table)))
                       .toString();
        return all + value(owner, "select string_agg(rolname || coalesce(rolpassword, '') || "
                                  "rolsuper || rolcreaterole, '|' order by rolname) from pg_authid")
                         .toString();
    }

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
        if (qEnvironmentVariableIsEmpty("BANK_TOOL"))
            qFatal("BANK_TOOL names the bank tool (ctest sets it)");
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
    // The join code's sslmode reaches the connection: this server has no certificate, so a
    // code that asks for TLS must not quietly connect without it.
    void sslmodeIsKept_data() {
        QTest::addColumn<QString>("sslmode");
        QTest::addColumn<bool>("opens");
        QTest::addRow("disable") << "disable" << true;
        QTest::addRow("prefer") << "prefer" << true;
        QTest::addRow("require") << "require" << false;
        QTest::addRow("verify-full") << "verify-full" << false;
    }
    void sslmodeIsKept() {
        QFETCH(QString, sslmode);
        QFETCH(bool, opens);
        QSqlDatabase owner = freshSchool();
        SchoolSchema schema(owner);
        const QString role = person("anna");
        JoinDetails d = schema.joinDetails(
            role, schema.addPerson({role, "东风驾校", "安娜", {}, PersonKind::Learner}));
        d.host = server->host();
        d.sslmode = sslmode;
        {
            QSqlDatabase learner = QSqlDatabase::addDatabase("QPSQL", "ssl-" + sslmode);
            JoinDetails::fromCode(d.toCode())->applyTo(learner);
            QCOMPARE(learner.open(), opens);
        }
        QSqlDatabase::removeDatabase("ssl-" + sslmode);
    }

    // A hosting provider's database owner with the right to create roles but no superuser:
    // everything works but hiding the role list, and install says so.
    void ownerWithoutSuperuser() {
        const QString database = QStringLiteral("hosted%1").arg(++databases);
        const QString ownerRole = person("owner");
        QSqlDatabase super = server->connect();
        QVERIFY(exec(super, "create role " + ownerRole + " login createrole password 'owner-pw'"));
        QVERIFY(exec(super, "create database " + database + " owner " + ownerRole));
        QSqlDatabase owner = server->connect(database, ownerRole, "owner-pw");
        QVERIFY2(owner.isOpen(), qPrintable(owner.lastError().text()));
        SchoolSchema schema(owner);
        QCOMPARE(schema.install().size(), 1);
        QCOMPARE(schema.install().size(), 1);
        schema.addSchool("东风驾校");
        const QString anna =
            schema.addPerson({person("anna"), "东风驾校", "安娜", {}, PersonKind::Learner});
        QSqlDatabase a = server->connect(database, person("anna"), anna);
        QVERIFY(exec(a, answerRow(1)));
        QVERIFY(!exec(a, "create table mine(x int)"));
        schema.removeLearner(person("anna"));
        QCOMPARE(value(owner, "select count(*) from school.answers").toInt(), 0);
    }

    // Each role tries what it must not do; the server refuses (-1) or shows only what the
    // role may see (the count given), and nothing changes.
    void attacksRefused_data() {
        QTest::addColumn<QString>("who");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("expected");
        const auto row = [](const char* name, const char* who, const char* sql, int expected) {
            QTest::addRow("%s", name)
                << QString::fromLatin1(who) << QString::fromUtf8(sql) << expected;
        };
        // A learner and the others' rows.
        row("learner reads own answers", "a", "select count(*) from school.answers", 3);
        row("learner reads B's answers", "a",
            "select count(*) from school.answers where learner = '{b}'", 0);
        row("learner reads B's records", "a",
            "select count(*) from school.records where learner = '{b}'", 0);
        row("learner reads B's summary", "a",
            "select count(*) from school.summaries where learner <> current_user", 0);
        row("learner reads other people", "a",
            "select count(*) from school.people where role <> current_user", 0);
        row("learner reads the schools", "a", "select count(*) from school.schools", -1);
        row("learner changes B's answer", "a",
            "update school.answers set is_right = false where learner = '{b}'", -1);
        row("learner changes own sent answer", "a", "update school.answers set is_right = false",
            -1);
        row("learner deletes B's answers", "a", "delete from school.answers where learner = '{b}'",
            0);
        row("learner deletes B's summary", "a",
            "delete from school.summaries where learner = '{b}'", 0);
        row("learner inserts as B", "a",
            "insert into school.answers(learner, row_id, question_id) values ('{b}', 99, 1)", -1);
        row("learner upserts B's summary", "a",
            "insert into school.summaries(learner, coverage) values ('{b}', 1) on conflict "
            "(learner) do update set coverage = 1",
            -1);
        row("learner raises own answer count", "a", "update school.summaries set answers = 100000",
            -1);
        row("learner makes self instructor", "a", "update school.people set kind = 'instructor'",
            -1);
        row("learner adds a person", "a",
            "insert into school.people(role, school_id, kind, display_name) values ('{a}x', 1, "
            "'instructor', 'x')",
            -1);
        row("learner asks whom instructors see", "a",
            "select count(*) from school.visible_learners()", -1);
        row("learner truncates answers", "a", "truncate school.answers", -1);
        row("learner drops answers", "a", "drop table school.answers", -1);
        row("learner switches policies off", "a",
            "alter table school.answers disable row level security", -1);
        row("learner becomes the instructor", "a", "set role {w}", -1);
        row("learner joins the instructors", "a", "set role school_instructor", -1);
        row("learner changes B's password", "a", "alter role {b} password 'taken'", -1);
        // The server's lists of people and sessions.
        row("learner reads pg_roles", "a", "select count(*) from pg_catalog.pg_roles", -1);
        row("learner reads pg_user", "a", "select count(*) from pg_catalog.pg_user", -1);
        row("learner reads pg_authid", "a", "select count(*) from pg_catalog.pg_authid", -1);
        row("learner reads pg_auth_members", "a", "select count(*) from pg_catalog.pg_auth_members",
            -1);
        row("learner reads pg_stat_activity", "a",
            "select count(*) from pg_catalog.pg_stat_activity", -1);
        row("instructor reads pg_roles", "w", "select count(*) from pg_catalog.pg_roles", -1);
        // Making things of their own.
        row("learner creates a table in school", "a", "create table school.mine(x int)", -1);
        row("learner creates a table in public", "a", "create table public.mine(x int)", -1);
        row("learner creates a temporary table", "a", "create temporary table mine(x int)", -1);
        row("learner creates a schema", "a", "create schema mine", -1);
        row("learner creates a function", "a",
            "create function public.f() returns int language sql as 'select 1'", -1);
        // Instructors: their school, their group, reading only.
        row("instructor reads the school's answers", "w", "select count(*) from school.answers", 6);
        row("instructor reads the school's people", "w", "select count(*) from school.people", 3);
        row("instructor reads another school's answers", "w",
            "select count(*) from school.answers where learner = '{c}'", 0);
        row("instructor reads another school's people", "w",
            "select count(*) from school.people where role in ('{c}', '{x}')", 0);
        row("instructor reads another school's summaries", "x",
            "select count(*) from school.summaries where learner <> '{c}'", 0);
        row("group instructor reads own group", "g", "select count(*) from school.records", 1);
        row("group instructor reads another group", "g",
            "select count(*) from school.answers where learner = '{a}'", 0);
        row("instructor changes an answer", "w", "update school.answers set is_right = true", -1);
        row("instructor deletes a learner's rows", "w", "delete from school.answers", -1);
        row("instructor inserts for a learner", "w",
            "insert into school.answers(learner, row_id, question_id) values ('{a}', 98, 1)", -1);
        row("instructor rewrites a summary", "w", "update school.summaries set coverage = 1", -1);
        row("instructor moves a learner", "w", "update school.people set school_id = 2", -1);
        row("instructor becomes the learner", "w", "set role {a}", -1);
    }
    void attacksRefused() {
        QFETCH(QString, who);
        QFETCH(QString, sql);
        QFETCH(int, expected);
        if (attacked.isEmpty()) buildAttackedSchool();
        const QString before = fingerprint();
        for (auto r = roleOf.cbegin(); r != roleOf.cend(); ++r)
            sql.replace(QLatin1Char('{') + r.key() + QLatin1Char('}'), r.value());
        QSqlQuery q(as[who]);
        const bool ok = q.exec(sql);
        if (expected < 0) {
            QVERIFY2(!ok, "the server let it through");
            // Refused for want of the right, not for a slip in the attack's SQL.
            QCOMPARE(q.lastError().nativeErrorCode(), QStringLiteral("42501"));
        } else {
            QVERIFY2(ok, qPrintable(q.lastError().text()));
            QCOMPARE(q.next() ? q.value(0).toInt() : q.numRowsAffected(), expected);
        }
        QCOMPARE(fingerprint(), before);
    }

    // Names and texts that are SQL: a role name is refused before it reaches the server; a
    // display, group or school name is stored as it is.
    void namesThatAreSql_data() {
        QTest::addColumn<QString>("role");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addRow("quote in role") << "x'; drop table school.answers; --"
                                       << "x" << false;
        QTest::addRow("double quote in role") << "x\"; drop role postgres; --"
                                              << "x" << false;
        QTest::addRow("upper case") << "Anna"
                                    << "x" << false;
        QTest::addRow("server's role") << "pg_read_all_data"
                                       << "x" << false;
        QTest::addRow("the superuser") << "postgres"
                                       << "x" << false;
        QTest::addRow("SQL in display name") << "sqltext"
                                             << "'); drop table school.people; --" << true;
        QTest::addRow("dollar quotes") << "dollars"
                                       << "$$; drop schema school cascade; $$" << true;
    }
    void namesThatAreSql() {
        QFETCH(QString, role);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QSqlDatabase owner = freshSchool();
        SchoolSchema schema(owner);
        const QString name = accepted ? person(qPrintable(role)) : role;
        schema.addSchool(text);
        bool added = true;
        try {
            schema.addPerson({name, text, text, text, PersonKind::Learner});
        } catch (const SchoolError&) {
            added = false;
        }
        QCOMPARE(added, accepted);
        QCOMPARE(value(owner, "select count(*) from school.people where display_name = '" +
                                  QString(text).replace("'", "''") +
                                  "' and group_name = display_name")
                     .toInt(),
                 accepted ? 1 : 0);
        QCOMPARE(value(owner, "select count(*) from school.schools").toInt(), 2);
        QVERIFY(value(owner, "select rolsuper from pg_roles where rolname = 'postgres'").toBool());
    }

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

        // The instructor gets a code too: kemu1 --instructor asks for nothing else.
        QCOMPARE(bank(QStringList{"add-instructor"} + at +
                          QStringList{"--school", "东风驾校", "--name", person("wang"), "--display",
                                      "王教练", "--join-host", server->host()},
                      &printed),
                 0);
        const auto teacher = JoinDetails::fromCode(
            QRegularExpression("join code: (\\S+)").match(printed).captured(1));
        QVERIFY2(teacher, qPrintable(printed));
        QSqlDatabase instructor = QSqlDatabase::addDatabase("QPSQL", "teacher");
        teacher->applyTo(instructor);
        QVERIFY2(instructor.open(), qPrintable(instructor.lastError().text()));
        QCOMPARE(
            value(instructor, "select count(*) from school.people where kind = 'learner'").toInt(),
            0);
    }
};

QTEST_GUILESS_MAIN(TestSchool)
#include "test_school.moc"
