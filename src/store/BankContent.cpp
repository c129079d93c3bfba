#include "BankContent.h"

#include "BankFileName.h"
#include "Schema.h"
#include "domain/Domain.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {

const char* const Schema[] = {
    ("create table Paper (ID integer primary key, Type text, Question text, An1 text, An2 text, "
     "An3 text, An4 text, AnswerTrue text, ImageUrl text, LicenseType text, chap text, "
     "strType text, ErrPaper integer not null default 0, Explain text, Tags text, Rule text)"),
    "create table Param (ParamID text primary key, ParamValue text)",
    ("create table Record (ID integer primary key autoincrement, score integer, "
     "RecordTime text default (datetime('now','localtime')))"),
};

// One connection for one task, removed when the task ends.
class Connection {
  public:
    explicit Connection(const QString& file, bool readOnly = false) {
        static std::atomic<int> counter{0};
        name_ = QStringLiteral("banktool-%1").arg(counter++);
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        openBankFile(db, file, QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"), readOnly);
    }
    ~Connection() {
        { QSqlDatabase::database(name_, false).close(); }
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

  private:
    QString name_;
};

QString run(QSqlQuery& q, const QString& sql) {
    return q.exec(sql) ? QString() : q.lastError().text();
}

bool hasColumn(const QSqlDatabase& db, const QString& table, const QString& column) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("select 1 from pragma_table_info(?) where name = ? collate nocase"));
    q.addBindValue(table);
    q.addBindValue(column);
    return q.exec() && q.next();
}

} // namespace

QList<QPair<QString, QString>> shippedSettings() {
    return ShippedSettings();
}

QString writeBank(const QString& file, const QList<Question>& questions,
                  const QList<QPair<QString, QString>>& settings, const QList<RuleChange>& rules) {
    const bool fresh = !QFileInfo::exists(file);
    Connection connection(file);
    auto db = connection.db();
    if (!db.isOpen()) return db.lastError().text();
    QSqlQuery q(db);
    if (!db.transaction()) return db.lastError().text();
    auto fail = [&](const QString& error) {
        db.rollback();
        return error.isEmpty() ? QStringLiteral("unknown error") : error;
    };
    if (fresh) {
        for (const char* statement : Schema)
            if (const QString e = run(q, QString::fromLatin1(statement)); !e.isEmpty())
                return fail(e);
        q.prepare(QStringLiteral("insert into Param(ParamID, ParamValue) values(?, ?)"));
        for (const auto& [key, value] : settings) {
            q.addBindValue(key);
            q.addBindValue(value);
            if (!q.exec()) return fail(q.lastError().text());
        }
    }
    // A bank from an older build gains what newer features need; its rows stay as they are.
    if (const QString e = UpgradeSchema(db); !e.isEmpty()) return fail(e);
    // Content columns only: ErrPaper stays as the learner left it.
    QSqlQuery upsert(db);
    upsert.prepare(QStringLiteral(
        "insert into Paper(ID, Type, Question, An1, An2, An3, An4, AnswerTrue, ImageUrl, "
        "LicenseType, chap, strType, Explain, Tags, Rule) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?) "
        "on conflict(ID) do update set Type=excluded.Type, Question=excluded.Question, "
        "An1=excluded.An1, An2=excluded.An2, An3=excluded.An3, An4=excluded.An4, "
        "AnswerTrue=excluded.AnswerTrue, ImageUrl=excluded.ImageUrl, "
        "LicenseType=excluded.LicenseType, chap=excluded.chap, strType=excluded.strType, "
        "Explain=excluded.Explain, Tags=excluded.Tags, Rule=excluded.Rule"));
    QStringList ids;
    for (const Question& question : questions) {
        upsert.addBindValue(question.id);
        upsert.addBindValue(question.type);
        upsert.addBindValue(question.question);
        for (int i = 0; i < 4; ++i)
            upsert.addBindValue(question.options.value(i));
        upsert.addBindValue(question.answerTrue);
        upsert.addBindValue(question.imageUrl);
        upsert.addBindValue(question.licenseType);
        upsert.addBindValue(question.chap);
        upsert.addBindValue(question.strType);
        upsert.addBindValue(question.explain);
        upsert.addBindValue(question.tags);
        upsert.addBindValue(question.rule.isEmpty() ? QVariant() : QVariant(question.rule));
        if (!upsert.exec()) return fail(upsert.lastError().text());
        ids.append(QString::number(question.id));
    }
    // Questions no longer in the source leave the bank.
    if (const QString e =
            run(q, QStringLiteral("delete from Paper where ID not in (%1)")
                       .arg(ids.isEmpty() ? QStringLiteral("null") : ids.join(QLatin1Char(','))));
        !e.isEmpty())
        return fail(e);
    if (const QString e = run(q, QStringLiteral("delete from RuleChange")); !e.isEmpty())
        return fail(e);
    QSqlQuery insertRule(db);
    insertRule.prepare(QStringLiteral(
        "insert into RuleChange(RuleKey, Since, Source, Change) values(?, ?, ?, ?)"));
    for (const RuleChange& rule : rules) {
        for (const QString& value : {rule.key, rule.date, rule.source, rule.change})
            insertRule.addBindValue(value);
        if (!insertRule.exec()) return fail(insertRule.lastError().text());
    }
    if (!db.commit()) return fail(db.lastError().text());
    return {};
}

QList<Question> readBankQuestions(const QString& file, QString& error) {
    error.clear();
    // Opening a missing file would create an empty bank.
    if (!QFileInfo(file).isFile()) {
        error = QStringLiteral("no such file");
        return {};
    }
    Connection connection(file, true);
    auto db = connection.db();
    if (!db.isOpen()) {
        error = db.lastError().text();
        return {};
    }
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // A bank from an older build lacks the columns of newer features: no explanations, tags or
    // rule changes (it may be open read-only).
    QStringList columns = {"ID",  "Type",       "Question", "An1",         "An2",  "An3",
                           "An4", "AnswerTrue", "ImageUrl", "LicenseType", "chap", "strType"};
    for (const char* newer : {"Explain", "Tags", "Rule"})
        columns.append(hasColumn(db, QStringLiteral("Paper"), QString::fromLatin1(newer))
                           ? QString::fromLatin1(newer)
                           : QStringLiteral("null"));
    if (!q.exec(QStringLiteral("select %1 from Paper order by ID").arg(columns.join(u',')))) {
        error = q.lastError().text();
        return {};
    }
    QList<Question> questions;
    while (q.next()) {
        Question question;
        question.id = q.value(0).toLongLong();
        question.type = q.value(1).toString();
        question.question = q.value(2).toString();
        for (int i = 3; i < 7; ++i)
            question.options.append(q.value(i).toString());
        question.answerTrue = q.value(7).toString();
        question.imageUrl = q.value(8).toString();
        question.licenseType = q.value(9).toString();
        question.chap = q.value(10).toString();
        question.strType = q.value(11).toString();
        question.explain = q.value(12).toString();
        question.tags = q.value(13).toString();
        question.rule = q.value(14).toString();
        questions.append(question);
    }
    return questions;
}

QList<RuleChange> readBankRules(const QString& file, QString& error) {
    error.clear();
    if (!QFileInfo(file).isFile()) {
        error = QStringLiteral("no such file");
        return {};
    }
    Connection connection(file, true);
    auto db = connection.db();
    if (!db.isOpen()) {
        error = db.lastError().text();
        return {};
    }
    if (!db.tables().contains(QStringLiteral("RuleChange"))) return {};
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral(
            "select RuleKey, Since, Source, Change from RuleChange order by Since, RuleKey"))) {
        error = q.lastError().text();
        return {};
    }
    QList<RuleChange> rules;
    while (q.next())
        rules.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                      q.value(3).toString()});
    return rules;
}
