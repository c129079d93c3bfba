#pragma once

#include "Layer.h"

#include <QSqlDatabase>
#include <QString>

// Points `db` at a bank file with the driver's `options`. A bank whose folder cannot be
// written (a read-only install or copy) is opened read-only as an unchanging file: SQLite
// could not create a write-ahead log's index beside it and would refuse to read it at all.
void setBankFile(QSqlDatabase& db, const QString& file, const QString& options);
