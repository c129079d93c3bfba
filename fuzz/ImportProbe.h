#pragma once

#include <QByteArray>
#include <QString>

// Imports `csv` into a copy of a small bank and checks what must hold whatever the input:
// a refused import leaves the bank byte for byte as it was, an accepted one leaves a bank
// that passes every check. Returns what broke, or an empty text.
QString probeImport(const QByteArray& csv, const QString& workDir);
