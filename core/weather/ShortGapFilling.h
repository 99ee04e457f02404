#pragma once

#include "core/weather/LocalDayHours.h"

// Short gaps in a local day's hours filled from the hours around them. A station that misses
// an hour or two at midday would otherwise lose the whole day's radiation, and the day's ETo
// would fall back to the far rougher estimate from the temperature range.
namespace tavi::eto
{

// The longest run of missing hours filled, and only with a reading of the same local day on
// each side: longer gaps, or gaps at the day's edges, are weather nobody saw.
constexpr int kLongestFilledGap = 2;

// The least extraterrestrial radiation of an hour, MJ m-2, whose clearness index Rs/Ra is
// taken for its neighbours': about the sun 6° above the horizon over the hour. Around sunrise
// and sunset the reading is mostly diffuse light and the sensor's offset over a Ra near zero,
// and the ratio says nothing of the sky.
constexpr long double kLeastClearnessRa = 0.5L;

// Fills each gap of at most kLongestFilledGap hours between two readings of a quantity.
// Temperatures, humidities, dew point and wind: linearly between the two readings. Radiation:
// through the clearness index Rs/Ra of the hours, `ra` giving each hour's extraterrestrial
// radiation in MJ m-2 (eq. 28):
//   - both neighbours with Ra of at least kLeastClearnessRa: their indices interpolated;
//   - one of them: its index, the other's meaning nothing;
//   - neither (a gap in the twilight): the radiation itself interpolated;
//   - an hour without sun (Ra 0): 0.
// A negative reading counts 0, as it does in the day's sum. Rainfall is never filled: a
// shower in the gap cannot be told from the hours around it.
// Returns how many hours had anything filled.
int fillShortGaps(LocalDayHours &day, const HourValues &ra);

} // namespace tavi::eto
