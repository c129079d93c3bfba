#pragma once

#include "JoinDetails.h"
#include "Layer.h"

#include <QSqlDatabase>
#include <QStringList>
#include <stdexcept>

namespace School {

// The server refused, or what was asked makes no sense (an unknown school, a bad name). The
// text is the server's own or a plain sentence, shown to whoever runs the command.
class SchoolError : public std::runtime_error {
  public:
    explicit SchoolError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

enum class PersonKind { Learner, Instructor };

struct Person {
    QString role;
    QString school;
    QString displayName;
    QString group; // empty: an instructor sees the whole school
    PersonKind kind = PersonKind::Learner;
};

// The school's schema, roles and policies on a PostgreSQL database, and the people in it.
// Works on an open QPSQL connection of the database's owner (a superuser, or an owner with
// CREATEROLE); the server itself then keeps every learner and instructor to their own rows.
class SchoolSchema {
  public:
    explicit SchoolSchema(const QSqlDatabase& db) : db_(db) {}

    // Creates or brings up to date the schema, the group roles, the grants and the policies.
    // Running it again over an existing schema loses nothing. Returns what could not be done
    // (hiding the role list needs a superuser), empty when everything was.
    QStringList install();

    // The school's id; an existing school keeps its id.
    int addSchool(const QString& name);
    // A login role for the person (scram-sha-256) in the school's group role. Returns the
    // password: `password` when given, else a new one.
    QString addPerson(const Person& person, const QString& password = {});
    // The learner's rows, their summary and their role: gone; open sessions are ended.
    void removeLearner(const QString& role);

    // The join details for a person on this connection's server and database.
    JoinDetails joinDetails(const QString& role, const QString& password) const;

    static QString makePassword();

  private:
    QSqlDatabase db_;
};

} // namespace School
