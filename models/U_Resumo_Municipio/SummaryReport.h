#pragma once

#include "core/MunicipalSummary.h"

#include <QImage>
#include <QString>

// The summary's printed report, a PDF: the study's name and notes, each sector's inputs, the
// monthly totals of the day table (months of the series' year), the annual figures and the two
// charts. A total that leaves a sector out says so on the first page and beside each figure.
namespace SummaryReport
{

// The charts as pictures, drawn by the window that shows them.
struct Charts {
    QImage daily;
    QImage shares;
};

// The report as HTML, images referred to as "grafico-diario" and "grafico-participacao".
QString reportHtml(const tavi::Study &study, const tavi::MunicipalSummary &summary);

// Writes the report to `path`; throws tavi::TaviError with a Portuguese message naming the
// file when it cannot be written.
void write(const QString &path, const tavi::Study &study, const tavi::MunicipalSummary &summary,
           const Charts &charts);

} // namespace SummaryReport
