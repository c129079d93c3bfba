#pragma once

#include <QString>
#include <QVariant>

// Largest count, position or id the answer card and the exam clock were designed for.
inline constexpr int MaxInt16 = 32767;

// The whole-number value of a text the way the windows read their own captions and hidden
// fields: leading blanks ignored, the number's whole part, 0 when there is no number.
qint64 wholeNumber(const QString& text);

// A bank value as a whole number (its whole part). Text that is no number is a type
// mismatch, a value beyond `limit` an overflow: both are database errors, never a wrap.
qint64 wholePartOf(const QVariant& value, const QString& what, qint64 limit = MaxInt16);
