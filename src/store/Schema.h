#pragma once

#include "Layer.h"

#include <QString>

class QSqlDatabase;

// Brings a bank made by an older build up to date inside the caller's transaction: the topics
// and rule columns, the rule-change table, the answer history, review schedule and favourites
// tables and the settings rows of newer features. Existing rows are never changed. Returns an error
// text, or empty.
QString UpgradeSchema(QSqlDatabase& db);

// Empty when the open database has the tables and columns this program reads and writes;
// otherwise the first one missing ("Param.ParamID"). A file of another program with tables of
// the same names is no bank of ours and must be left as it is.
QString MissingBankColumn(const QSqlDatabase& db);
