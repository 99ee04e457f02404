#include "core/balance/BalanceTables.h"

#include "core/numbers/GeneralFormat.h"
#include "core/numbers/ReadableNumber.h"
#include "core/tables/CellTable.h"
#include "core/tables/TableWriter.h"

#include <algorithm>

namespace tavi::balance
{

namespace
{

const QString kNone = QStringLiteral("—");
// A fit's shape and deviation are pure numbers a planner compares to the fourth place.
constexpr int kParameterDecimals = 4;

struct Figures {
    bool readable;
    QString flow(long double m3s) const
    {
        return readable ? formatReadable(m3s, kFlowDecimals) : formatGeneral(m3s);
    }
    QString flow(const std::optional<long double> &m3s) const { return m3s ? flow(*m3s) : kNone; }
    QString share(long double percent) const
    {
        return readable ? formatReadable(percent, kShareDecimals) : formatGeneral(percent);
    }
    // Demand, its share of the reference, its class and its use of the grantable flow;
    // without a reference flow the demand alone.
    QStringList ratio(const Ratio &ratio, bool withReference) const
    {
        if (!withReference)
            return {flow(ratio.demand), kNone, kNone, kNone};
        return {flow(ratio.demand), share(ratio.percent), stressClassName(ratio.stress),
                share(ratio.grantUse)};
    }
};

QString parameter(long double value, const LocaleSettings &locale = LocaleSettings::current())
{
    return formatReadable(value, kParameterDecimals, locale);
}

QString flowText(long double m3s, const LocaleSettings &locale = LocaleSettings::current())
{
    return formatReadable(m3s, kFlowDecimals, QStringLiteral("m³/s"), locale);
}

QString percentText(long double percent, const LocaleSettings &locale = LocaleSettings::current())
{
    return formatReadable(percent, kShareDecimals, QStringLiteral("%"), locale);
}

QString fitName(flows::MinimaFit fit)
{
    switch (fit) {
    case flows::MinimaFit::Weibull:
        return QStringLiteral("Weibull");
    case flows::MinimaFit::LogNormal3:
        return QStringLiteral("Log-normal 3P");
    case flows::MinimaFit::Empirical:
        return QStringLiteral("Empírica");
    }
    return {};
}

int minimaCount(const flows::ReferenceFlows &flows)
{
    return int(std::count_if(flows.years.begin(), flows.years.end(),
                             [](const flows::SeriesYear &year) { return year.minimum7; }));
}

bool fitted(const flows::ReferenceFlows &flows)
{
    return flows.fits.weibull.has_value();
}

QString fitParameters(const flows::ReferenceFlows &flows, flows::MinimaFit fit)
{
    const flows::MinimaFits &fits = flows.fits;
    switch (fit) {
    case flows::MinimaFit::Weibull:
        return QStringLiteral("α = %1; β = %2 m3/s")
            .arg(parameter(fits.weibullAlpha), formatReadable(fits.weibullBeta, kFlowDecimals));
    case flows::MinimaFit::LogNormal3: {
        QString text = QStringLiteral("a = %1 m3/s; μ = %2; σ = %3")
                           .arg(formatReadable(fits.logNormalA, kFlowDecimals),
                                parameter(fits.logNormalMu), parameter(fits.logNormalSigma));
        if (!fits.logNormalNote.isEmpty())
            text += QStringLiteral(" (%1)").arg(fits.logNormalNote);
        return text;
    }
    case flows::MinimaFit::Empirical:
        return QStringLiteral("posição de plotagem m/(n+1), %1 anos").arg(minimaCount(flows));
    }
    return {};
}

std::optional<long double> fitValue(const flows::MinimaFits &fits, flows::MinimaFit fit)
{
    switch (fit) {
    case flows::MinimaFit::Weibull:
        return fits.weibull;
    case flows::MinimaFit::LogNormal3:
        return fits.logNormal;
    case flows::MinimaFit::Empirical:
        return fits.empirical;
    }
    return std::nullopt;
}

QString yearLabel(int year, int firstMonth)
{
    return firstMonth == 1 ? QString::number(year)
                           : QStringLiteral("%1/%2").arg(year).arg(year + 1);
}

// Columns two blanks apart, each as wide as its widest cell; `right` the columns whose figures
// line up on their last digit.
QStringList alignedColumns(const QList<QStringList> &rows, const QList<int> &right)
{
    QList<int> widths;
    for (const QStringList &row : rows)
        for (int c = 0; c < row.size(); ++c) {
            if (c >= widths.size())
                widths << 0;
            widths[c] = std::max(widths[c], int(row[c].size()));
        }
    QStringList lines;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (int c = 0; c < row.size(); ++c)
            cells << (right.contains(c) ? row[c].rightJustified(widths[c])
                                        : row[c].leftJustified(widths[c]));
        QString line = cells.join(QStringLiteral("  "));
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        lines << line;
    }
    return lines;
}

QStringList ratioCells(const QString &name, const Ratio &ratio, bool withReference,
                       const LocaleSettings &locale)
{
    QStringList cells{name, flowText(ratio.demand, locale)};
    if (withReference)
        cells << percentText(ratio.percent, locale) << stressClassName(ratio.stress)
              << QStringLiteral("(%1 da outorgável)").arg(percentText(ratio.grantUse, locale));
    return cells;
}

QString firstCritical(const std::optional<int> &year, int finalYear)
{
    return year ? QString::number(*year)
                : QStringLiteral("nenhum ano crítico até %1").arg(finalYear);
}

} // namespace

void fillReferenceFlowTable(CellTable &table, const WaterBalance &balance, FiguresStyle style)
{
    TableWriter writer(table);
    writer.row(0, {QStringLiteral("Vazão de referência"), QStringLiteral("Vazão (m3/s)"),
                   QStringLiteral("Observação")});
    const Figures figures{style == FiguresStyle::Readable};
    const BalanceChoices &choices = balance.choices;
    const auto chosen = [&](ReferenceKind kind, QString note) {
        if (kind != choices.reference)
            return note;
        return note.isEmpty() ? QStringLiteral("(escolhida)")
                              : QStringLiteral("%1 (escolhida)").arg(note);
    };
    const QString noSeries = QStringLiteral("sem série de vazões");
    const QString tooShort = QStringLiteral("a série não tem dias suficientes");
    int r = 1;
    const auto seriesRow = [&](ReferenceKind kind, const std::optional<long double> &flow,
                               const QString &note) {
        const QString why = !balance.flows ? noSeries : !flow ? tooShort : note;
        writer.row(r++, {referenceName(kind), figures.flow(flow), chosen(kind, why)});
    };
    const flows::ReferenceFlows none;
    const flows::ReferenceFlows &flows = balance.flows ? *balance.flows : none;
    seriesRow(ReferenceKind::Q90, flows.q90, QStringLiteral("90 % de permanência"));
    seriesRow(ReferenceKind::Q95, flows.q95, QStringLiteral("95 % de permanência"));
    if (balance.flows && !flows.q710) {
        writer.row(r++, {referenceName(ReferenceKind::Q710), kNone,
                         chosen(ReferenceKind::Q710, flows.q710Problem)});
    } else {
        seriesRow(ReferenceKind::Q710, flows.q710,
                  QStringLiteral("%1: %2").arg(fitName(flows.chosen),
                                               fitParameters(flows, flows.chosen)));
    }
    seriesRow(ReferenceKind::Qmlt, flows.qmlt, QStringLiteral("média de longo termo"));
    if (choices.typedFlow || choices.reference == ReferenceKind::Typed)
        writer.row(r++, {referenceName(ReferenceKind::Typed), figures.flow(choices.typedFlow),
                         chosen(ReferenceKind::Typed, QString())});
    writer.row(r++, {QStringLiteral("Fração outorgável (%)"), figures.share(choices.grantShare),
                     QString()});
    if (balance.computed())
        writer.row(r++, {QStringLiteral("Vazão outorgável"), figures.flow(balance.available),
                         QStringLiteral("%1 % da %2")
                             .arg(formatGeneral(choices.grantShare), balance.referenceName)});
    else
        writer.row(r++, {QStringLiteral("Vazão outorgável"), kNone, balance.problem});
}

void fillFitTable(CellTable &table, const WaterBalance &balance, FiguresStyle style)
{
    TableWriter writer(table);
    writer.row(0, {QStringLiteral("Ajuste"), QStringLiteral("Parâmetros"),
                   QStringLiteral("Q7,10 (m3/s)")});
    const Figures figures{style == FiguresStyle::Readable};
    int r = 1;
    for (const flows::MinimaFit fit :
         {flows::MinimaFit::Weibull, flows::MinimaFit::LogNormal3, flows::MinimaFit::Empirical}) {
        if (!balance.flows || !fitted(*balance.flows)) {
            writer.row(r++, {fitName(fit), kNone, kNone});
            continue;
        }
        const std::optional<long double> q710 = fitValue(balance.flows->fits, fit);
        writer.row(r++, {fitName(fit), fitParameters(*balance.flows, fit), figures.flow(q710)});
    }
}

void fillSeriesYearTable(CellTable &table, const WaterBalance &balance, FiguresStyle style)
{
    TableWriter writer(table);
    writer.row(0, {QStringLiteral("Ano"), QStringLiteral("Dias"), QStringLiteral("Dias sem dado"),
                   QStringLiteral("Usado"), QStringLiteral("Mínima de 7 dias (m3/s)")});
    if (!balance.flows)
        return;
    const Figures figures{style == FiguresStyle::Readable};
    int r = 1;
    for (const flows::SeriesYear &year : balance.flows->years)
        writer.row(r++, {yearLabel(year.year, balance.choices.firstMonth),
                         QString::number(year.days), QString::number(year.missing),
                         year.used ? QStringLiteral("Sim") : QStringLiteral("Não"),
                         figures.flow(year.minimum7)});
}

void fillRatioTable(CellTable &table, const WaterBalance &balance, FiguresStyle style)
{
    TableWriter writer(table);
    writer.row(0, {QStringLiteral("Demanda"), QStringLiteral("Vazão (m3/s)"),
                   QStringLiteral("Demanda / referência (%)"), QStringLiteral("Classe"),
                   QStringLiteral("Uso da vazão outorgável (%)")});
    const Figures figures{style == FiguresStyle::Readable};
    const bool withReference = balance.computed();
    writer.row(1, QStringList{QStringLiteral("Dia médio")} +
                      figures.ratio(balance.meanDay, withReference));
    writer.row(2, QStringList{QStringLiteral("Dia de maior demanda")} +
                      figures.ratio(balance.peakDay, withReference));
    const QStringList nothing(4, kNone);
    writer.row(3, QStringList{QStringLiteral("Dia médio com diluição")} +
                      (balance.dilutionComputed
                           ? figures.ratio(balance.meanDayWithDilution, withReference)
                           : nothing));
    writer.row(4, QStringList{QStringLiteral("Dia de maior demanda com diluição")} +
                      (balance.dilutionComputed
                           ? figures.ratio(balance.peakDayWithDilution, withReference)
                           : nothing));
}

void fillMonthTable(CellTable &table, const WaterBalance &balance, FiguresStyle style)
{
    TableWriter writer(table);
    writer.row(0, {QStringLiteral("Mês"), QStringLiteral("Demanda média (m3/s)"),
                   QStringLiteral("Demanda / referência (%)"), QStringLiteral("Classe"),
                   QStringLiteral("Q95 do mês (m3/s)"), QStringLiteral("Demanda / Q95 do mês (%)"),
                   QStringLiteral("Classe no mês")});
    const Figures figures{style == FiguresStyle::Readable};
    const bool withReference = balance.computed();
    int r = 1;
    for (const MonthBalance &month : balance.months) {
        QStringList cells{month.label, figures.flow(month.demand)};
        cells << (withReference ? figures.share(month.ofReference.percent) : kNone)
              << (withReference ? stressClassName(month.ofReference.stress) : kNone)
              << figures.flow(month.monthQ95);
        cells << (month.ofMonthQ95 ? figures.share(month.ofMonthQ95->percent) : kNone)
              << (month.ofMonthQ95 ? stressClassName(month.ofMonthQ95->stress) : kNone);
        writer.row(r++, cells);
    }
}

void fillHorizonBalanceTable(CellTable &table, const ScenarioBalance &scenario, FiguresStyle style)
{
    TableWriter writer(table);
    writer.row(0, {QStringLiteral("Ano"), QStringLiteral("Demanda média (m3/s)"),
                   QStringLiteral("Média / referência (%)"), QStringLiteral("Classe"),
                   QStringLiteral("Demanda de pico (m3/s)"),
                   QStringLiteral("Pico / referência (%)"), QStringLiteral("Classe no pico"),
                   QStringLiteral("Média com diluição / referência (%)"),
                   QStringLiteral("Classe com diluição")});
    const Figures figures{style == FiguresStyle::Readable};
    int r = 1;
    for (const HorizonBalanceYear &year : scenario.years) {
        QStringList cells{QString::number(year.year),          figures.flow(year.meanDay.demand),
                          figures.share(year.meanDay.percent), stressClassName(year.meanDay.stress),
                          figures.flow(year.peakDay.demand),   figures.share(year.peakDay.percent),
                          stressClassName(year.peakDay.stress)};
        if (scenario.dilutionComputed)
            cells << figures.share(year.meanDayWithDilution.percent)
                  << stressClassName(year.meanDayWithDilution.stress);
        else
            cells << kNone << kNone;
        writer.row(r++, cells);
    }
}

QString balanceText(const WaterBalance &balance, const LocaleSettings &locale)
{
    const bool withReference = balance.computed();
    QString text;
    if (!withReference)
        text += QStringLiteral("Balanço hídrico não calculado: %1\n").arg(balance.problem);

    QList<QStringList> ratios{
        ratioCells(QStringLiteral("Dia médio"), balance.meanDay, withReference, locale),
        ratioCells(QStringLiteral("Dia de maior demanda"), balance.peakDay, withReference, locale)};
    if (balance.dilutionComputed) {
        ratios << ratioCells(QStringLiteral("Dia médio com diluição"), balance.meanDayWithDilution,
                             withReference, locale)
               << ratioCells(QStringLiteral("Dia de maior demanda com diluição"),
                             balance.peakDayWithDilution, withReference, locale);
    }
    const QString referenceLabel = QStringLiteral("Vazão de referência");
    int nameWidth = int(referenceLabel.size());
    for (const QStringList &row : ratios)
        nameWidth = std::max(nameWidth, int(row.front().size()));
    if (withReference)
        text += QStringLiteral("%1  %2  %3; outorgável %4: %5\n")
                    .arg(referenceLabel.leftJustified(nameWidth), balance.referenceName,
                         flowText(balance.reference, locale),
                         formatGeneral(balance.choices.grantShare, locale) + QChar(0x00A0) +
                             QLatin1Char('%'),
                         flowText(balance.available, locale));
    for (QStringList &row : ratios)
        row.front() = row.front().leftJustified(nameWidth);
    for (const QString &line : alignedColumns(ratios, {1, 2}))
        text += line + QLatin1Char('\n');
    if (!balance.partialNote.isEmpty())
        text += QStringLiteral("Demanda: %1\n").arg(balance.partialNote);

    if (!balance.months.empty()) {
        text += withReference
                    ? QStringLiteral("Meses (demanda média contra a %1; contra a Q95 do mês):\n")
                          .arg(balance.referenceName)
                    : QStringLiteral("Meses (demanda média; contra a Q95 do mês):\n");
        QList<QStringList> months;
        for (const MonthBalance &month : balance.months) {
            QStringList cells{QStringLiteral("  ") + month.label, flowText(month.demand, locale)};
            if (withReference)
                cells << percentText(month.ofReference.percent, locale)
                      << stressClassName(month.ofReference.stress);
            if (month.ofMonthQ95)
                cells << QStringLiteral("Q95 do mês")
                      << flowText(*month.monthQ95, locale) + QLatin1Char(':')
                      << percentText(month.ofMonthQ95->percent, locale)
                      << stressClassName(month.ofMonthQ95->stress);
            months << cells;
        }
        // The month's Q95 has a column of its own, so that flows of any width line up.
        const QList<int> right = withReference ? QList<int>{1, 2, 5, 6} : QList<int>{1, 3, 4};
        for (const QString &line : alignedColumns(months, right))
            text += line + QLatin1Char('\n');
    }
    return text;
}

QString horizonBalanceText(const std::vector<ScenarioBalance> &scenarios,
                           const LocaleSettings &locale)
{
    Q_UNUSED(locale);
    if (scenarios.empty())
        return {};
    QString text =
        QStringLiteral("Horizonte: primeiro ano de dia médio \"Crítica\" ou pior, por cenário\n");
    QList<QStringList> rows;
    for (const ScenarioBalance &scenario : scenarios) {
        QString figures;
        if (!scenario.problem.isEmpty())
            figures = QStringLiteral("não calculado: %1").arg(scenario.problem);
        else if (scenario.years.empty())
            figures = QStringLiteral("nenhum ano calculado");
        else {
            const int finalYear = scenario.years.back().year;
            figures = firstCritical(scenario.firstCriticalYear, finalYear);
            if (scenario.dilutionComputed)
                figures +=
                    QStringLiteral("; com diluição: %1")
                        .arg(firstCritical(scenario.firstCriticalYearWithDilution, finalYear));
            if (!scenario.partialNote.isEmpty())
                figures += QStringLiteral(" (%1)").arg(scenario.partialNote);
        }
        rows << QStringList{QStringLiteral("  ") + scenario.name, figures};
    }
    for (const QString &line : alignedColumns(rows, {}))
        text += line + QLatin1Char('\n');
    return text;
}

} // namespace tavi::balance
