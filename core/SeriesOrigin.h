#pragma once

#include <QString>

// Where the agriculture window's series of ETP and rainfall came from, when it was filled
// from a weather station rather than typed or pasted. Every member is kept as the study
// file holds it: coordinates and altitude with a "." decimal separator, whatever the locale.
namespace tavi
{

struct SeriesOrigin {
    QString station;   // the station's name ("SAO PAULO - MIRANTE")
    QString code;      // its code ("A701"); may be empty
    QString latitude;  // decimal degrees, north positive
    QString longitude; // decimal degrees, east positive
    QString altitude;  // metres
    QString year;      // the year the series was laid out from ("2023")
    QString methods;   // how many days each method gave, as the user reads it

    bool operator==(const SeriesOrigin &other) const
    {
        return station == other.station && code == other.code && latitude == other.latitude &&
               longitude == other.longitude && altitude == other.altitude && year == other.year &&
               methods == other.methods;
    }
    bool operator!=(const SeriesOrigin &other) const { return !(*this == other); }
};

// The one-line account of an origin shown beside the series: "Série: A701 SAO PAULO -
// MIRANTE, 2023, Penman–Monteith (360 dias), Hargreaves–Samani (5 dias)".
QString seriesOriginLine(const SeriesOrigin &origin);

// The station's place, in the locale's numbers: "latitude -23,4964°, longitude -46,62°,
// altitude 785,64 m".
QString seriesOriginPlace(const SeriesOrigin &origin);

} // namespace tavi
