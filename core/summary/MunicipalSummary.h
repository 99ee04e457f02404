#pragma once

#include "core/base/LocaleSettings.h"
#include "core/sectors/catalogue/Sectors.h"
#include "core/study/Study.h"
#include "core/summary/SectorSelection.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// The municipality's total demand: the three consuming sectors of a study computed by the
// runs their windows use, day by day, added up, and the dilution result beside them.
namespace tavi
{

class CellTable;

constexpr int kSummaryDays = 366;

// Which public supply demand enters the total: "ATUAL" or "FUTURA".
enum class SupplyScenario { Current, NextYear };

// The sectors whose demand the total adds, in the order of the summary's columns: the first
// three sectors, the dilution's result standing apart. An index into `sectors` is the sector's
// SectorId; these names stand for them where an index is wanted.
constexpr int kSummarySectors = 3;
enum SummarySector {
    SupplySector = int(SectorId::Supply),
    LivestockSector = int(SectorId::Livestock),
    AgricultureSector = int(SectorId::Agriculture),
};

// The caption of the sector with that SectorId, as the summary and its messages show it
// ("Abastecimento Público", ..., "Diluição de Esgotos Domésticos").
QString summarySectorName(int sector);

struct SectorSeries {
    // Days 1 to 366: the text the sector's window shows for the day, and its value. Empty
    // when the sector could not be computed.
    QStringList dailyTexts;
    std::vector<long double> daily;
    // The window's own message, when its inputs could not be read or computed, and the place
    // it names on a second line ("Série, dia 100, coluna ETP"), if any.
    QString error;
    QString errorWhere;
    long double annual = 0;
    // False for a sector the summary was asked to leave out: it is then neither computed nor
    // totalled, and has no error.
    bool selected = true;
    bool computed() const { return selected && error.isEmpty(); }
};

struct MunicipalSummary {
    SupplyScenario scenario = SupplyScenario::Current;
    std::array<SectorSeries, kSummarySectors> sectors;
    // A consuming sector's series.
    SectorSeries &series(SectorId sector) { return sectors[std::size_t(sector)]; }
    const SectorSeries &series(SectorId sector) const { return sectors[std::size_t(sector)]; }
    // Days 1 to 366: the sum of the sectors computed, as the general format shows it.
    QStringList totalTexts;
    std::vector<long double> total;
    long double annualTotal = 0;
    // Each sector's share of the annual total, in percent (0 when the total is 0).
    std::array<long double, kSummarySectors> shares{};
    // The day of the largest total (the first, on a tie) and that total.
    int peakDay = 1;
    long double peakTotal = 0;

    // The dilution window's result: the largest accumulated unavailable flow (m3/s) and the
    // discharge point where it occurs (the first, on a tie; 0 when none is positive).
    QString dilutionError;
    QString dilutionErrorWhere;
    QString dilutionMaximumText;
    double dilutionMaximum = 0;
    int dilutionPoint = 0;

    // The sectors computed; the others are left out of the figures, as if they had failed,
    // but carry no error.
    SectorSelection selection;
    bool dilutionComputed() const
    {
        return selection.contains(SectorId::Dilution) && dilutionError.isEmpty();
    }

    // "Agricultura: '...' não é um valor de ponto flutuante válido", one per sector that
    // could not be computed, the dilution ("Diluição de Esgotos Domésticos") last; and, in the
    // same order, the place each names ("Série, dia 100, coluna ETP"), or "".
    QStringList errors() const;
    QStringList errorPlaces() const;

    // Whether a consuming sector could not be computed: the total, its peak and the shares
    // are then those of the other sectors alone.
    bool isPartial() const;
    // The sectors left out of the total: "Agricultura", "Pecuária e Agricultura".
    QString missingSectors() const;
    // What a figure of the total says beside it: "total parcial, sem Agricultura"; empty when
    // every consuming sector is in.
    QString partialNote() const;
    // The total's name where it heads a column or a row: "Total", or "Total parcial (sem
    // Agricultura)"; and the peak day's, "Dia de maior demanda (total parcial, sem ...)".
    QString totalLabel() const;
    QString peakDayLabel() const;
};

// Computes the summary of a study. Nothing throws: a sector that fails carries its message.
MunicipalSummary summarizeStudy(const Study &study, SupplyScenario scenario,
                                const LocaleSettings &locale = LocaleSettings::current());
// The same for the selected sectors only.
MunicipalSummary summarizeStudy(const Study &study, SupplyScenario scenario,
                                const SectorSelection &selection,
                                const LocaleSettings &locale = LocaleSettings::current());

// The day table of the summary: column 0 "DIA" and the day labels, then public supply,
// livestock, agriculture and total, rows 1 to 366 (row 0 the headers). The total's heading
// says when it is partial ("Total parcial (sem Agricultura)").
constexpr int kSummaryColumns = 5;
void fillSummaryTable(CellTable &table, const MunicipalSummary &summary);
QStringList summaryHeaders(const MunicipalSummary &summary);

// The annual figures as texts, three columns: row 0 the headings ("Setor", "Volume anual
// (m3)", "Participação (%)"), rows 1 to 3 the sectors, row 4 the total, then the peak day, the
// dilution result and one row per error. Readable, for the window: grouped thousands and the
// places each figure is read with ("177.229.279", "98,7", "1.278.094 m3/dia"). Stored, for a
// workbook: every number in the general format, which the sheet keeps as a number, and the
// peak day's unit in its heading.
enum class FiguresStyle { Readable, Stored };
constexpr int kFiguresColumns = 3;
constexpr int kFiguresRows = 12;
void fillFiguresTable(CellTable &table, const MunicipalSummary &summary,
                      FiguresStyle style = FiguresStyle::Readable);

} // namespace tavi
