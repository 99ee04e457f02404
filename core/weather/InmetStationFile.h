#pragma once

#include "core/weather/WeatherDay.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

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
// Paulo's day runs from 03:00 UTC to 03:00 UTC. Each local day's 24 hours are gathered before
// anything is made of them, so that a day whose hours lie in two files is one day.
//
// Short gaps are filled first (core/weather/ShortGapFilling.h): a run of at most 2 missing
// hours of a quantity, with a reading of the same local day on each side, is interpolated
// between those readings, radiation through the hours' clearness index Rs/Ra. Rainfall is
// never filled; longer gaps and gaps at the day's edges stay missing. A filled hour counts as
// measured below, and the day's interpolatedHours says in how many hours anything was filled.
//
// Then per day (core/weather/LocalDayRecord.h):
//   - Tmax and Tmin: the extremes of the hourly maximum and minimum columns, an hour without
//     them taking its dry-bulb reading; RHmax and RHmin alike from the humidity columns;
//   - RH, dew point and wind (at 10 m): the mean of the hours;
//   - rainfall: the sum of the hours;
//   - solar radiation: the sum of the hours, kJ/m² turned into MJ/m²; a negative hour (the
//     sensor's night offset) counts 0.
// A quantity is missing for the day when more than kMostMissingHours (6) of its 24 hours are
// missing; radiation when its missing hours would have brought more than
// kMostMissingRadiationShare (5 %) of the day's extraterrestrial radiation, so that missing
// night hours do not matter and a missing midday hour does.
namespace tavi::eto
{

constexpr long double kInmetWindHeight = 10;

// The station and its days. Throws TaviError, with nothing read, when the text is not such a
// file (no column titles, no temperature column, no latitude, longitude or altitude), and for
// the first field that is not a number, a date or an hour, or lies outside what the quantity
// can be in the file's units (temperatures from -60 to 60 °C, humidity from 0 to 100 %...),
// naming its line and column; also for an hour given twice.
StationSeries readInmetStationFile(const QByteArray &bytes);

// Several files of one station read as one record, as INMET publishes a file per station and
// year: their hours gathered together before the days are made, so that 31 December, whose
// last local hours lie in the next year's file, is one whole day. The station is the first
// file's. Throws TaviError as readInmetStationFile does, each message of one of several files
// naming it ("Arquivo 2, linha 9, ..."), by `names` when given (one a file, in order) and by
// its place in the list otherwise; also for a file of another station (another code or, where
// a file gives none, another place) and for an hour given in two files.
StationSeries readInmetStationFiles(const std::vector<QByteArray> &files,
                                    const QStringList &names = {});

} // namespace tavi::eto
