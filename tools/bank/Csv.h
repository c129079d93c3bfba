#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

// One record of a spreadsheet file. A cell is a QString, or a null QVariant when it was
// empty and unquoted (the bank's NULL); a quoted empty cell ("") is an empty text.
struct CsvRecord {
    int line = 0; // the line the record starts on
    QList<QVariant> cells;
};

struct CsvFile {
    QList<CsvRecord> records; // rows with nothing in any cell are left out
    QString encoding;         // as detected, for messages
    char delimiter = ',';
    QString warning; // read, but the text may not be what the person meant
    QString error;   // empty when the whole file was read
    int errorLine = 0;
};

// Reads a spreadsheet export: UTF-8 (with or without a byte order mark), UTF-16 with a
// byte order mark, or GB18030/GBK; comma or tab separated, as the header line shows.
CsvFile readCsv(const QString& file);

// One cell as CSV text: quoted when it has to be, a null value as nothing at all.
QByteArray csvCell(const QVariant& value, char delimiter = ',');

// A spreadsheet runs a cell that starts with = + - @ (or a tab or carriage return) as a
// formula. Export writes such a cell, and one that starts with an apostrophe, with an
// apostrophe in front; import takes exactly that apostrophe off again.
QString defused(const QString& text);

class QSqlQuery;
// Writes `header` and every row of the executed `rows` as a UTF-8 CSV file with a byte order
// mark, cells defused. Every write and the last flush are checked: on a full disk no partial
// file is left. Returns what went wrong, or empty; `count` gets the rows written.
QString writeCsvFile(const QString& file, const QStringList& header, QSqlQuery& rows, int* count);
QString undefused(const QString& text);
