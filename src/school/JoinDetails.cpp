#include "JoinDetails.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace School {

namespace {

// A code longer than this is not one of ours; refused before any decoding.
constexpr qsizetype MaxCodeLength = 4096;
constexpr qsizetype MaxPasswordLength = 200;

const QStringList SslModes = {QStringLiteral("disable"),   QStringLiteral("allow"),
                              QStringLiteral("prefer"),    QStringLiteral("require"),
                              QStringLiteral("verify-ca"), QStringLiteral("verify-full")};

bool isHost(const QString& host) {
    // Names and IPv4/IPv6 addresses only: no spaces, quotes or '=' that could add options.
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9.:_\\-\\[\\]]{1,253}$"));
    return pattern.match(host).hasMatch();
}

bool isDatabaseName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_\\-]{1,63}$"));
    return pattern.match(name).hasMatch();
}

bool isPassword(const QString& password) {
    if (password.isEmpty() || password.size() > MaxPasswordLength) return false;
    for (const QChar c : password)
        if (c.category() == QChar::Other_Control) return false;
    return true;
}

} // namespace

bool isPersonName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^[a-z][a-z0-9_]{0,62}$"));
    if (!pattern.match(name).hasMatch()) return false;
    // The server's own roles and the school's group roles are never a person.
    return !name.startsWith(QLatin1String("pg_")) && !name.startsWith(QLatin1String("school_")) &&
           name != QLatin1String("postgres") && name != QLatin1String("public");
}

QString personNameProblem(const QString& name) {
    if (isPersonName(name)) return {};
    return QStringLiteral("'%1' is not a usable name: lower-case letters, digits and _, starting "
                          "with a letter, at most 63, not one of the server's or the school's own")
        .arg(name);
}

bool JoinDetails::isValid() const {
    return isHost(host) && port > 0 && port < 65536 && isDatabaseName(database) &&
           isPersonName(role) && isPassword(password) && SslModes.contains(sslmode);
}

QString JoinDetails::toCode() const {
    const QJsonObject o{
        {QStringLiteral("host"), host},         {QStringLiteral("port"), port},
        {QStringLiteral("database"), database}, {QStringLiteral("role"), role},
        {QStringLiteral("password"), password}, {QStringLiteral("sslmode"), sslmode}};
    const QByteArray json = QJsonDocument(o).toJson(QJsonDocument::Compact);
    return QLatin1String(Prefix) +
           QString::fromLatin1(
               json.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

std::optional<JoinDetails> JoinDetails::fromCode(const QString& text) {
    const QString code = text.trimmed();
    if (code.size() > MaxCodeLength || !code.startsWith(QLatin1String(Prefix))) return {};
    const QByteArray encoded = code.mid(qsizetype(qstrlen(Prefix))).toLatin1();
    const auto decoded = QByteArray::fromBase64Encoding(
        encoded, QByteArray::Base64UrlEncoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) return {};
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(*decoded, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return {};
    const QJsonObject o = doc.object();
    const auto text_ = [&](const char* key) {
        const QJsonValue v = o.value(QLatin1String(key));
        return v.isString() ? std::optional<QString>(v.toString()) : std::nullopt;
    };
    const QJsonValue port = o.value(QLatin1String("port"));
    const auto host = text_("host"), database = text_("database"), role = text_("role"),
               password = text_("password"), sslmode = text_("sslmode");
    if (!host || !database || !role || !password || !sslmode || !port.isDouble()) return {};
    const double portNumber = port.toDouble();
    if (!(portNumber >= 1 && portNumber <= 65535) || portNumber != double(int(portNumber)))
        return {};
    JoinDetails d{*host, int(portNumber), *database, *role, *password, *sslmode};
    if (!d.isValid()) return {};
    return d;
}

void JoinDetails::applyTo(QSqlDatabase& db, int connectTimeoutSeconds) const {
    db.setHostName(host);
    db.setPort(port);
    db.setDatabaseName(database);
    db.setUserName(role);
    db.setPassword(password);
    db.setConnectOptions(
        QStringLiteral("sslmode=%1;connect_timeout=%2").arg(sslmode).arg(connectTimeoutSeconds));
}

} // namespace School
