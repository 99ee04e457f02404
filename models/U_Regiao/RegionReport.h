#pragma once

#include "core/region/Region.h"
#include "core/region/RegionRun.h"

#include <QIODevice>
#include <QString>

// The region's printed report, a PDF: its name and notes, the template and the inputs by
// source table, the results per municipality, the totals per group and for the region, the
// charts, and the municipalities that failed with their messages.
namespace RegionReport
{

QString reportHtml(const tavi::region::Region &region, const tavi::region::RegionResults &results);
// Throws tavi::TaviError with a Portuguese message naming the file when it cannot be written.
void write(const QString &path, const tavi::region::Region &region,
           const tavi::region::RegionResults &results);
// Into an open device, for a caller that puts the file in place itself.
void write(QIODevice &device, const tavi::region::Region &region,
           const tavi::region::RegionResults &results);

} // namespace RegionReport
