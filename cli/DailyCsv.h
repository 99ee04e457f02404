#pragma once

#include "core/summary/MunicipalSummary.h"

#include <QByteArray>

namespace tavi::cli
{

// The summary's day table as CSV, UTF-8: a heading row ("DIA", each sector computed or failed
// with its unit, the total), then days 1 to 366, fields separated by ";" and numbers as the
// day table shows them, with the locale's decimal separator. A sector that failed keeps its
// column, empty; one left out of the selection has none.
QByteArray dailyCsv(const MunicipalSummary &summary);

} // namespace tavi::cli
