#include "cli/FlowsCommand.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "core/numbers/ReadableNumber.h"

#include <QLocale>
#include <QStringList>

namespace tavi::cli
{

namespace
{

constexpr int kFlowDecimals = 3;
constexpr int kParameterDecimals = 4;

QString flow(const std::optional<long double> &value, const LocaleSettings &locale)
{
    return value ? formatReadable(*value, kFlowDecimals, locale) + QStringLiteral(" m³/s")
                 : QStringLiteral("—");
}

QString number(long double value, const LocaleSettings &locale)
{
    return formatReadable(value, kParameterDecimals, locale);
}

QString date(const QDate &day)
{
    return day.toString(QStringLiteral("dd/MM/yyyy"));
}

QString yearName(const flows::SeriesYear &year, int firstMonth)
{
    // A hydrological year is named by both calendar years it spans.
    return firstMonth == 1 ? QString::number(year.year)
                           : QStringLiteral("%1/%2").arg(year.year).arg(year.year + 1);
}

QString fitsText(const flows::ReferenceFlows &reference, const LocaleSettings &locale)
{
    const flows::MinimaFits &fits = reference.fits;
    QStringList parts;
    parts << QStringLiteral("Weibull %1 (α = %2, β = %3)")
                 .arg(flow(fits.weibull, locale), number(fits.weibullAlpha, locale),
                      number(fits.weibullBeta, locale));
    parts << QStringLiteral("log-normal 3P %1 (a = %2, μ = %3, σ = %4)")
                 .arg(flow(fits.logNormal, locale), number(fits.logNormalA, locale),
                      number(fits.logNormalMu, locale), number(fits.logNormalSigma, locale));
    parts << QStringLiteral("empírica %1").arg(flow(fits.empirical, locale));
    return parts.join(QStringLiteral("; "));
}

QString fitName(flows::MinimaFit fit)
{
    switch (fit) {
    case flows::MinimaFit::Weibull:
        return QStringLiteral("Weibull");
    case flows::MinimaFit::LogNormal3:
        return QStringLiteral("log-normal 3P");
    case flows::MinimaFit::Empirical:
        return QStringLiteral("empírica");
    }
    return QString();
}

} // namespace

QString flowsText(const flows::FlowReading &reading, const flows::ReferenceFlows &reference,
                  int firstMonth, const LocaleSettings &locale)
{
    const flows::FlowSeries &series = reading.series;
    QString text =
        QStringLiteral("Série de vazões diárias%1 (%2), de %3 a %4.\n")
            .arg(series.station.isEmpty() ? QString() : QStringLiteral(" de ") + series.station,
                 reading.layout, date(series.first), date(series.last()));
    if (firstMonth != 1)
        text += QStringLiteral("Ano hidrológico a partir de %1.\n")
                    .arg(QLocale(QLocale::Portuguese, QLocale::Brazil).monthName(firstMonth));
    QStringList used, leftOut;
    for (const flows::SeriesYear &year : reference.years) {
        if (year.used)
            used << yearName(year, firstMonth);
        else
            leftOut << QStringLiteral("%1 (%2 de %3 dias sem vazão)")
                           .arg(yearName(year, firstMonth))
                           .arg(year.missing)
                           .arg(year.days);
    }
    text += QStringLiteral("Anos usados (%1): %2\n")
                .arg(used.size())
                .arg(used.isEmpty() ? QStringLiteral("nenhum") : used.join(QStringLiteral(", ")));
    if (!leftOut.isEmpty())
        text += QStringLiteral("Anos deixados de fora, com mais de 5 % dos dias sem vazão (%1): "
                               "%2\n")
                    .arg(leftOut.size())
                    .arg(leftOut.join(QStringLiteral(", ")));
    for (const QString &note : reading.notes)
        text += QStringLiteral("Nota: %1\n").arg(note);
    text += QLatin1Char('\n');

    const QStringList names{QStringLiteral("Q90"), QStringLiteral("Q95"), QStringLiteral("Q7,10"),
                            QStringLiteral("QMLT")};
    const QStringList values{flow(reference.q90, locale), flow(reference.q95, locale),
                             flow(reference.q710, locale), flow(reference.qmlt, locale)};
    int width = 0;
    for (const QString &value : values)
        width = std::max(width, int(value.size()));
    for (int i = 0; i < names.size(); ++i) {
        QString line = names[i].leftJustified(6) + values[i].rightJustified(width);
        if (i == 2)
            line += reference.q710
                        ? QStringLiteral("  ajuste %1; %2")
                              .arg(fitName(reference.chosen), fitsText(reference, locale))
                        : QStringLiteral("  não calculada: ") + reference.q710Problem;
        text += line + QLatin1Char('\n');
    }
    if (reference.q710 && !reference.fits.logNormalNote.isEmpty())
        text += QStringLiteral("Nota: ") + reference.fits.logNormalNote + QLatin1Char('\n');
    return text;
}

int runFlows(const FlowsRequest &request)
{
    flows::FlowReading reading;
    try {
        reading = flows::loadFlowSeriesFile(request.path);
    } catch (const TaviError &error) {
        printError(error.message());
        return kExitUnusable;
    }
    const flows::ReferenceFlows reference =
        flows::referenceFlows(reading.series, request.firstMonth);
    printOut(flowsText(reading, reference, request.firstMonth, LocaleSettings::current()));
    return reference.q710 ? kExitDone : kExitSectorFailed;
}

} // namespace tavi::cli
