#pragma once

#include "core/balance/HorizonBalance.h"
#include "core/balance/WaterBalance.h"
#include "core/study/Study.h"
#include "models/U_Resumo_Municipio/HorizonReportChapter.h"

#include <QString>

#include <vector>

// The report's chapter on the water balance, for a study that has one: the river's series
// (station, period, the years used and left out), its reference flows and the fits of its
// minima, the chosen reference and the flow that may be granted, the demand against them with
// each class named in its colour, month by month, and, with a horizon, each scenario's first
// critical year; the duration curve, the minima's fit, the monthly balance and the horizon's
// ratios drawn in. A balance that could not be computed says why, and gives whatever the
// river's series does.
namespace BalanceReportChapter
{

// The chapter as HTML, from a new page, its charts standing as marks until they are drawn in;
// empty for a study without a balance. `scenarios` is empty without a horizon.
QString html(const tavi::Study &study, const tavi::balance::WaterBalance &balance,
             const std::vector<tavi::balance::ScenarioBalance> &scenarios);

// The chapter's charts, to be drawn where their marks stand; none for a study without a
// balance, and only those with something to draw.
using Chart = HorizonReportChapter::Chart;
std::vector<Chart> charts(const tavi::Study &study, const tavi::balance::WaterBalance &balance,
                          const std::vector<tavi::balance::ScenarioBalance> &scenarios);

// The balance the report prints for a study whose summary is at hand: the summary's own demand
// when it is the current one, which the balance is defined on, else the current demand
// computed afresh.
tavi::balance::WaterBalance reportBalance(const tavi::Study &study,
                                          const tavi::MunicipalSummary &summary);

} // namespace BalanceReportChapter
