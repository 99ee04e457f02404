#pragma once

#include "core/base/LocaleSettings.h"

#include <QString>

// Numbers as the program writes and reads them as text.
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

// The display text of a value through a pattern such as ",0.00;-,0.00" or ",0.;-,0.":
// sections split by ";" (the second for negatives, shown from the magnitude with its
// literals), "0" digit placeholders, "," anywhere turns on thousands grouping, "." marks the
// decimal separator, decimals rounded half away from zero, quoted text literal. An empty
// pattern means the locale's currency pattern. Values of 10^18 and beyond show in the
// general format.
QString formatDisplay(long double value, const QString &pattern,
                      const LocaleSettings &locale = LocaleSettings::current());
// The locale's currency pattern, e.g. "R$ ,0.00;-R$ ,0.00" for Brazilian settings, with at
// least `minimumDecimals` decimals.
QString currencyPattern(const LocaleSettings &locale = LocaleSettings::current(),
                        int minimumDecimals = 0);
// An amount through the locale's currency pattern, showing at least the decimals the value
// holds once rounded to `decimals`: where the currency has no decimals (rial, yen) 2,5 shows
// as 2,5 and not as 3, so the field never shows a value other than the one it uses.
QString formatCurrency(long double value, int decimals,
                       const LocaleSettings &locale = LocaleSettings::current());

// The edit text of a value: rounded half away from zero to `decimals` places, no grouping,
// trailing zeros and a bare separator dropped; empty for exactly 0 when zeroEmpty.
QString editText(long double value, int decimals, bool zeroEmpty,
                 const LocaleSettings &locale = LocaleSettings::current());
// The value rounded half away from zero to `decimals` places, as the edit text holds it.
long double roundHalfAway(long double value, int decimals);

// Normalises a typed or pasted entry before it is read: blanks at both ends removed,
// thousands separators removed (when they differ from the decimal one), "." and "," that
// are neither separator turned into the decimal separator, "" -> "0", "-" -> "-0".
QString normaliseEntry(const QString &text,
                       const LocaleSettings &locale = LocaleSettings::current());
// Reads an entry field's text: normalise, then the text-to-number rule.
bool readEntry(const QString &text, long double *out,
               const LocaleSettings &locale = LocaleSettings::current());
// Whether a numeric entry field accepts the text a keystroke would leave: normalised
// (without trimming) it has at most `decimals` characters after the decimal separator (up to
// an "E" where one follows it), only digits, "+", "-", "E", "e" and the decimal separator,
// and its first 63 characters read as a number or are the beginning of one ("-", "1,", "1E",
// "1E-"), as does the whole text when it is longer. Leaving a field with an unfinished
// number is the unreadable-text error.
bool acceptsTyped(const QString &candidate, int decimals,
                  const LocaleSettings &locale = LocaleSettings::current());

// The day label of a daily grid: "01" to "09", then "10", "11", ... "366".
QString dayLabel(int day);

} // namespace tavi
