#pragma once

#include "core/balance/HorizonBalance.h"
#include "core/balance/WaterBalance.h"
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

// The water balance as `tavi calcular` prints it after the summary (or the horizon's final
// year), a blank line in front: the reference flow, the ratios and their classes, the months;
// then, with the scenarios of a horizon, each one's first critical year. Its problem, if any,
// goes to standard error, not here.
QString balanceSummaryText(const balance::WaterBalance &balance,
                           const std::vector<balance::ScenarioBalance> &scenarios,
                           const LocaleSettings &locale = LocaleSettings::current());

} // namespace tavi::cli
