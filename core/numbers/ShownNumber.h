#pragma once

#include "core/base/LocaleSettings.h"

#include <QString>

// A model writes every result into a cell in the general format, and the next step reads it
// back from that text: each step works with the fifteen significant digits shown. These give
// the text and the value read back at once, without printing and parsing each number.
namespace tavi
{

struct ShownNumber {
    // formatGeneral(v, locale)
    QString text;
    // textToNumber(text, locale); for a value not finite (never written by a run, whose
    // arithmetic stops first) the value itself.
    long double value = 0;
};

ShownNumber shownNumber(long double v, const LocaleSettings &locale);

// Just the value a general-format text of v reads back as: v to fifteen significant digits.
long double shownValue(long double v);

// roundHalfAway(v, decimals): what a field of `decimals` places holds for v.
long double heldValue(long double v, int decimals);

// tryTextToNumber(text, out, locale), quicker for the plain decimals cells hold ("  12,5").
bool readShownNumber(const QString &text, long double *out, const LocaleSettings &locale);

} // namespace tavi
