#pragma once

#include "core/base/LocaleSettings.h"

#include <QString>

// What a numeric entry field holds, accepts and reads.
namespace tavi
{

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

} // namespace tavi
