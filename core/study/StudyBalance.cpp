#include "core/study/StudyBalance.h"

namespace tavi
{

namespace
{

bool sameSeries(const std::optional<flows::FlowSeries> &a,
                const std::optional<flows::FlowSeries> &b)
{
    if (a.has_value() != b.has_value())
        return false;
    if (!a)
        return true;
    return a->station == b->station && a->first == b->first && a->days == b->days;
}

} // namespace

bool StudyBalance::operator==(const StudyBalance &other) const
{
    return sameSeries(series, other.series) && seriesSource == other.seriesSource &&
           reference == other.reference && typedFlow == other.typedFlow &&
           grantShare == other.grantShare && firstMonth == other.firstMonth && fit == other.fit;
}

} // namespace tavi
