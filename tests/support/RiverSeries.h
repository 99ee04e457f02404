#pragma once

#include "core/flows/FlowSeries.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

// A river of the Brazilian interior as a gauging station records it, made up for tests and
// screenshots: rain from November to March and hardly any from June to September, each storm a
// quick rise that falls back within days onto a baseflow that recedes slowly through the dry
// season. Some years are wetter than others, and the record has gaps as real ones do: stray
// days, a fortnight lost to a broken gauge, and whole months of two years, so that those
// years are left out of Q7,10. The same seed always gives the same river, on any machine: the
// random numbers are the program's own, not a standard distribution's.
namespace RiverSeries
{

constexpr int kFirstYear = 1981;
constexpr int kYears = 34;
const QString kStation = QStringLiteral("56425000 - RIO PIRACICABA EM NOVA ERA");
const QString kStationCode = QStringLiteral("56425000");

class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed ? seed : 0x9e3779b97f4a7c15ULL) {}
    // Uniform in [0, 1).
    double uniform()
    {
        // xorshift64*
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return double((m_state * 0x2545f4914f6cdd1dULL) >> 11) / double(1ULL << 53);
    }

private:
    std::uint64_t m_state;
};

// The chance of a storm on a day of `month`: the wet season's and the dry season's.
inline double stormChance(int month)
{
    static const double chance[12] = {0.38, 0.30, 0.30, 0.16, 0.07, 0.03,
                                      0.02, 0.03, 0.08, 0.17, 0.28, 0.36};
    return chance[month - 1];
}

inline tavi::flows::FlowSeries flowSeries(std::uint64_t seed = 27)
{
    Random random(seed);
    tavi::flows::FlowSeries series;
    series.station = kStation;
    series.first = QDate(kFirstYear, 1, 1);
    const QDate last(kFirstYear + kYears - 1, 12, 31);
    // m3/s held in the aquifer's outflow and in the storm runoff still passing.
    double base = 38;
    double quick = 10;
    double wetness = 1;
    for (QDate day = series.first; day <= last; day = day.addDays(1)) {
        if (day.dayOfYear() == 1)
            wetness = 0.6 + 0.8 * random.uniform();
        if (random.uniform() < stormChance(day.month()) * wetness) {
            // Storm depth skewed as rainfall is: many small, a few large.
            const double size = -std::log(1 - random.uniform()) * 45 * wetness;
            quick += size;
            base += 0.12 * size;
        }
        // Recessions: the runoff falls by a third a day, the baseflow by about 1 % a day.
        quick *= 0.66;
        base *= 0.991;
        base = std::max(base, 3.0);
        const double flow = base + quick + 0.4 * (random.uniform() - 0.5);
        series.days.push_back(std::round(flow * 100) / 100.0L);
    }
    const auto blank = [&series](const QDate &from, int days) {
        for (int i = 0; i < days; ++i) {
            const qint64 at = series.first.daysTo(from.addDays(i));
            if (at >= 0 && at < qint64(series.days.size()))
                series.days[std::size_t(at)].reset();
        }
    };
    // A gauge out through the dry season of 1990 and most of 2003's: those years go.
    blank(QDate(1990, 6, 1), 75);
    blank(QDate(2003, 2, 10), 40);
    // A fortnight that leaves its year in.
    blank(QDate(1996, 11, 3), 14);
    // Stray days.
    for (int i = 0; i < 30; ++i)
        blank(series.first.addDays(qint64(random.uniform() * double(series.days.size()))), 1);
    return series;
}

// The series as the agency's HidroWeb export writes it: a few comment lines, the titles, then
// one row per month, consistency level 2 ("consisted") for every month but the last year's,
// which are raw (level 1), with the flows in decimal commas and a blank for a day without one.
inline QByteArray hidroWebText(const tavi::flows::FlowSeries &series)
{
    QStringList titles = QStringLiteral("EstacaoCodigo;NivelConsistencia;Data;Hora;MediaDiaria;"
                                        "MetodoObtencaoVazoes;Maxima;Minima;Media;DiaMaxima;"
                                        "DiaMinima;MaximaStatus;MinimaStatus;MediaStatus;"
                                        "MediaAnual;MediaAnualStatus")
                             .split(QLatin1Char(';'));
    for (int day = 1; day <= 31; ++day)
        titles << QStringLiteral("Vazao%1").arg(day, 2, 10, QLatin1Char('0'));
    for (int day = 1; day <= 31; ++day)
        titles << QStringLiteral("Vazao%1Status").arg(day, 2, 10, QLatin1Char('0'));
    QStringList lines{QStringLiteral("// Sistema de Informações Hidrológicas - HidroWeb"),
                      QStringLiteral("// Nome: RIO PIRACICABA EM NOVA ERA"),
                      QStringLiteral("// Código: ") + kStationCode, QString(),
                      titles.join(QLatin1Char(';'))};
    const QDate last = series.last();
    for (QDate month(series.first.year(), series.first.month(), 1); month <= last;
         month = month.addMonths(1)) {
        const int level = month.year() == last.year() ? 1 : 2;
        QStringList fields{kStationCode, QString::number(level),
                           month.toString(QStringLiteral("dd/MM/yyyy")), QString()};
        fields << QStringList(12, QString());
        for (int day = 1; day <= 31; ++day) {
            const QDate date = month.addDays(day - 1);
            const qint64 at = series.first.daysTo(date);
            const bool inMonth = date.month() == month.month();
            if (!inMonth || at < 0 || at >= qint64(series.days.size()) ||
                !series.days[std::size_t(at)]) {
                fields << QString();
                continue;
            }
            fields << QString::number(double(*series.days[std::size_t(at)]), 'f', 2)
                          .replace(QLatin1Char('.'), QLatin1Char(','));
        }
        fields << QStringList(31, QStringLiteral("1"));
        lines << fields.join(QLatin1Char(';'));
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

// A few weeks of the series as a planner pastes them: "data;vazão" lines, decimal commas.
inline QString pastedText(const tavi::flows::FlowSeries &series, int days)
{
    QStringList lines;
    for (int i = 0; i < days && i < int(series.days.size()); ++i) {
        const std::optional<long double> &flow = series.days[std::size_t(i)];
        lines << series.first.addDays(i).toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char(';') +
                     (flow ? QString::number(double(*flow), 'f', 2)
                                 .replace(QLatin1Char('.'), QLatin1Char(','))
                           : QString());
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace RiverSeries
