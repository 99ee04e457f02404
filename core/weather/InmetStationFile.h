#pragma once

#include "core/weather/WeatherDay.h"

#include <QByteArray>

// The hourly files of INMET's automatic stations ("dados históricos", BDMEP): a few header
// lines ("ESTACAO:;...", "LATITUDE:;-23,49", ...), a line of column titles starting
// "Data;Hora UTC", then one line an hour; ";" between fields, decimal commas, -9999 or an
// empty field for what was not measured. Titles are found by their words, accents and case
// aside, since they change between years; columns the program does not use are skipped.
// The exports of the institute's BDMEP portal read as well: "Latitude: -23.49" header lines,
// "Data Medicao;Hora Medicao", hours as "0000" and "null" for what was not measured.
//
// Hours are gathered into the station's local days: the line of hour h (UTC) holds the hour
// ending then, and the local zone is the longitude's (longitude / 15, rounded), so that São
// Paulo's day runs from 03:00 UTC to 03:00 UTC. Per day:
//   - Tmax and Tmin: the extremes of the hourly maximum and minimum columns, an hour without
//     them taking its dry-bulb reading; RHmax and RHmin alike from the humidity columns;
//   - RH, dew point and wind (at 10 m): the mean of the hours;
//   - rainfall: the sum of the hours;
//   - solar radiation: the sum of the hours, kJ/m² turned into MJ/m²; a negative hour (the
//     sensor's night offset) counts 0.
// A quantity is missing for the day when more than kMostMissingHours of its 24 hours are
// missing; radiation when its missing hours would have brought more than
// kMostMissingRadiationShare of the day's extraterrestrial radiation (so missing night hours
// do not matter, and a missing midday hour does). Nothing is filled in.
namespace tavi::eto
{

constexpr int kMostMissingHours = 6;
constexpr long double kMostMissingRadiationShare = 0.05L;
constexpr long double kInmetWindHeight = 10;

// The station and its days. Throws TaviError, with nothing read, when the text is not such a
// file (no column titles, no temperature column, no latitude, longitude or altitude), and for
// the first field that is not a number, a date or an hour, or lies outside what the quantity
// can be in the file's units (temperatures from -60 to 60 °C, humidity from 0 to 100 %...),
// naming its line and column; also for an hour given twice.
StationSeries readInmetStationFile(const QByteArray &bytes);

} // namespace tavi::eto
