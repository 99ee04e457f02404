#pragma once

#include "core/horizon/HorizonRun.h"
#include "core/study/Study.h"

#include <QString>

#include <memory>
#include <vector>

class QChartView;

// The report's chapter on the planning horizon, for a study that has one: its years, the
// scenarios and what each sets apart from the base, how the population is projected (the
// base's counts under every method), each scenario's years with the chart of its sectors,
// and the scenarios compared, in a table and a chart of their totals.
namespace HorizonReportChapter
{

// The chapter as HTML, from a new page, its charts standing as marks until they are drawn
// in; empty for a study without a horizon or when there are no runs.
QString html(const tavi::Study &study, const std::vector<tavi::horizon::ScenarioRun> &runs);

// A chart of the chapter, to be drawn where its mark stands, as wide as the text and
// `heightShare` of that high.
struct Chart {
    QString mark;
    std::unique_ptr<QChartView> view;
    double heightShare = 0.5;
};
std::vector<Chart> charts(const std::vector<tavi::horizon::ScenarioRun> &runs);

} // namespace HorizonReportChapter
