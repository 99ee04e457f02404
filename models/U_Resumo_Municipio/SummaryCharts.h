#pragma once

#include "core/summary/MunicipalSummary.h"

class QChartView;
class QWidget;

// The summary's two charts: the three sectors' daily demand as stacked areas over the year,
// and each sector's share of the annual volume as a pie. A sector that could not be computed
// is left out of both.
QChartView *makeDailyDemandChart(const tavi::MunicipalSummary &summary, QWidget *parent);
QChartView *makeAnnualSharesChart(const tavi::MunicipalSummary &summary, QWidget *parent);
