#pragma once

#include "Patterns.h"
#include "Question.h"

#include <QPair>
#include <QSet>
#include <functional>

class QSqlDatabase;

// Problems of a bank, one line each ("file: question ID: what is wrong").
// With `quality`, the quality findings go there; with `surface`, every question as the
// answer-by-pattern measures read it.
QStringList checkBank(const QString& file, const QString& picturesDir,
                      QStringList* quality = nullptr, QList<PatternQuestion>* surface = nullptr);

using PictureExists = std::function<bool(const QString& name)>;

// The same checks on an open connection, so that they also see a transaction's own
// changes; `where` starts every line.
QStringList checkQuestions(const QSqlDatabase& db, const QString& where,
                           const PictureExists& pictureExists);

// What makes a bank one a learner can pass on: every question tagged and explained from its
// source, no near-duplicates, no right option given away by its length, balanced keys. The
// shipped bank must meet it; for another bank it is advice.
QStringList checkQuality(const QSqlDatabase& db, const QString& where);

// One question's values as text, as the bank or a spreadsheet holds them.
struct QuestionFields {
    QString id;
    QString type;
    QString question;
    QStringList options; // An1..An4
    QString answer;
    QString image;
    QString classes;
    QString chap;
    QString rule; // empty, or a key of the bank's rule changes
};

struct FieldProblem {
    QString column; // the Paper column at fault
    QString message;
};

// The rules every question meets, in the order `checkBank` reports them (duplicate IDs are
// the caller's to find); `bankName` is the file name of the bank the question is for.
// `ruleKeys`: the keys of the bank's rule changes.
QList<FieldProblem> questionProblems(const QuestionFields& fields, const QString& bankName,
                                     const PictureExists& pictureExists,
                                     const QSet<QString>& ruleKeys);

// The keys of the bank's rule changes (none in a bank from before them).
QSet<QString> ruleKeys(const QSqlDatabase& db);
