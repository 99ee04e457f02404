#pragma once

#include "core/weather/SeriesOrigin.h"
#include "core/weather/StationSeriesImport.h"
#include "core/weather/StationSiteFields.h"
#include "core/weather/StationYear.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A year of the agriculture series made from a weather station's records, from the bytes in
// (INMET hourly files, one a year, texts of daily records, or daily records pasted; Latin-1
// or UTF-8, any line ends) to the days a fill writes and the account of where they came from.
// Each step replaces what the steps before it gave: records that cannot be read, a station's
// place that cannot be used or a year without data leave a problem, in the user's words, and
// nothing to fill.
namespace tavi::eto
{

// What the user chose besides the records: the station's place as typed (used only where the
// records do not give it), the year, the method, the station's kind of place, how gaps are
// filled and what day 366 of a common year holds.
struct ImportChoice {
    StationSiteFields site;
    YearChoice year;
    SeriesChoices series;
};

class StationImport
{
public:
    // A year of INMET hours is a few megabytes; anything far larger is not a station file.
    static constexpr qint64 kLargestFile = 256 * 1024 * 1024;

    // Reads new records and lays out the year they offer first (`choice.year` aside). Several
    // files are one station's records read together: INMET's years, or daily records.
    void readFiles(const QStringList &paths, const ImportChoice &choice);
    void readFile(const QString &path, const ImportChoice &choice);
    void readPasted(const QString &text, const ImportChoice &choice);
    // `fileNames` name the files the bytes came from; empty for pasted text.
    void read(const std::vector<QByteArray> &files, const QStringList &fileNames,
              const ImportChoice &choice);
    // Lays the records out again for a change of year, method, fill, day 366 or of the
    // station's place. False, with nothing changed, without records or when nothing that
    // matters changed.
    bool layOut(const ImportChoice &choice);

    // "Nenhum arquivo aberto.", the file's path, "3 arquivos em /dados: a.csv; b.csv; c.csv",
    // or "Registros colados.".
    const QString &source() const { return m_source; }
    bool hasRecords() const { return m_records.has_value(); }
    // Whether the records say where the station is (an INMET file's header): its fields are
    // then theirs, not typed.
    bool siteFromRecords() const { return m_siteFromRecords; }
    // The station's fields once read: the file's, or those typed, emptied after a file's and
    // named after the file where no name was typed.
    const StationSiteFields &siteFields() const { return m_fields; }
    // The years with data, in order, and the one offered first (the first the records hold
    // from 1 January to 31 December, else the first); 0 when no day has data.
    const std::vector<int> &years() const { return m_years; }
    int offeredYear() const { return m_offeredYear; }
    // What the year list offers: each year, then the mean year and the driest year when at
    // least two years are complete once filled as `gaps` says.
    std::vector<YearChoice> yearChoices(const GapFill &gaps) const;
    // "2023", "ano médio (5 anos)", "ano mais seco (2021)".
    QString yearChoiceCaption(const YearChoice &choice, const GapFill &gaps) const;

    // The choice laid out last, or tried; its calendar year, day 366 and series length.
    const std::optional<ImportChoice> &choice() const { return m_choice; }
    int calendarYear() const { return m_laidOut.calendarYear; }
    LeapDayFill leapDayFill() const;
    int length() const;

    // Days 1..366 of the year, when it was laid out; empty otherwise.
    bool isLaidOut() const { return !m_laidOut.days.empty(); }
    const std::vector<YearDay> &days() const { return m_laidOut.days; }
    // "Estação SAO PAULO - MIRANTE (A701): latitude -23,5°, ... 2023: Penman–Monteith (352
    // dias; ...), ETo preenchida (13 dias: ...); chuva 0 em 3 dias sem registro.", in the
    // user's locale; empty when nothing is laid out.
    QString summary() const;
    SeriesOrigin origin() const;

    // Why nothing is laid out; empty when the year is.
    const QString &problem() const { return m_problem; }

private:
    void fail(const QString &problem);

    QString m_source = QStringLiteral("Nenhum arquivo aberto.");
    std::optional<StationSeries> m_records;
    bool m_siteFromRecords = false;
    StationSiteFields m_fields;
    std::vector<int> m_years;
    int m_offeredYear = 0;
    std::optional<ImportChoice> m_choice; // of the last lay-out
    StationSite m_site;                   // as laid out
    // The records worked out day by day for the last lay-out's site and method, and which of
    // their years are complete under its fill: what the year list offers.
    std::optional<StationYears> m_stationYears;
    StationYears::Completeness m_completeness;
    StationYears::Completeness completenessFor(const GapFill &gaps) const;
    LaidOutYear m_laidOut;
    QString m_problem;
};

// What the dialog says of day 366 of `year`, and whether it offers a choice for it (a common
// year's day 366 is empty or a copy of day 365; a leap year's is 31 December). Year 0 is the
// mean year, a common one.
QString day366Caption(int year);
bool offersDay366Choice(int year);

} // namespace tavi::eto
