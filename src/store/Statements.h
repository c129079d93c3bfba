#pragma once

#include "../core/Domain.h"

#include <QString>

// Every statement the program runs, character for character, each named for what it asks.
// Text values are spliced in through quoted(), so a quote inside them can never end the
// literal; ids are spliced in only as numbers.
namespace Sql {

QString quoted(const QString& value);

QString classCount(const QString& code);
QString classIds(const QString& code);
QString chapterCount(const QString& code, const QString& chapter);
QString chapterIds(const QString& code, const QString& chapter);
QString chapterPracticeIds(const QString& code, const QString& chapter);
QString classChapters(const QString& code);
QString chapterListCount(const QString& code, const QString& chapter);
QString wrongCount(const QString& code);
QString wrongIds(const QString& code);
QString questionType(qint64 id);
QString question(qint64 id);
QString typeAndAnswer(qint64 id);
QString typeAndAnswerToShow(qint64 id);
QString wrongMark(qint64 id);
QString setWrongMark(qint64 id);
QString clearWrongMark(qint64 id);
QString clearAllWrongMarks();
QString readSetting(const QString& key);
QString examTime();
QString passScore();
QString writeSetting(const QString& key, const QString& value);
QString writeSwitch(const QString& key, const QString& value);
QString insertRecord(int score);
// A score saved later than it was earned keeps the time it was earned.
QString insertRecordAt(int score, const QString& time);
QString tenBestRecords();
QString deleteRecord(qint64 id);
QString deleteAllRecords();

} // namespace Sql
