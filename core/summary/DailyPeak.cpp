#include "core/summary/DailyPeak.h"

namespace tavi
{

DailyPeak dailyPeak(const std::vector<long double> &daily)
{
    DailyPeak peak;
    for (std::size_t d = 0; d < daily.size(); ++d) {
        if (peak.day == 0 || daily[d] > peak.value) {
            peak.day = static_cast<int>(d) + 1;
            peak.value = daily[d];
        }
    }
    return peak;
}

} // namespace tavi
