#pragma once

#include "domain/Domain.h"

#include <QString>

// The limits and file rules that keep the bank tool from harming the bank it works on.

// The largest spreadsheet file `bank import` reads; a cell holds at most MaxCellChars.
constexpr qint64 MaxImportBytes = 64LL << 20;

// Empty when `name` may be a question's picture beside the bank `bankFile`: a plain file name
// with a picture extension that is none of the bank's own files or the program's pictures.
QString pictureNameProblem(const QString& name, const QString& bankFile);

// Empty when `file` is a regular file (not a link, device, FIFO or folder) no larger than
// `maxBytes`; otherwise what is wrong, in plain words.
QString regularFileProblem(const QString& file, qint64 maxBytes);

// Empty when writing `output` replaces only a plain file or makes a new one, and cannot touch
// the bank: it is not the bank itself (by any path, link or hard link) nor one of its journal
// files.
QString outputProblem(const QString& output, const QString& bankFile);

class QSaveFile;
// Why writing `file` through `out` failed, "FILE: cannot write the file: …" (a full disk said
// so); the partial file is removed.
QString writeProblem(const QString& file, QSaveFile& out);

// Cell text fit to echo in a message: control characters shown as '?', long text cut.
QString shown(const QString& text);
