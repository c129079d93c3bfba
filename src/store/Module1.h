#pragma once

#include "Layer.h"

#include <QString>
#include <QVariant>

class Bank;
struct Statement;

// The shared readers every window uses.
void OpenQuestionBank(Bank& conn, const QString& programFolder);
int GetExamTime(Bank& conn);
int GetPassScore(Bank& conn);
int GetQuestionSum(Bank& conn, const Statement& sql);

QString ReadSetting(Bank& conn, const QString& key);
// The value of a settings statement's column; a missing row names the key.
QVariant SettingValue(Bank& conn, const Statement& sql, const QString& column, const QString& key);
void WriteSetting(Bank& conn, const QString& key, const QString& value);
// The auto-skip and auto-remove switches are stored with their own statement text.
void WriteSwitch(Bank& conn, const QString& key, int value);

QString BankFile(const QString& programFolder);
