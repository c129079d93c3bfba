#include "School.h"

#include "school/SchoolSchema.h"

#include <QCommandLineParser>
#include <QSqlError>
#include <QSysInfo>
#include <QTextStream>
#include <cstdio>

using namespace School;

namespace {

const QString Connection = QStringLiteral("bank-school");

// The server is reached as libpq would: what the options leave out comes from PGHOST,
// PGPORT, PGDATABASE, PGUSER and PGPASSWORD or ~/.pgpass, else the local socket and the
// user's own name. A password never goes on the command line.
struct Admin {
    QSqlDatabase db;
    explicit Admin(const QCommandLineParser& p) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), Connection);
        if (p.isSet(QStringLiteral("host"))) db.setHostName(p.value(QStringLiteral("host")));
        if (p.isSet(QStringLiteral("port"))) db.setPort(p.value(QStringLiteral("port")).toInt());
        if (p.isSet(QStringLiteral("database")))
            db.setDatabaseName(p.value(QStringLiteral("database")));
        if (p.isSet(QStringLiteral("user"))) db.setUserName(p.value(QStringLiteral("user")));
        db.open();
    }
    ~Admin() {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(Connection);
    }
    Admin(const Admin&) = delete;
    Admin& operator=(const Admin&) = delete;
};

// The server's name as learners reach it: the one given, else this machine's when the tool
// itself came over the local socket.
QString joinHost(const QCommandLineParser& p, const QSqlDatabase& db) {
    if (p.isSet(QStringLiteral("join-host"))) return p.value(QStringLiteral("join-host"));
    const QString host = db.hostName();
    if (!host.isEmpty() && !host.startsWith(QLatin1Char('/')) && host != QLatin1String("localhost"))
        return host;
    return QSysInfo::machineHostName();
}

QString readPassword() {
    QTextStream in(stdin);
    return in.readLine();
}

void printJoinDetails(const JoinDetails& d, const Person& person, const Say& out) {
    const bool learner = person.kind == PersonKind::Learner;
    out(QStringLiteral("%1 %2 (%3), %4%5")
            .arg(learner ? QStringLiteral("learner") : QStringLiteral("instructor"), person.role,
                 person.displayName, person.school,
                 person.group.isEmpty() ? QString() : QStringLiteral(", ") + person.group));
    out(QStringLiteral("server:    %1").arg(d.host));
    out(QStringLiteral("port:      %1").arg(d.port));
    out(QStringLiteral("database:  %1").arg(d.database));
    out(QStringLiteral("name:      %1").arg(d.role));
    out(QStringLiteral("password:  %1").arg(d.password));
    out(QStringLiteral("sslmode:   %1").arg(d.sslmode));
    out(QStringLiteral("join code: %1").arg(d.toCode()));
}

} // namespace

QString schoolUsage(const QString& toolName) {
    return QStringList{
        QStringLiteral("  %1 school init CONNECTION [--school NAME]..."),
        QStringLiteral(
            "  %1 school add-learner CONNECTION --school NAME --name ROLE --display NAME"),
        QStringLiteral("        [--group G] [--password-stdin] [--join-host H] [--sslmode M]"),
        QStringLiteral("  %1 school add-instructor CONNECTION --school NAME --name ROLE"),
        QStringLiteral("        --display NAME [--group G] [--password-stdin]"),
        QStringLiteral("  %1 school remove-learner CONNECTION --name ROLE"),
        QStringLiteral(
            "     CONNECTION: [--host H] [--port N] [--database D] [--user U]; the rest,"),
        QStringLiteral("     and the password, as psql takes them (PGHOST, PGPASSWORD, ~/.pgpass)")}
        .join(QLatin1Char('\n'))
        .replace(QLatin1String("%1"), toolName);
}

int schoolCommand(const QStringList& arguments, const Say& out, const Say& err) {
    QCommandLineParser p;
    for (const char* name : {"host", "port", "database", "user", "school", "name", "display",
                             "group", "join-host", "sslmode"})
        p.addOption(QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("value")));
    p.addOption(QCommandLineOption(QStringLiteral("password-stdin")));
    p.addPositionalArgument(QStringLiteral("action"), QString());
    if (!p.parse(QStringList{QStringLiteral("school")} + arguments) ||
        p.positionalArguments().size() != 1) {
        if (!p.errorText().isEmpty()) err(p.errorText());
        return 2;
    }
    const QString action = p.positionalArguments().first();
    const bool adds =
        action == QLatin1String("add-learner") || action == QLatin1String("add-instructor");
    if (action != QLatin1String("init") && action != QLatin1String("remove-learner") && !adds)
        return 2;
    if ((adds && (!p.isSet(QStringLiteral("school")) || !p.isSet(QStringLiteral("name")) ||
                  !p.isSet(QStringLiteral("display")))) ||
        (action == QLatin1String("remove-learner") && !p.isSet(QStringLiteral("name"))))
        return 2;

    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        err(QStringLiteral("Qt's PostgreSQL driver is missing (Debian: libqt6sql6-psql)"));
        return 1;
    }
    Admin admin(p);
    if (!admin.db.isOpen()) {
        err(QStringLiteral("cannot reach the school's database: ") + admin.db.lastError().text());
        return 1;
    }
    try {
        SchoolSchema schema(admin.db);
        if (action == QLatin1String("init")) {
            for (const QString& note : schema.install())
                err(QStringLiteral("warning: ") + note);
            for (const QString& school : p.values(QStringLiteral("school")))
                out(QStringLiteral("school %1 (id %2)").arg(school).arg(schema.addSchool(school)));
            out(QStringLiteral("%1: the school's tables, roles and policies are in place")
                    .arg(admin.db.databaseName()));
        } else if (adds) {
            const Person person{p.value(QStringLiteral("name")), p.value(QStringLiteral("school")),
                                p.value(QStringLiteral("display")),
                                p.value(QStringLiteral("group")),
                                action == QLatin1String("add-learner") ? PersonKind::Learner
                                                                       : PersonKind::Instructor};
            const QString given =
                p.isSet(QStringLiteral("password-stdin")) ? readPassword() : QString();
            JoinDetails d = schema.joinDetails(person.role, QString());
            d.host = joinHost(p, admin.db);
            if (p.isSet(QStringLiteral("sslmode"))) d.sslmode = p.value(QStringLiteral("sslmode"));
            d.password = given.isEmpty() ? SchoolSchema::makePassword() : given;
            // Checked before anything is made: a code the program would refuse helps nobody.
            if (const QString problem = personNameProblem(person.role); !problem.isEmpty()) {
                err(problem);
                return 1;
            }
            if (!d.isValid()) {
                err(QStringLiteral("these join details would not work: check --join-host, "
                                   "--sslmode and the password"));
                return 1;
            }
            schema.addPerson(person, d.password);
            printJoinDetails(d, person, out);
        } else {
            schema.removeLearner(p.value(QStringLiteral("name")));
            out(QStringLiteral("%1 and their rows are removed")
                    .arg(p.value(QStringLiteral("name"))));
        }
    } catch (const SchoolError& e) {
        err(e.text());
        return 1;
    }
    return 0;
}
