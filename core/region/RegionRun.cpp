#include "core/region/RegionRun.h"

namespace tavi::region
{

QStringList RegionResults::failures() const
{
    return {};
}

MunicipalityResult computeMunicipality(const Region &region, int index, const LocaleSettings &)
{
    MunicipalityResult result;
    result.code = region.municipalities[std::size_t(index)].code;
    return result;
}

RegionResults computeRegion(const Region &region, const LocaleSettings &locale,
                            const std::atomic<bool> *, const std::function<void(int, int)> &)
{
    RegionResults results;
    for (std::size_t i = 0; i < region.municipalities.size(); ++i)
        results.municipalities.push_back(computeMunicipality(region, int(i), locale));
    totalRegion(results);
    return results;
}

void totalRegion(RegionResults &) {}

} // namespace tavi::region
