#pragma once

#include "Layer.h"

#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace School {

// A server role name the school hands out: lower-case letters, digits and '_', starting with a
// letter, at most 63 bytes (PostgreSQL's limit), never one of the server's or the school's own.
// Everything that names a person goes through this before it reaches the server.
bool isPersonName(const QString& name);
// Empty for a usable name, else a sentence saying what a name must be.
QString personNameProblem(const QString& name);

// Everything a learner's program needs to reach the school's database. One join code carries
// it all, so an instructor can hand it over in one line.
struct JoinDetails {
    QString host;
    int port = 5432;
    QString database;
    QString role;
    QString password;
    // TLS when the server offers it; a school with a certificate hands out "require" or better.
    QString sslmode = QStringLiteral("prefer");

    static constexpr const char* Prefix = "kemu1-join:";

    QString toCode() const;
    // Refuses anything that is not a code this program made: wrong prefix, broken base64 or
    // JSON, a missing or mistyped field, a name or host that could smuggle connection options.
    static std::optional<JoinDetails> fromCode(const QString& code);
    // The same checks for details typed by hand.
    bool isValid() const;

    // A QPSQL connection with these details (not opened); a short connect timeout so an
    // unreachable server is told soon.
    void applyTo(QSqlDatabase& db, int connectTimeoutSeconds = 10) const;

    bool operator==(const JoinDetails&) const = default;
};

} // namespace School
