#pragma once

#include "core/weather/SeriesOrigin.h"
#include "core/weather/StationSiteFields.h"
#include "core/weather/StationYear.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// A year of the agriculture series made from a weather station's records, from the bytes in
// (an INMET hourly file, a text of daily records, or daily records pasted; Latin-1 or UTF-8,
// any line ends) to the days a fill writes and the account of where they came from. Each step
// replaces what the steps before it gave: records that cannot be read, a station's place that
// cannot be used or a year without data leave a problem, in the user's words, and nothing to
// fill.
namespace tavi::eto
{

// What the user chose besides the records: the station's place as typed (used only where the
// records do not give it), the year and what day 366 of a common year holds.
struct ImportChoice {
    StationSiteFields site;
    int year = 0;
    LeapDayFill fill = LeapDayFill::CopyOfDay365;
};

class StationImport
{
public:
    // A year of INMET hours is a few megabytes; anything far larger is not a station file.
    static constexpr qint64 kLargestFile = 256 * 1024 * 1024;

    // Reads new records and lays out the year they offer first (`choice.year` aside).
    void readFile(const QString &path, const ImportChoice &choice);
    void readPasted(const QString &text, const ImportChoice &choice);
    // `fileName` names the file the bytes came from; empty for pasted text.
    void read(const QByteArray &bytes, const QString &fileName, const ImportChoice &choice);
    // Lays the records out again for a change of year, of day 366 or of the station's place.
    // False, with nothing changed, without records or when nothing that matters changed.
    bool layOut(const ImportChoice &choice);

    // "Nenhum arquivo aberto.", the file's path, or "Registros colados.".
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

    // The year laid out last, or tried; its day 366 and how many days its series holds.
    int year() const { return m_choice ? m_choice->year : 0; }
    LeapDayFill leapDayFill() const;
    int length() const;

    // Days 1..366 of the year, when it was laid out; empty otherwise.
    bool isLaidOut() const { return !m_days.empty(); }
    const std::vector<YearDay> &days() const { return m_days; }
    // "Estação SAO PAULO - MIRANTE (A701): latitude -23,5°, ... 2023: Penman–Monteith (365
    // dias); sem chuva: 3 dias.", in the user's locale; empty when nothing is laid out.
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
    std::vector<YearDay> m_days;
    QString m_problem;
};

// What the dialog says of day 366 of `year`, and whether it offers a choice for it (a common
// year's day 366 is empty or a copy of day 365; a leap year's is 31 December).
QString day366Caption(int year);
bool offersDay366Choice(int year);

} // namespace tavi::eto
