#pragma once

#include "Layer.h"

#include "../domain/Domain.h"

#include <QString>
#include <QVariant>

// The whole-number value of a text the way the windows read their own captions and hidden
// fields: leading blanks ignored, the number's whole part, 0 when there is no number.
qint64 wholeNumber(const QString& text);

// A bank value as a whole number (its whole part). Text that is no number is a type
// mismatch, a value beyond `limit` an overflow: both are database errors, never a wrap.
qint64 wholePartOf(const QVariant& value, const QString& what, qint64 limit = MaxInt16);
