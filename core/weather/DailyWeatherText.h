#pragma once

#include "core/weather/WeatherDay.h"

#include <QString>
#include <vector>

// Daily station records pasted as text, one day a line, columns split by tabs (as a
// spreadsheet copies them) or by ";". Numbers take a decimal comma or point; an empty field,
// "-" or -9999 is a missing value. Dates are DD/MM/AAAA, AAAA-MM-DD or AAAA/MM/DD.
//
// A first line whose first field is not a date names the columns, in any order and any
// case, accents optional, units in parentheses ignored:
//   Data | Tmax | Tmin | UR (mean relative humidity) | URmax | URmin | Orvalho (dew point) |
//   Vento (m/s) | Altura do vento (m) | Radiação (MJ/m²/dia) | Insolação (h) | Chuva (mm)
// ("Temperatura máxima", "Umidade relativa", "Precipitação" and the like read too). Without
// it the columns are, in order: Data, Tmax, Tmin, UR, Vento, Altura do vento, Radiação,
// Chuva; trailing ones may be left out. Wind without a height is taken at 2 m.
namespace tavi::eto
{

// The days in date order. Throws TaviError naming the line and column of the first field
// that is not a number, a date or a plausible value, of a day whose Tmin exceeds its Tmax,
// of a repeated date, or of an unknown column title; or when there is no day at all.
std::vector<DailyRecord> readDailyRecords(const QString &text);

} // namespace tavi::eto
