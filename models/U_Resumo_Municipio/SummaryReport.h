#pragma once

#include "core/horizon/HorizonRun.h"
#include "core/summary/MunicipalSummary.h"

#include <QIODevice>
#include <QString>

// The summary's printed report, a PDF: the study's name and notes, each sector's inputs, the
// monthly totals of the day table (months of the series' year), the annual figures and the two
// charts; for a study with a planning horizon, a chapter on it (HorizonReportChapter.h), and for
// one with a water balance, a chapter on that after it (BalanceReportChapter.h). Figures
// meant for reading are grouped ("177.229.279 m³"). A total that leaves a sector out says so on
// the first page and beside each figure.
namespace SummaryReport
{

// The report as HTML; the charts stand as the marks "[[grafico-diario]]" and
// "[[grafico-participacao]]" until they are drawn in. The horizon's chapter comes from `runs`,
// the study's scenarios as runHorizon gives them; none without them. The balance is computed
// here from the summary, and over the horizon from `runs`.
QString reportHtml(const tavi::Study &study, const tavi::MunicipalSummary &summary,
                   const std::vector<tavi::horizon::ScenarioRun> &runs = {});

// Writes the report to `path`, its charts drawn as vectors; throws tavi::TaviError with a
// Portuguese message naming the file when it cannot be written. The horizon's scenarios are
// computed here when the study has a horizon.
void write(const QString &path, const tavi::Study &study, const tavi::MunicipalSummary &summary);
// The same into an open device, for a caller that puts the file in place itself; whether the
// device took it all is for the caller to check.
void write(QIODevice &device, const tavi::Study &study, const tavi::MunicipalSummary &summary);
// The same with the horizon's scenarios already computed (none for a study without one).
void write(QIODevice &device, const tavi::Study &study, const tavi::MunicipalSummary &summary,
           const std::vector<tavi::horizon::ScenarioRun> &runs);

} // namespace SummaryReport
