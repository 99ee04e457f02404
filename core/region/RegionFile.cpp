#include "core/region/RegionFile.h"

namespace tavi::region
{

RegionReading readRegion(const QByteArray &)
{
    throw RegionFormatError(QStringLiteral("não implementado"));
}

QByteArray writeRegion(const Region &, const QString &)
{
    return {};
}

RegionReading loadRegionFile(const QString &)
{
    throw RegionFormatError(QStringLiteral("não implementado"));
}

void saveRegionFile(const QString &, const Region &) {}

} // namespace tavi::region
