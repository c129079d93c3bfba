#pragma once

#include <QString>

class QSqlDatabase;

// Brings a bank made by an older build up to date inside the caller's transaction: the topics
// and rule columns, the rule-change table, the answer history, review schedule and favourites
// tables and the settings rows of newer features. Existing rows are never changed. Returns an error
// text, or empty.
QString UpgradeSchema(QSqlDatabase& db);
