#pragma once

#include <QString>

#include <set>

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
    QString year;      // the year the series was laid out from ("2023", "ano médio de 2019, 2020")
    QString methods;   // how many days each method gave, as the user reads it
    // The days whose ETP, or whose P, was changed by hand or by a paste since the fill, as a
    // list of days and ranges ("3,17,100-120"); empty when none was.
    QString editedEtpDays;
    QString editedRainDays;
    // What the user chose, as the import's dialog said it; empty in studies saved before the
    // choices existed.
    QString method;   // "Penman–Monteith (FAO-56)" or "Hargreaves–Samani"
    QString location; // kRs of the station's place: "interior (0,16)" or "litoral (0,19)"
    QString etpFill;  // how days without ETo were filled
    QString rainFill; // how days without rainfall were filled
    QString years;    // the years the series was made from ("2019,2020,2021")
    // The days whose ETP, or whose P, the fill gave rather than the records ("13,40-45").
    QString filledEtpDays;
    QString filledRainDays;

    bool operator==(const SeriesOrigin &other) const
    {
        return station == other.station && code == other.code && latitude == other.latitude &&
               longitude == other.longitude && altitude == other.altitude && year == other.year &&
               methods == other.methods && method == other.method && location == other.location &&
               etpFill == other.etpFill && rainFill == other.rainFill && years == other.years &&
               filledEtpDays == other.filledEtpDays && filledRainDays == other.filledRainDays &&
               editedEtpDays == other.editedEtpDays && editedRainDays == other.editedRainDays;
    }
    bool operator!=(const SeriesOrigin &other) const { return !(*this == other); }
};

// The days of the series, 1 to 366; more than half of them changed in ETP or in P, and the
// series is no longer the station's.
constexpr int kSeriesDays = 366;

// A list of days as an origin keeps it ("3,17,100-120"), and back; parts that do not read as
// days of the series are passed over.
QString dayListText(const std::set<int> &days);
std::set<int> dayList(const QString &text);

// Adds days changed by hand to those the origin lists.
void markEditedDays(SeriesOrigin &origin, const std::set<int> &etpDays,
                    const std::set<int> &rainDays);
// How many days had their ETP or P changed since the fill.
int editedDayCount(const SeriesOrigin &origin);
// Whether more than half of the days' ETP, or of their P, was replaced: the series was then
// typed or pasted over, and only says where it came from before.
bool isReplaced(const SeriesOrigin &origin);

// The one-line account of an origin shown beside the series: "Série: A701 SAO PAULO -
// MIRANTE, 2023, Penman–Monteith (360 dias), Hargreaves–Samani (5 dias)", with ", editada à
// mão em 3 dias" after it when days were changed (", chuva 0 em 20 dias sem registro" before
// that when the fill took days without rainfall as dry); "Série: digitada/colada (antes: A701 SAO
// PAULO - MIRANTE, 2023)" once it was replaced.
QString seriesOriginLine(const SeriesOrigin &origin);

// What the user chose in the import: "Penman–Monteith (FAO-56), local interior (0,16); dias
// sem ETo: interpolação até 5 dias, depois média do mês; dias sem chuva: 0 (sem chuva)";
// empty for a series filled before the choices were kept.
QString seriesOriginChoices(const SeriesOrigin &origin);

// The station's place, in the locale's numbers: "latitude -23,4964°, longitude -46,62°,
// altitude 785,64 m".
QString seriesOriginPlace(const SeriesOrigin &origin);

} // namespace tavi
