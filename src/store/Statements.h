#pragma once

#include "Layer.h"

#include "../domain/Domain.h"
#include "../domain/ExamRecord.h"
#include "Bank.h"

#include <QString>

// Every statement the program runs, each named for what it asks. Values are bound as
// parameters, never spliced into the text.
namespace Sql {

// Quotes doubled, for a value that must stand inside a quoted literal.
QString quoted(const QString& value);
// The condition that a question belongs to the class bound to its "?".
QString inClass();

Statement classCount(const QString& code);
Statement classIds(const QString& code);
Statement chapterCount(const QString& code, const QString& chapter);
Statement chapterIds(const QString& code, const QString& chapter);
Statement chapterPracticeIds(const QString& code, const QString& chapter);
Statement classChapterCounts(const QString& code);
Statement wrongCount(const QString& code);
Statement wrongIds(const QString& code);
Statement question(qint64 id);
Statement typeAndAnswer(qint64 id);
Statement wrongMark(qint64 id);
Statement setWrongMark(qint64 id);
Statement clearWrongMark(qint64 id);
Statement clearAllWrongMarks();
Statement readSetting(const QString& key);
Statement examTime();
Statement passScore();
Statement writeSetting(const QString& key, const QString& value);
// A record keeps the time it was earned, also when saved later.
Statement insertRecord(const ExamRecord& record);
// One answer in the history, stamped with the learner's local time of `at`.
Statement insertHistory(qint64 id, const QString& carType, const QString& mode,
                        const QString& answer, bool right, int seconds, int cue,
                        const QDateTime& at);
// Wrong answers to a question on or after a local day ("yyyy-MM-dd").
Statement wrongSince(qint64 id, const QString& day);
Statement questionHistory(qint64 id);
Statement tenBestRecords();
Statement deleteRecord(qint64 id);
Statement deleteAllRecords();

// The learner's progress in a class: the questions most often answered wrong (at least two
// answers, by error rate).
// Every question of a class: ID, chapter, type.
Statement classKinds(const QString& code);
// Every answer oldest first: question, right, cue (null where not kept), whether it was given in
// 随机练习 or a mock exam, and when as a Julian day number (null where not kept).
Statement answersForModel(bool withCue);
Statement oftenWrong(const QString& code);
Statement oftenWrongCount(const QString& code);
Statement oftenWrongIds(const QString& code);
// The class's exam scores oldest first: score, time, age in days at `now`.
Statement scoreTrend(const QString& code, const QString& now);

} // namespace Sql
