#pragma once

#include "Limits.h"
#include "Topics.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The facts of the exam that the program and the bank tool share: vehicle classes, chapters,
// the paper's quota table and the settings keys.

// A vehicle class as the chooser lists it (index 0, 1, 2 = C, B, A).
struct VehicleClass {
    QString code;        // "C", "B" or "A", the bank's class letter
    QString suffix;      // ends the captions: "小车版"
    QString chooserText; // the chooser's entry: "小车版(C1、C2、C3、C4、C5)"
};
const QList<VehicleClass>& VehicleClasses();
// The chooser index of a class code; -1 for any other text.
int ClassIndex(const QString& code);

// The chapters of a class's paper in order, each with its number of questions.
using ChapterQuotas = QList<QPair<QString, int>>;
ChapterQuotas QuotasOf(const QString& classCode);
// Questions in a paper (the quotas add up to it).
constexpr int PaperSize = 100;

// Chapter titles by code "1"–"9".
QString ChapterTitle(const QString& chapter);

// Largest count, position or id the answer card and the exam clock were designed for.
inline constexpr int MaxInt16 = 32767;

// The settings keys of table Param.
namespace Key {
inline const QString CarType = QStringLiteral("考试车型");
inline const QString AutoSkip = QStringLiteral("正确答题后跳转到下一题");
inline const QString NumberMode = QStringLiteral("真实题号还是顺序题号");
inline const QString ResumePoint = QStringLiteral("上次顺序练习最后一题");
inline const QString Skin = QStringLiteral("默认皮肤");
inline const QString ExamTime = QStringLiteral("考试时间");
inline const QString PassScore = QStringLiteral("合格分数");
inline const QString AutoRemove = QStringLiteral("答对的试题从错题练习中自动除去");
inline const QString StudyMode = QStringLiteral("背题模式");
inline const QString UnseenFirst = QStringLiteral("随机练习未做题优先");
// The learner's comfort: window "x,y,宽,高" (empty until first closed), text size step
// (0 normal, -1 to 3), and reading each new question aloud ("1").
inline const QString WindowGeometry = QStringLiteral("窗口位置和大小");
inline const QString FontStep = QStringLiteral("字号");
inline const QString AutoRead = QStringLiteral("自动朗读");
// The exam-hall mode (ExamHall.h): chosen in 考试说明 ("1"), its rules, and the candidate's
// name and ID number as the hall's header shows them (never required).
inline const QString ExamHall = QStringLiteral("考场模式");
inline const QString HallMovesOn = QStringLiteral("考场答题后自动下一题");
inline const QString HallChangeable = QStringLiteral("考场交卷前可改答案");
inline const QString HallOrder = QStringLiteral("考场题目顺序");
inline const QString HallTooManyWrong = QStringLiteral("考场错题超限");
inline const QString CandidateName = QStringLiteral("考生姓名");
inline const QString CandidateId = QStringLiteral("考生身份证号");
} // namespace Key

// The settings a new bank starts with.
QList<QPair<QString, QString>> ShippedSettings();
// A key's value in a new bank; empty for an unknown key.
QString ShippedSetting(const QString& key);
// The keys this program added to the eight it started with: a bank from an older build lacks
// them until it is written to, and reads their shipped value meanwhile.
const QStringList& NewerSettingKeys();
