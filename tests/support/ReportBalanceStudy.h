#pragma once

// A study with a water balance for the balance's outputs (report, "Salvar"): every sector's
// demand against a river whose daily flows follow the seasons, wetter and drier years in turn,
// with one year too gappy to be used.

#include "core/flows/FlowSeries.h"
#include "core/study/Study.h"
#include "support/SummaryStudies.h"

#include <cmath>

namespace testing
{

inline tavi::flows::FlowSeries seasonalRiver(int firstYear = 1971, int years = 30,
                                             long double scale = 12)
{
    tavi::flows::FlowSeries series;
    series.station = QStringLiteral("56110000 - RIO CLARO EM ÁGUAS CLARAS");
    series.first = QDate(firstYear, 1, 1);
    const QDate end(firstYear + years, 1, 1);
    for (QDate day = series.first; day < end; day = day.addDays(1)) {
        const long double season = std::sin(2 * M_PI * (day.dayOfYear() - 30) / 365.25);
        const long double wetness = 1 + 0.25L * std::sin(day.year() * 1.7L);
        std::optional<long double> flow =
            scale * wetness * (6 + 4.5L * season + 0.3L * std::sin(day.day() * 0.9L));
        // Forty days of 1985 lost: more than 5 % of that year.
        if (day.year() == 1985 && day.dayOfYear() > 100 && day.dayOfYear() <= 140)
            flow.reset();
        series.days.push_back(flow);
    }
    return series;
}

// `reference` and `grantShare` as the study keeps them; a typed reference takes `typedFlow`
// and no series.
inline tavi::Study balanceStudy(const QString &reference = QStringLiteral("Q95"),
                                const QString &grantShare = QStringLiteral("50"),
                                const QString &typedFlow = QString())
{
    tavi::Study study = everySectorStudy();
    tavi::StudyBalance balance;
    if (typedFlow.isEmpty()) {
        balance.series = seasonalRiver();
        balance.seriesSource = QStringLiteral("vazoes_56110000.csv");
    }
    balance.reference = reference;
    balance.typedFlow = typedFlow;
    balance.grantShare = grantShare;
    study.balance = balance;
    return study;
}

} // namespace testing
