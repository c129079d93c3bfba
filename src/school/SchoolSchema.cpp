#include "SchoolSchema.h"

#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace School {

namespace {

// Each statement runs on its own: a DO block holds semicolons of its own. Every statement
// may run again over an existing schema.
const char* const SchemaStatements[] = {
    // "Already exists, skipping" is what a second run is for: not worth a line on the console.
    R"(set local client_min_messages = warning)",
    // Two administrators installing at once wait for each other.
    R"(select pg_advisory_xact_lock(hashtext('kemu1 school schema')))",
    R"(do $$ begin
         if to_regrole('school_learner') is null then
           create role school_learner nologin;
         end if;
         if to_regrole('school_instructor') is null then
           create role school_instructor nologin;
         end if;
       end $$)",
    // Only the school's people reach this database, and nobody but its owner makes anything.
    R"(do $$ begin
         execute format('revoke all on database %I from public', current_database());
         execute format('grant connect on database %I to school_learner, school_instructor',
                        current_database());
       end $$)",
    R"(revoke create on schema public from public)",
    R"(create schema if not exists school)",
    R"(revoke all on schema school from public)",
    R"(grant usage on schema school to school_learner, school_instructor)",
    R"(create table if not exists school.schools(
         id serial primary key,
         name text not null unique))",
    R"(create table if not exists school.people(
         role name primary key,
         school_id int not null references school.schools,
         kind text not null check (kind in ('learner', 'instructor')),
         display_name text not null,
         group_name text,
         created_at timestamptz not null default now()))",
    R"(create index if not exists people_school on school.people(school_id, kind))",
    R"(create table if not exists school.answers(
         learner name not null default current_user,
         row_id bigint not null,
         question_id int not null,
         car_type text, mode text, answer text, is_right boolean, seconds int,
         answered_at timestamp, cue int,
         primary key (learner, row_id)))",
    R"(create table if not exists school.records(
         learner name not null default current_user,
         row_id bigint not null,
         score int not null,
         taken_at timestamp, car_type text, seconds int, chapter_rights text, hall boolean,
         primary key (learner, row_id)))",
    // The instructor's list takes each learner's last five exams, newest first.
    R"(create index if not exists records_latest
         on school.records(learner, taken_at desc nulls last, row_id desc))",
    R"(create table if not exists school.summaries(
         learner name primary key default current_user,
         car_type text,
         readiness_enough boolean, readiness_low real, readiness_mid real, readiness_high real,
         coverage real, seen int, total int, weak_chapters text, weak_topics text,
         answers bigint not null default 0,
         last_active timestamp,
         updated_at timestamptz))",
    // The learners an instructor may read: their school's, or their group's. Runs as the
    // owner, so that the policies need not let instructors read people at large.
    R"(create or replace function school.visible_learners() returns setof name
       language sql stable security definer set search_path = pg_catalog, pg_temp as $$
         select p.role from school.people i
           join school.people p on p.school_id = i.school_id
          where i.role = session_user and i.kind = 'instructor' and p.kind = 'learner'
            and (i.group_name is null or p.group_name = i.group_name)
       $$)",
    R"(revoke all on function school.visible_learners() from public)",
    R"(grant execute on function school.visible_learners() to school_instructor)",
    // The instructor's list reads one summary row per learner, never their answers: the
    // count and the last answer's time follow each batch as it arrives.
    R"(create or replace function school.count_answers() returns trigger
       language plpgsql security definer set search_path = pg_catalog, pg_temp as $$
       begin
         if tg_op = 'INSERT' then
           insert into school.summaries as s (learner, answers, last_active)
           select learner, count(*), max(answered_at) from new_rows group by learner
           on conflict (learner) do update
             set answers = s.answers + excluded.answers,
                 last_active = greatest(s.last_active, excluded.last_active);
         else
           update school.summaries s set answers = greatest(s.answers - d.n, 0)
             from (select learner, count(*) as n from old_rows group by learner) d
            where s.learner = d.learner;
         end if;
         return null;
       end $$)",
    R"(revoke all on function school.count_answers() from public)",
    R"(create or replace trigger answers_counted after insert on school.answers
       referencing new table as new_rows for each statement
       execute function school.count_answers())",
    R"(create or replace trigger answers_uncounted after delete on school.answers
       referencing old table as old_rows for each statement
       execute function school.count_answers())",
    // A learner has their own rows; an instructor reads those of the learners they see.
    R"(do $$ declare t text; begin
         foreach t in array array['answers', 'records', 'summaries'] loop
           execute format('alter table school.%I enable row level security', t);
           execute format('drop policy if exists learner_own on school.%I', t);
           execute format('create policy learner_own on school.%I to school_learner '
                          'using (learner = current_user) with check (learner = current_user)', t);
           execute format('drop policy if exists instructor_reads on school.%I', t);
           execute format('create policy instructor_reads on school.%I for select '
                          'to school_instructor using (learner in (select school.visible_learners()))', t);
         end loop;
       end $$)",
    R"(alter table school.people enable row level security)",
    R"(drop policy if exists learner_self on school.people)",
    R"(create policy learner_self on school.people for select to school_learner
       using (role = current_user))",
    R"(drop policy if exists instructor_reads on school.people)",
    R"(create policy instructor_reads on school.people for select to school_instructor
       using (role = current_user or role in (select school.visible_learners())))",
    // Sent rows are never changed: a learner inserts, reads and deletes; only their summary's
    // own figures may be rewritten (the count and last answer are the trigger's).
    R"(revoke all on school.schools, school.people, school.answers, school.records,
       school.summaries from public, school_learner, school_instructor)",
    R"(revoke all on sequence school.schools_id_seq from public)",
    R"(grant select on school.people to school_learner, school_instructor)",
    R"(grant select, insert, delete on school.answers, school.records to school_learner)",
    R"(grant select, delete on school.summaries to school_learner)",
    R"(grant insert (learner, car_type, readiness_enough, readiness_low, readiness_mid,
                     readiness_high, coverage, seen, total, weak_chapters, weak_topics, updated_at),
             update (car_type, readiness_enough, readiness_low, readiness_mid, readiness_high,
                     coverage, seen, total, weak_chapters, weak_topics, updated_at)
       on school.summaries to school_learner)",
    R"(grant select on school.answers, school.records, school.summaries to school_instructor)",
};

// Who else logs in and who is connected: a superuser can take these from everyone else in
// this database. Role names stay guessable through casts such as 'name'::regrole; the
// server offers no way to stop that.
const char* const HideRolesStatement =
    R"(revoke select on pg_catalog.pg_roles, pg_catalog.pg_user, pg_catalog.pg_group,
       pg_catalog.pg_auth_members, pg_catalog.pg_stat_activity from public)";

class Transaction {
  public:
    explicit Transaction(QSqlDatabase& db) : db_(db) {
        if (!db_.transaction()) throw SchoolError(db_.lastError().text());
    }
    ~Transaction() {
        if (!done_) db_.rollback();
    }
    void commit() {
        if (!db_.commit()) throw SchoolError(db_.lastError().text());
        done_ = true;
    }

  private:
    QSqlDatabase& db_;
    bool done_ = false;
};

QSqlQuery run(QSqlDatabase& db, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery q(db);
    // The server prepares queries only: statements such as SET and CREATE ROLE run plain.
    const bool ok = values.isEmpty() ? q.exec(sql) : [&] {
        if (!q.prepare(sql)) return false;
        for (const QVariant& v : values)
            q.addBindValue(v);
        return q.exec();
    }();
    if (!ok) throw SchoolError(q.lastError().text());
    return q;
}

// A statement with identifiers and literals quoted by the server itself (format %I, %L).
QString quoted(QSqlDatabase& db, const QString& pattern, const QVariantList& values) {
    QSqlQuery q = run(db, QStringLiteral("select format(%1)").arg(pattern), values);
    if (!q.next()) throw SchoolError(QStringLiteral("the server did not quote a statement"));
    return q.value(0).toString();
}

bool isSuperuser(QSqlDatabase& db) {
    QSqlQuery q = run(db, QStringLiteral("select current_setting('is_superuser') = 'on'"));
    return q.next() && q.value(0).toBool();
}

void requireName(const QString& role) {
    if (const QString problem = personNameProblem(role); !problem.isEmpty())
        throw SchoolError(problem);
}

} // namespace

QStringList SchoolSchema::install() {
    QStringList notDone;
    Transaction t(db_);
    for (const char* statement : SchemaStatements)
        run(db_, QString::fromUtf8(statement));
    if (isSuperuser(db_))
        run(db_, QString::fromUtf8(HideRolesStatement));
    else
        notDone << QStringLiteral("the role list stays readable: hiding it needs a superuser");
    t.commit();
    return notDone;
}

int SchoolSchema::addSchool(const QString& name) {
    if (name.trimmed().isEmpty()) throw SchoolError(QStringLiteral("a school needs a name"));
    Transaction t(db_);
    run(db_, QStringLiteral("insert into school.schools(name) values (?) on conflict do nothing"),
        {name});
    QSqlQuery q = run(db_, QStringLiteral("select id from school.schools where name = ?"), {name});
    q.next();
    const int id = q.value(0).toInt();
    t.commit();
    return id;
}

QString SchoolSchema::addPerson(const Person& person, const QString& given) {
    requireName(person.role);
    if (person.displayName.trimmed().isEmpty())
        throw SchoolError(QStringLiteral("%1 needs a display name").arg(person.role));
    const QString password = given.isEmpty() ? makePassword() : given;
    const bool learner = person.kind == PersonKind::Learner;
    Transaction t(db_);
    QSqlQuery school =
        run(db_, QStringLiteral("select id from school.schools where name = ?"), {person.school});
    if (!school.next()) throw SchoolError(QStringLiteral("no school '%1'").arg(person.school));
    const int schoolId = school.value(0).toInt();
    // The server keeps only a scram-sha-256 verifier, whatever its default.
    run(db_, QStringLiteral("set local password_encryption = 'scram-sha-256'"));
    // A learner holds at most a few connections: a runaway program cannot take the server's.
    run(db_,
        quoted(db_,
               QStringLiteral("'create role %I login password %L connection limit %s in "
                              "role %I', ?::text, ?::text, ?::text, ?::text"),
               {person.role, password, learner ? QStringLiteral("10") : QStringLiteral("-1"),
                learner ? QStringLiteral("school_learner") : QStringLiteral("school_instructor")}));
    run(db_,
        QStringLiteral("insert into school.people(role, school_id, kind, display_name, group_name) "
                       "values (?, ?, ?, ?, ?)"),
        {person.role, schoolId, learner ? QStringLiteral("learner") : QStringLiteral("instructor"),
         person.displayName,
         person.group.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : person.group});
    t.commit();
    return password;
}

void SchoolSchema::removeLearner(const QString& role) {
    requireName(role);
    Transaction t(db_);
    QSqlQuery who = run(
        db_, QStringLiteral("select kind from school.people where role = ? for update"), {role});
    if (!who.next() || who.value(0).toString() != QLatin1String("learner"))
        throw SchoolError(QStringLiteral("no learner '%1'").arg(role));
    for (const char* table : {"answers", "records", "summaries"})
        run(db_,
            QStringLiteral("delete from school.%1 where learner = ?").arg(QLatin1String(table)),
            {role});
    run(db_, QStringLiteral("delete from school.people where role = ?"), {role});
    QSqlQuery oid = run(db_, QStringLiteral("select ?::text::regrole::oid"), {role});
    oid.next();
    const QVariant roleId = oid.value(0);
    run(db_, quoted(db_, QStringLiteral("'drop role %I', ?::text"), {role}));
    t.commit();
    // A program still connected is cut off now rather than at its next login. Only a
    // superuser sees every session: otherwise the server refuses them at the next login.
    QSqlQuery end(db_);
    end.prepare(QStringLiteral("select pg_terminate_backend(pid) from pg_catalog.pg_stat_activity "
                               "where usesysid = ?"));
    end.addBindValue(roleId);
    end.exec();
}

JoinDetails SchoolSchema::joinDetails(const QString& role, const QString& password) const {
    // The server says where it is: the connection may have taken its port and database from
    // the environment.
    QSqlDatabase db = db_;
    QSqlQuery where =
        run(db, QStringLiteral("select current_setting('port')::int, current_database()"));
    where.next();
    JoinDetails d;
    d.host = db.hostName();
    if (d.host.isEmpty() || d.host.startsWith(QLatin1Char('/')))
        d.host = QStringLiteral("localhost");
    d.port = where.value(0).toInt();
    d.database = where.value(1).toString();
    d.role = role;
    d.password = password;
    return d;
}

QString SchoolSchema::makePassword() {
    // No 0/O, 1/l/I: a learner may have to type it from paper.
    static const QString alphabet =
        QStringLiteral("abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789");
    QString password;
    for (int i = 0; i < 20; ++i)
        password += alphabet.at(QRandomGenerator::system()->bounded(int(alphabet.size())));
    return password;
}

} // namespace School
