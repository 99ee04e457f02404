#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Reading weather records written as text: the file's encoding, column titles whatever their
// accents, and numbers with a decimal comma or point whatever the user's locale.
namespace tavi::eto
{

// The text of a file: UTF-8 when its bytes are valid UTF-8 (a leading byte-order mark
// dropped), else Latin-1, which every byte sequence is.
QString decodeWeatherText(const QByteArray &bytes);

// A column title reduced for comparison: accents dropped, upper case, runs of blanks made
// one space, "º" read as "°". "Umidade Relativa" and "UMIDADE  RELATIVA" fold alike.
QString foldedTitle(const QString &title);

// A number written with either decimal separator and no grouping, in any locale.
std::optional<long double> readDecimal(const QString &text);

// The values a field may take, so that a file in other units is refused rather than
// computed with.
struct PlausibleRange {
    long double low;
    long double high;
    const char *unit; // as shown in messages
};

namespace ranges
{
extern const PlausibleRange temperature;       // °C
extern const PlausibleRange relativeHumidity;  // %
extern const PlausibleRange windSpeed;         // m/s
extern const PlausibleRange windHeight;        // m
extern const PlausibleRange hourlyRainfall;    // mm
extern const PlausibleRange dailyRainfall;     // mm
extern const PlausibleRange hourlyRadiationKj; // kJ m-2; a sensor's small night negatives pass
extern const PlausibleRange dailyRadiation;    // MJ m-2 day-1
extern const PlausibleRange sunshineHours;     // h
} // namespace ranges

// The value of one field of line `line`: empty text, the stations' -9999 and the portal's
// "null" are missing;
// anything else must be a number within `range`, or TaviError tells the line, the field and
// what is wrong with it.
std::optional<long double> readWeatherField(const QString &text, int line, const QString &field,
                                            const PlausibleRange &range);

// "Linha 12, campo \"...\": <what>".
QString fieldMessage(int line, const QString &field, const QString &what);

} // namespace tavi::eto
