#pragma once

#include "Question.h"

#include <QPair>

// Settings rows a new bank starts with.
QList<QPair<QString, QString>> shippedSettings();

// Writes `questions` into the bank at `file`. A missing file becomes a new bank with the
// three tables and the shipped settings; an existing bank gets its question content
// refreshed in one transaction, and keeps every wrong-question mark, setting and record.
// Returns an empty text on success, else what went wrong.
QString writeBank(const QString& file, const QList<Question>& questions,
                  const QList<QPair<QString, QString>>& settings = shippedSettings());

// Problems of a bank, one line each ("file: question ID: what is wrong").
QStringList checkBank(const QString& file, const QString& picturesDir);
