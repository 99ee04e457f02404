#pragma once

#include "core/summary/MunicipalSummary.h"

#include <QIODevice>
#include <QString>

// The summary's printed report, a PDF: the study's name and notes, each sector's inputs, the
// monthly totals of the day table (months of the series' year), the annual figures and the two
// charts. Figures meant for reading are grouped ("177.229.279 m³"). A total that leaves a
// sector out says so on the first page and beside each figure.
namespace SummaryReport
{

// The report as HTML; the charts stand as the marks "[[grafico-diario]]" and
// "[[grafico-participacao]]" until they are drawn in.
QString reportHtml(const tavi::Study &study, const tavi::MunicipalSummary &summary);

// Writes the report to `path`, its charts drawn as vectors; throws tavi::TaviError with a
// Portuguese message naming the file when it cannot be written.
void write(const QString &path, const tavi::Study &study, const tavi::MunicipalSummary &summary);
// The same into an open device, for a caller that puts the file in place itself; whether the
// device took it all is for the caller to check.
void write(QIODevice &device, const tavi::Study &study, const tavi::MunicipalSummary &summary);

} // namespace SummaryReport
