#include "core/region/RegionTables.h"

namespace tavi::region
{

QStringList municipalityHeaders(const RegionResults &)
{
    return {};
}
void fillMunicipalityTable(CellTable &, const RegionResults &, FiguresStyle) {}
QStringList totalHeaders(const RegionResults &)
{
    return {};
}
void fillTotalTable(CellTable &, const RegionResults &, FiguresStyle) {}
void fillFailureTable(CellTable &, const RegionResults &) {}
void fillSourceTable(CellTable &, const Region &) {}
std::vector<int> largestMunicipalities(const RegionResults &, int)
{
    return {};
}
QByteArray regionCsv(const RegionResults &, const LocaleSettings &)
{
    return {};
}
QString regionText(const RegionResults &, const LocaleSettings &)
{
    return {};
}

} // namespace tavi::region
