#pragma once

#include "core/base/LocaleSettings.h"
#include "core/summary/MunicipalSummary.h"

#include <QString>

namespace tavi::cli
{

// The summary as `tavi calcular` prints it: a table of the sectors computed (annual volume,
// share, the day of the largest daily demand and that demand) and their total, a note when
// the total leaves a sector out, and the dilution's maximum with its point. Figures are
// readable, in the locale's separators. The sectors' messages are not part of it.
QString summaryText(const MunicipalSummary &summary, const QString &studyName,
                    const LocaleSettings &locale = LocaleSettings::current());

} // namespace tavi::cli
