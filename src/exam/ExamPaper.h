#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The chapters of a class's paper in order, each with its number of questions.
using ChapterQuotas = QList<QPair<QString, int>>;
ChapterQuotas QuotasOf(const QString& carTypeCode);
