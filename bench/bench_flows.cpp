#include "BenchUtil.h"
#include "FullStudy.h"
#include "core/balance/WaterBalance.h"
#include "core/flows/FlowSeriesFile.h"
#include "core/flows/ReferenceFlows.h"

#include <cmath>

// 50 years of daily flows with a seasonal swing, a dry spell a year and a few gaps, as a gauge
// downloaded from the national agency gives them; every reference flow computed from it, as the
// flows window does each time the user changes the year or the fit.
void benchFlows()
{
    using namespace tavi::flows;
    FlowSeries series;
    series.first = QDate(1970, 1, 1);
    const qint64 days = series.first.daysTo(QDate(2019, 12, 31)) + 1;
    series.days.reserve(std::size_t(days));
    for (qint64 i = 0; i < days; ++i) {
        if (i % 97 == 0) {
            series.days.push_back(std::nullopt);
            continue;
        }
        const long double season = std::sin(2 * 3.14159265358979L * (i % 365) / 365);
        series.days.push_back(40 + 30 * season + (i * 7919 % 101) / 10.0L);
    }
    const double ms = bench::medianMs(11, [&] { referenceFlows(series, 10); });
    bench::row(QStringLiteral("flows: 50 years of daily flows, reference flows computed"), ms, "ms",
               QStringLiteral("goal < 50"));

    // The same days as the agency's export lays them out: a row per month and level, decimal
    // commas, Latin-1, CRLF; read and computed, as opening a gauge's file does.
    QByteArray file = "// Sistema de Informações Hidrológicas\r\n// Nome: RIO EXEMPLO\r\n\r\n"
                      "EstacaoCodigo;NivelConsistencia;Data;Hora;MediaDiaria";
    for (int d = 1; d <= 31; ++d)
        file += QStringLiteral(";Vazao%1").arg(d, 2, 10, QLatin1Char('0')).toLatin1();
    file += "\r\n";
    for (QDate month = series.first; month <= series.last(); month = month.addMonths(1)) {
        file += "56110005;2;" + month.toString(QStringLiteral("dd/MM/yyyy")).toLatin1() + ";;1";
        for (int d = 1; d <= 31; ++d) {
            file += ';';
            const QDate day(month.year(), month.month(), d);
            if (day.isValid() && series.on(day))
                file += QByteArray::number(double(*series.on(day)), 'f', 3).replace('.', ',');
        }
        file += "\r\n";
    }
    const double both =
        bench::medianMs(11, [&] { referenceFlows(readFlowSeries(file).series, 10); });
    bench::row(QStringLiteral("flows: 50 years of a HidroWeb export read and computed"), both, "ms",
               QStringLiteral("goal < 50"));

    // The whole balance of a study holding those 50 years: the summary of its sectors, the
    // reference flows, the monthly curves and every ratio, as the balance window and
    // `tavi calcular` compute it.
    tavi::Study study = bench::fullStudy();
    tavi::StudyBalance balance;
    balance.series = series;
    balance.firstMonth = QStringLiteral("10");
    study.balance = balance;
    const double whole = bench::medianMs(11, [&] { tavi::balance::balanceOfStudy(study); });
    bench::row(QStringLiteral("flows: balance of a study with 50 years of flows"), whole, "ms");
}
