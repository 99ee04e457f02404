#include "core/region/Region.h"

namespace tavi::region
{

QString inputPath(const QString &window, const QString &component)
{
    return window + QLatin1Char('/') + component;
}

QString inputCaption(const QString &path)
{
    return path;
}

QString Municipality::displayName() const
{
    return state.isEmpty() ? name : name + QStringLiteral(" (") + state + QLatin1Char(')');
}

bool Municipality::operator==(const Municipality &other) const
{
    return code == other.code && name == other.name && state == other.state &&
           group == other.group && overrides == other.overrides && sources == other.sources &&
           notAvailable == other.notAvailable && referenceFlow == other.referenceFlow &&
           referenceFlowSource == other.referenceFlowSource;
}

int Region::indexOf(const QString &code) const
{
    for (std::size_t i = 0; i < municipalities.size(); ++i)
        if (municipalities[i].code == code)
            return int(i);
    return -1;
}

bool Region::operator==(const Region &other) const
{
    return name == other.name && notes == other.notes && templateStudy == other.templateStudy &&
           municipalities == other.municipalities;
}

Region emptyRegion()
{
    Region region;
    region.templateStudy = defaultStudy();
    return region;
}

Study municipalityStudy(const Region &region, int index)
{
    Study study = region.templateStudy;
    study.name = region.municipalities[std::size_t(index)].displayName();
    return study;
}

StudyOverrides overridesOf(const Study &, const Study &)
{
    return {};
}

void setMunicipalityStudy(Region &, int, const Study &) {}

} // namespace tavi::region
