#pragma once

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <QVersionNumber>
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

// A throwaway PostgreSQL server for one test program: its own cluster in a temporary folder,
// a free port on 127.0.0.1 (passwords, scram-sha-256) and a unix socket in that folder (the
// superuser `postgres`, no password). Stopped and removed with the object, also when a test
// fails; one left behind by a program that crashed or aborted is stopped and removed by the
// next PgServer, which finds its folder's owner gone.
// As root, the server runs as the `postgres` user, since PostgreSQL refuses to run as root.
class PgServer {
  public:
    // `options`: more server settings ("-c name=value"), after this class's own.
    explicit PgServer(const QString& options = {}) : options_(options) {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
            why_ = QStringLiteral("Qt's PostgreSQL driver is not installed (libqt6sql6-psql)");
            return;
        }
        bin_ = binDir();
        if (bin_.isEmpty()) {
            why_ = QStringLiteral("no PostgreSQL server in /usr/lib/postgresql (postgresql)");
            return;
        }
        if (geteuid() == 0 && !getpwnam("postgres")) {
            why_ =
                QStringLiteral("running as root and there is no postgres user to run the server");
            return;
        }
        sweepLeftovers();
        if (!dir_.isValid() || !QDir(dir_.path()).mkpath(QStringLiteral("sock")) || !writeOwner()) {
            why_ = QStringLiteral("no temporary folder");
            return;
        }
        if (geteuid() == 0) {
            const passwd* pg = getpwnam("postgres");
            for (const QString& path : {dir_.path(), socketDir()})
                if (chown(QFile::encodeName(path).constData(), pg->pw_uid, pg->pw_gid) != 0) {
                    why_ = QStringLiteral("cannot give the temporary folder to postgres");
                    return;
                }
        }
        if (!command(QStringLiteral("initdb"),
                     {QStringLiteral("-D"), dataDir(), QStringLiteral("-U"),
                      QStringLiteral("postgres"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                      QStringLiteral("--locale=C"), QStringLiteral("--auth-local=trust"),
                      QStringLiteral("--auth-host=scram-sha-256"), QStringLiteral("--no-sync")}))
            return;
        // Another program may take the port between the look and the start: try a few.
        for (int attempt = 0; attempt < 3 && !running_; ++attempt) {
            port_ = freePort();
            start();
        }
    }

    ~PgServer() {
        for (const QString& name : std::as_const(connections_)) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
        if (running_)
            command(QStringLiteral("pg_ctl"),
                    {QStringLiteral("-D"), dataDir(), QStringLiteral("-m"),
                     QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
    }

    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    bool isRunning() const { return running_; }
    // Why there is no server: the reason to skip, or the last command's output.
    QString whyNot() const { return why_; }

    QString host() const { return QStringLiteral("127.0.0.1"); }
    int port() const { return port_; }
    QString socketDir() const { return dir_.path() + QStringLiteral("/sock"); }

    // Ends every session at once, as a server that went away would; the data stays.
    bool stop() {
        running_ =
            !command(QStringLiteral("pg_ctl"),
                     {QStringLiteral("-D"), dataDir(), QStringLiteral("-m"),
                      QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
        return !running_;
    }

    // Starts (again) on the same port and folder.
    bool start() {
        const QString options =
            QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off "
                           "-c synchronous_commit=off -c full_page_writes=off "
                           "-c shared_buffers=16MB")
                .arg(port_)
                .arg(socketDir()) +
            QLatin1Char(' ') + options_;
        running_ = command(QStringLiteral("pg_ctl"),
                           {QStringLiteral("-D"), dataDir(), QStringLiteral("-l"),
                            dir_.path() + QStringLiteral("/server.log"), QStringLiteral("-o"),
                            options, QStringLiteral("-w"), QStringLiteral("-t"),
                            QStringLiteral("60"), QStringLiteral("start")});
        return running_;
    }

    // An open connection: as the superuser over the socket without `password`, else over TCP
    // with it. Check isOpen(); lastError() says why not. Removed with the server.
    QSqlDatabase connect(const QString& database = QStringLiteral("postgres"),
                         const QString& user = QStringLiteral("postgres"),
                         const QString& password = {}) {
        const QString name = QStringLiteral("pgserver-%1-%2").arg(port_).arg(connections_.size());
        connections_ << name;
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(password.isEmpty() ? socketDir() : host());
        db.setPort(port_);
        db.setDatabaseName(database);
        db.setUserName(user);
        db.setPassword(password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        db.open();
        return db;
    }

    // A new database owned by the superuser.
    bool createDatabase(const QString& name) {
        QSqlQuery q(connect());
        return q.exec(QStringLiteral("create database \"%1\"").arg(name));
    }

    // The newest server's programs, 15 or later.
    static QString binDir() {
        QString best;
        QVersionNumber bestVersion(15);
        const QDir root(QStringLiteral("/usr/lib/postgresql"));
        for (const QString& v : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QVersionNumber version = QVersionNumber::fromString(v);
            if (version >= bestVersion &&
                QFile::exists(root.filePath(v + QStringLiteral("/bin/initdb")))) {
                best = root.filePath(v + QStringLiteral("/bin"));
                bestVersion = version;
            }
        }
        return best;
    }

    QString log() const {
        QFile f(dir_.path() + QStringLiteral("/server.log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

  private:
    QString dataDir() const { return dir_.path() + QStringLiteral("/data"); }

    static constexpr const char* Pattern = "kemu1-pgserver-";

    bool writeOwner() {
        QFile f(dir_.path() + QStringLiteral("/owner"));
        return f.open(QIODevice::WriteOnly) && f.write(QByteArray::number(getpid())) > 0;
    }

    // Servers whose program is gone: stopped, their folders removed.
    void sweepLeftovers() {
        const QDir temp(QDir::tempPath());
        for (const QString& name : temp.entryList({QLatin1String(Pattern) + QLatin1Char('*')},
                                                  QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString path = temp.filePath(name);
            QFile owner(path + QStringLiteral("/owner"));
            const pid_t pid = owner.open(QIODevice::ReadOnly) ? owner.readAll().toInt() : 0;
            if (pid <= 0 || kill(pid, 0) == 0 || errno != ESRCH) continue;
            if (QFile::exists(path + QStringLiteral("/data/postmaster.pid")))
                command(QStringLiteral("pg_ctl"),
                        {QStringLiteral("-D"), path + QStringLiteral("/data"), QStringLiteral("-m"),
                         QStringLiteral("immediate"), QStringLiteral("-w"),
                         QStringLiteral("stop")});
            QDir(path).removeRecursively();
        }
        why_.clear();
    }

    bool command(const QString& program, const QStringList& arguments) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir_.path());
        const QString path = bin_ + QLatin1Char('/') + program;
        if (geteuid() == 0)
            p.start(QStringLiteral("runuser"),
                    QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                QStringLiteral("--"), path} +
                        arguments);
        else
            p.start(path, arguments);
        const bool ok = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit &&
                        p.exitCode() == 0;
        if (!ok)
            why_ = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAll()) +
                   p.errorString() + log();
        return ok;
    }

    static int freePort() {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        int port = 0;
        if (s >= 0 && bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port = ntohs(address.sin_port);
        if (s >= 0) close(s);
        return port;
    }

    QString options_;
    QTemporaryDir dir_{QDir::tempPath() + QLatin1Char('/') + QLatin1String(Pattern) +
                       QStringLiteral("XXXXXX")};
    QString bin_;
    QString why_;
    int port_ = 0;
    bool running_ = false;
    QStringList connections_;
};
