#include "core/summary/MunicipalSummary.h"

#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/ReadableNumber.h"
#include "core/numbers/ShownNumber.h"
#include "core/sectors/agriculture/AgricultureRun.h"
#include "core/sectors/dilution/DilutionRun.h"
#include "core/sectors/livestock/LivestockRun.h"
#include "core/sectors/supply/SupplyRun.h"
#include "core/tables/CellTable.h"
#include "core/tables/TableWriter.h"

namespace tavi
{

namespace
{

// The sector's inputs in the study, or its defaults where the study has none.
WindowInputs inputsOf(const Study &study, SectorId sector)
{
    return windowInputs(study, sectorDescriptor(sector).studyKey);
}

void take(SectorSeries &series, const DaySeries &days)
{
    series.dailyTexts = days.texts;
    series.daily = days.values;
}

void computeSupply(SectorSeries &series, const WindowInputs &inputs, SupplyScenario scenario,
                   const LocaleSettings &locale)
{
    const supply::Result result = supply::run(supply::readInputs(inputs, locale), locale);
    take(series, scenario == SupplyScenario::Current ? result.current : result.nextYear);
}

void computeLivestock(SectorSeries &series, const WindowInputs &inputs,
                      const LocaleSettings &locale)
{
    take(series, livestock::run(livestock::readInputs(inputs, locale), locale).total);
}

void computeAgriculture(SectorSeries &series, const WindowInputs &inputs,
                        const LocaleSettings &locale)
{
    // The summary reads the daily total alone.
    take(series, agriculture::run(agriculture::readInputs(inputs, locale), locale,
                                  agriculture::Detail::DailyTotal)
                     .total);
}

void computeDilution(MunicipalSummary &summary, const WindowInputs &inputs,
                     const LocaleSettings &locale)
{
    const dilution::Result result = dilution::run(dilution::readInputs(inputs, locale), locale);
    summary.dilutionMaximum = result.maximum;
    summary.dilutionMaximumText = result.maximumText;
    summary.dilutionPoint = result.maximumPoint;
}

// Runs a sector's computation; its error and the place it names, if any, stay with it.
template <class Compute> void guarded(QString &error, QString &where, Compute compute)
{
    try {
        compute();
    } catch (const TaviError &e) {
        error = e.message();
        where = e.where();
    }
}

} // namespace

QString summarySectorName(int sector)
{
    return sectorDescriptor(SectorId(qBound(0, sector, kSectorCount - 1))).caption;
}

QStringList MunicipalSummary::errors() const
{
    QStringList out;
    for (int s = 0; s < kSummarySectors; ++s) {
        if (!sectors[s].error.isEmpty())
            out << summarySectorName(s) + QStringLiteral(": ") + sectors[s].error;
    }
    if (!dilutionError.isEmpty())
        out << sectorDescriptor(SectorId::Dilution).caption + QStringLiteral(": ") + dilutionError;
    return out;
}

QStringList MunicipalSummary::errorPlaces() const
{
    QStringList out;
    for (int s = 0; s < kSummarySectors; ++s) {
        if (!sectors[s].error.isEmpty())
            out << sectors[s].errorWhere;
    }
    if (!dilutionError.isEmpty())
        out << dilutionErrorWhere;
    return out;
}

bool MunicipalSummary::isPartial() const
{
    for (const SectorSeries &series : sectors)
        if (!series.computed())
            return true;
    return false;
}

QString MunicipalSummary::missingSectors() const
{
    QStringList missing;
    for (int s = 0; s < kSummarySectors; ++s)
        if (!sectors[s].computed())
            missing << summarySectorName(s);
    if (missing.size() <= 1)
        return missing.join(QString());
    const QString last = missing.takeLast();
    return missing.join(QStringLiteral(", ")) + QStringLiteral(" e ") + last;
}

QString MunicipalSummary::partialNote() const
{
    return isPartial() ? QStringLiteral("total parcial, sem %1").arg(missingSectors()) : QString();
}

QString MunicipalSummary::totalLabel() const
{
    return isPartial() ? QStringLiteral("Total parcial (sem %1)").arg(missingSectors())
                       : QStringLiteral("Total");
}

QString MunicipalSummary::peakDayLabel() const
{
    const QString label = QStringLiteral("Dia de maior demanda");
    return isPartial() ? label + QStringLiteral(" (%1)").arg(partialNote()) : label;
}

MunicipalSummary summarizeStudy(const Study &study, SupplyScenario scenario,
                                const LocaleSettings &locale)
{
    return summarizeStudy(study, scenario, SectorSelection(), locale);
}

MunicipalSummary summarizeStudy(const Study &study, SupplyScenario scenario,
                                const SectorSelection &selection, const LocaleSettings &locale)
{
    MunicipalSummary summary;
    summary.scenario = scenario;
    summary.selection = selection;
    const auto sectorRun = [&summary, &selection](SectorId sector, auto compute) {
        SectorSeries &series = summary.series(sector);
        series.selected = selection.contains(sector);
        if (series.selected)
            guarded(series.error, series.errorWhere, [&] { compute(series); });
    };
    sectorRun(SectorId::Supply, [&](SectorSeries &series) {
        computeSupply(series, inputsOf(study, SectorId::Supply), scenario, locale);
    });
    sectorRun(SectorId::Livestock, [&](SectorSeries &series) {
        computeLivestock(series, inputsOf(study, SectorId::Livestock), locale);
    });
    sectorRun(SectorId::Agriculture, [&](SectorSeries &series) {
        computeAgriculture(series, inputsOf(study, SectorId::Agriculture), locale);
    });
    if (selection.contains(SectorId::Dilution))
        guarded(summary.dilutionError, summary.dilutionErrorWhere,
                [&] { computeDilution(summary, inputsOf(study, SectorId::Dilution), locale); });

    std::array<SectorSeries, kSummarySectors> &sectors = summary.sectors;
    for (SectorSeries &series : sectors) {
        if (!series.computed()) {
            series.dailyTexts.clear();
            series.daily.clear();
            continue;
        }
        for (long double v : series.daily)
            series.annual += v;
    }
    // The total adds the values the sectors show, day by day, in the order of the columns.
    for (int day = 0; day < kSummaryDays; ++day) {
        long double total = 0;
        for (const SectorSeries &series : sectors) {
            if (series.computed())
                total += series.daily[day];
        }
        summary.total.push_back(total);
        summary.totalTexts << shownNumber(total, locale).text;
        summary.annualTotal += total;
        if (day == 0 || total > summary.peakTotal) {
            summary.peakTotal = total;
            summary.peakDay = day + 1;
        }
    }
    for (int s = 0; s < kSummarySectors; ++s)
        summary.shares[s] =
            summary.annualTotal != 0 ? sectors[s].annual / summary.annualTotal * 100 : 0;
    return summary;
}

QStringList summaryHeaders(const MunicipalSummary &summary)
{
    return {QStringLiteral("DIA"),
            summary.scenario == SupplyScenario::Current ? QStringLiteral("Abast. ATUAL")
                                                        : QStringLiteral("Abast. FUTURA"),
            QStringLiteral("Pecuária"), QStringLiteral("Agricultura"), summary.totalLabel()};
}

void fillSummaryTable(CellTable &table, const MunicipalSummary &summary)
{
    CellTable::Batch batch(table);
    const QStringList headers = summaryHeaders(summary);
    for (int c = 0; c < kSummaryColumns; ++c)
        table.setCell(c, 0, headers[c]);
    for (int day = 1; day <= kSummaryDays; ++day) {
        table.setCell(0, day, dayLabel(day));
        for (int s = 0; s < kSummarySectors; ++s) {
            const SectorSeries &series = summary.sectors[s];
            table.setCell(s + 1, day, series.computed() ? series.dailyTexts[day - 1] : QString());
        }
        table.setCell(kSummaryColumns - 1, day, summary.totalTexts[day - 1]);
    }
}

void fillFiguresTable(CellTable &table, const MunicipalSummary &summary, FiguresStyle style)
{
    TableWriter writer(table);
    const bool readable = style == FiguresStyle::Readable;
    const auto volume = [readable](long double v) {
        return readable ? formatReadable(v, kVolumeDecimals) : formatGeneral(v);
    };
    const auto share = [readable](long double v) {
        return readable ? formatReadable(v, kShareDecimals) : formatGeneral(v);
    };
    const auto row = [&writer](int r, const QString &a, const QString &b, const QString &c) {
        writer.row(r, {a, b, c});
    };
    row(0, QStringLiteral("Setor"), QStringLiteral("Volume anual (m3)"),
        QStringLiteral("Participação (%)"));
    for (int s = 0; s < kSummarySectors; ++s) {
        const SectorSeries &series = summary.sectors[s];
        row(s + 1, summarySectorName(s),
            series.computed() ? volume(series.annual) : QStringLiteral("—"),
            series.computed() ? share(summary.shares[s]) : QStringLiteral("—"));
    }
    row(4, summary.totalLabel(), volume(summary.annualTotal),
        share(summary.annualTotal != 0 ? 100 : 0));
    // Read, the day's total carries its unit; stored, it is a number and the unit goes to its
    // heading.
    if (readable)
        row(6, summary.peakDayLabel(), dayLabel(summary.peakDay),
            formatReadable(summary.peakTotal, kVolumeDecimals, QStringLiteral("m3/dia")));
    else
        row(6, summary.peakDayLabel() + QStringLiteral(" (m3/dia)"), dayLabel(summary.peakDay),
            formatGeneral(summary.peakTotal));
    if (summary.dilutionComputed())
        row(7, QStringLiteral("Máxima vazão indisponível acumulada (m3/s)"),
            readable ? formatReadable(summary.dilutionMaximum, kFlowDecimals)
                     : summary.dilutionMaximumText,
            summary.dilutionPoint > 0 ? QStringLiteral("ponto %1").arg(summary.dilutionPoint)
                                      : QStringLiteral("nenhum ponto"));
    const QStringList errors = summary.errors();
    const QStringList places = summary.errorPlaces();
    for (int e = 0; e < errors.size(); ++e)
        row(8 + e, QStringLiteral("Erro"), errors[e], places[e]);
}

} // namespace tavi
