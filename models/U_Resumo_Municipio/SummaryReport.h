#pragma once

#include "core/MunicipalSummary.h"

#include <QImage>
#include <QString>

// The summary's printed report, a PDF: the study's name and notes, each sector's inputs, the
// monthly totals of the day table, the annual figures and the two charts.
namespace SummaryReport
{

// The charts as pictures, drawn by the window that shows them.
struct Charts {
    QImage daily;
    QImage shares;
};

// The month of each day 1 to 366, the year taken as a leap year ("Jan" to "Dez").
int monthOfDay(int day);

// The report as HTML, images referred to as "grafico-diario" and "grafico-participacao".
QString reportHtml(const tavi::Study &study, const tavi::MunicipalSummary &summary);

// Writes the report to `path`; throws tavi::TaviError with a Portuguese message naming the
// file when it cannot be written.
void write(const QString &path, const tavi::Study &study, const tavi::MunicipalSummary &summary,
           const Charts &charts);

} // namespace SummaryReport
