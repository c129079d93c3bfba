#pragma once

#include "Layer.h"

#include "JoinDetails.h"
#include "Summary.h"

#include <QDateTime>
#include <QList>
#include <QString>

// One learner of the instructor's school (or group), as the list shows them.
struct RosterRow {
    QString role, name, group;
    QString carType; // empty before their first summary
    bool anyHistory = false;
    ReadinessEstimate estimate; // chapters weakest first
    double coverage = 0;
    int seen = 0, total = 0;
    QList<TopicFigure> topics;
    qint64 answers = 0;
    QDateTime lastActive;  // invalid: never
    QList<int> lastScores; // the newest mock exams first, at most five
};

struct RosterScore {
    int score = 0;
    QDateTime taken;
    bool hall = false;
};

// What the instructor's window reads, through the instructor's own role: the server lets it
// see its school's (or group's) learners and nothing else.
class SchoolRoster {
  public:
    explicit SchoolRoster(const School::JoinDetails& join);
    ~SchoolRoster();
    SchoolRoster(const SchoolRoster&) = delete;
    SchoolRoster& operator=(const SchoolRoster&) = delete;

    // Empty when connected; else plain words.
    QString connect();
    // Every learner with their summary and last five mock exams, in one query.
    QList<RosterRow> learners(QString* error);
    // A learner's mock exams, oldest first.
    QList<RosterScore> scores(const QString& role, QString* error);

  private:
    School::JoinDetails join_;
    QString name_;
};
