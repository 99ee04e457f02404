#include "models/U_Regiao/RegionReport.h"

namespace RegionReport
{

QString reportHtml(const tavi::region::Region &, const tavi::region::RegionResults &)
{
    return {};
}

void write(const QString &, const tavi::region::Region &, const tavi::region::RegionResults &) {}

void write(QIODevice &, const tavi::region::Region &, const tavi::region::RegionResults &) {}

} // namespace RegionReport
