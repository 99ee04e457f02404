#pragma once

#include "core/base/LocaleSettings.h"

#include <QString>

// Numbers through a field's display pattern, the currency's among them.
namespace tavi
{

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

} // namespace tavi
