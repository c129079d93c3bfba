#include "LinkSettings.h"

#include "../store/Sharing.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#ifdef KEMU1_KEYRING
#include <QEventLoop>
#include <qt6keychain/keychain.h>
#endif

namespace {
const QString LinkKey = QStringLiteral("驾校加入信息");
}

std::optional<SchoolLinkSettings> ReadLinkSettings(Bank& bank) {
    const QJsonObject o = QJsonDocument::fromJson(ReadLinkSetting(bank, LinkKey).toUtf8()).object();
    if (o.isEmpty()) return std::nullopt;
    SchoolLinkSettings s;
    s.join.host = o.value(QStringLiteral("host")).toString();
    s.join.port = o.value(QStringLiteral("port")).toInt();
    s.join.database = o.value(QStringLiteral("database")).toString();
    s.join.role = o.value(QStringLiteral("role")).toString();
    s.join.sslmode = o.value(QStringLiteral("sslmode")).toString();
    const QString place = o.value(QStringLiteral("password")).toString();
    s.place = place == QLatin1String("file")      ? PasswordPlace::File
              : place == QLatin1String("keyring") ? PasswordPlace::Keyring
                                                  : PasswordPlace::Ask;
    return s;
}

void WriteLinkSettings(Bank& bank, const SchoolLinkSettings& s) {
    const QJsonObject o{
        {QStringLiteral("host"), s.join.host},
        {QStringLiteral("port"), s.join.port},
        {QStringLiteral("database"), s.join.database},
        {QStringLiteral("role"), s.join.role},
        {QStringLiteral("sslmode"), s.join.sslmode},
        {QStringLiteral("password"), s.place == PasswordPlace::File      ? QStringLiteral("file")
                                     : s.place == PasswordPlace::Keyring ? QStringLiteral("keyring")
                                                                         : QStringLiteral("ask")}};
    WriteLinkSetting(bank, LinkKey,
                     QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
}

void ForgetLinkSettings(Bank& bank) {
    WriteLinkSetting(bank, LinkKey, {});
}

QString PasswordFile(const QString& folder, const School::JoinDetails& join) {
    // The role is a checked name: letters, digits and '_' only.
    return QDir(folder).filePath(
        QStringLiteral("school-%1-%2.password").arg(join.role).arg(join.port));
}

QString SavePassword(const QString& file, const QString& password) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile::remove(file);
    QFile f(file);
    // Made with the owner's rights alone, before a byte is in it.
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        f.write(password.toUtf8()) < 0 || !f.flush())
        return f.errorString();
    return {};
}

QString ReadPassword(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

namespace {

#ifdef KEMU1_KEYRING
QString keyOf(const School::JoinDetails& join) {
    return QStringLiteral("school %1@%2:%3/%4")
        .arg(join.role, join.host)
        .arg(join.port)
        .arg(join.database);
}

// Runs a keyring job to its end; its error in words, empty when none.
QString finish(QKeychain::Job& job) {
    job.setAutoDelete(false);
    QEventLoop wait;
    QObject::connect(&job, &QKeychain::Job::finished, &wait, &QEventLoop::quit);
    job.start();
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    return job.error() == QKeychain::NoError ? QString() : job.errorString();
}
#endif

} // namespace

#ifdef KEMU1_KEYRING
bool KeyringBuiltIn() {
    return true;
}

QString KeyringSave(const School::JoinDetails& join) {
    QKeychain::WritePasswordJob job(QStringLiteral("kemu1"));
    job.setKey(keyOf(join));
    job.setTextData(join.password);
    return finish(job);
}

QString KeyringRead(School::JoinDetails& join) {
    QKeychain::ReadPasswordJob job(QStringLiteral("kemu1"));
    job.setKey(keyOf(join));
    const QString error = finish(job);
    if (error.isEmpty()) join.password = job.textData();
    return error;
}

void KeyringForget(const School::JoinDetails& join) {
    QKeychain::DeletePasswordJob job(QStringLiteral("kemu1"));
    job.setKey(keyOf(join));
    finish(job);
}
#else
bool KeyringBuiltIn() {
    return false;
}

QString KeyringSave(const School::JoinDetails&) {
    return QStringLiteral("this build has no keyring");
}

QString KeyringRead(School::JoinDetails&) {
    return QStringLiteral("this build has no keyring");
}

void KeyringForget(const School::JoinDetails&) {}
#endif
