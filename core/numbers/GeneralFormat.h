#pragma once

#include "core/base/LocaleSettings.h"

#include <QString>

// Numbers in the general format of grids and labels, and read back from it.
namespace tavi
{

// The general format of a number in a grid cell or label: the value rounded to 15
// significant digits, trailing zeros and a bare trailing separator dropped, the locale's
// decimal separator, no grouping, a leading "-" for negatives, "0" for zero. Fixed notation
// for 0.0001 <= |v| < 10^15 (after rounding), otherwise scientific: mantissa in the same
// style, "E", "-" only for a negative exponent, no leading zeros ("1,5E20", "2E-6", "1E-5").
QString formatGeneral(long double value, const LocaleSettings &locale = LocaleSettings::current());

// The text-to-number rule of the models: blanks (and control characters) at both ends
// skipped, an optional sign, digits with at most one locale decimal separator (at least one
// digit), an optional exponent "E"/"e" with optional sign and at least one digit. Nothing
// else: no grouping, no other separator, no empty text. A value beyond the extended range
// does not read.
bool tryTextToNumber(const QString &text, long double *out,
                     const LocaleSettings &locale = LocaleSettings::current());
// The same, throwing ConvertError ("'%s' não é um valor de ponto flutuante válido").
long double textToNumber(const QString &text,
                         const LocaleSettings &locale = LocaleSettings::current());

// The day label of a daily grid: "01" to "09", then "10", "11", ... "366".
QString dayLabel(int day);

} // namespace tavi
