#pragma once

#include "Layer.h"

#include "../domain/Readiness.h"

#include <QDateTime>
#include <QList>
#include <QString>

class Bank;

// A learner's figures as the school sees them: the same estimate, chapters and topics as the
// learner's own 学习进度, for the class they practise.
struct TopicFigure {
    QString topic;
    int answered = 0;
    int right = 0;
};

struct LearnerSummary {
    QString carType;
    bool anyHistory = false;
    ReadinessEstimate estimate; // its chapters weakest first
    QList<TopicFigure> topics;  // answered ones, the lowest share right first
    int seen() const;
    int total() const;
    double coverage() const;
};

LearnerSummary ReadSummary(Bank& bank, const QDateTime& now = QDateTime::currentDateTime());

// The chapters and topics travel as JSON text in the school's summary row.
QString ChaptersJson(const QList<ChapterOutlook>& chapters);
QList<ChapterOutlook> ChaptersFromJson(const QString& text);
QString TopicsJson(const QList<TopicFigure>& topics);
QList<TopicFigure> TopicsFromJson(const QString& text);
