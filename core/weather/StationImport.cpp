#include "core/weather/StationImport.h"

#include "core/base/TaviError.h"
#include "core/files/FileFailureReason.h"
#include "core/numbers/NumberText.h"
#include "core/weather/DailyWeatherText.h"
#include "core/weather/InmetStationFile.h"
#include "core/weather/WeatherText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

namespace tavi::eto
{

namespace
{

QString localeNumber(long double value)
{
    return formatGeneral(value, LocaleSettings::current());
}

bool sameChoice(const ImportChoice &a, const ImportChoice &b, bool siteFromRecords)
{
    return a.year == b.year && a.series.eto == b.series.eto && a.series.gaps == b.series.gaps &&
           a.series.leap == b.series.leap && (siteFromRecords || a.site == b.site);
}

QString fileLabel(const QStringList &names, std::size_t i)
{
    return i < std::size_t(names.size()) ? QFileInfo(names[int(i)]).fileName()
                                         : QStringLiteral("arquivo %1").arg(i + 1);
}

// Daily records of several files, one station's: their days together, each date once.
std::vector<DailyRecord> dailyRecordsOf(const std::vector<QString> &texts, const QStringList &names)
{
    std::vector<DailyRecord> days;
    std::vector<std::size_t> from;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (DailyRecord &day : readDailyRecords(texts[i])) {
            days.push_back(std::move(day));
            from.push_back(i);
        }
    }
    std::vector<std::size_t> order(days.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return days[a].date < days[b].date; });
    std::vector<DailyRecord> sorted;
    sorted.reserve(days.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k > 0 && days[order[k]].date == days[order[k - 1]].date)
            throw TaviError(QStringLiteral("O dia %1 aparece em dois arquivos: \"%2\" e \"%3\".")
                                .arg(days[order[k]].date.toString(QStringLiteral("dd/MM/yyyy")),
                                     fileLabel(names, from[order[k - 1]]),
                                     fileLabel(names, from[order[k]])));
        sorted.push_back(days[order[k]]);
    }
    return sorted;
}

} // namespace

void StationImport::fail(const QString &problem)
{
    m_records.reset();
    m_years.clear();
    m_offeredYear = 0;
    m_choice.reset();
    m_stationYears.reset();
    m_completeness = {};
    m_laidOut = LaidOutYear();
    m_problem = problem;
}

void StationImport::readFile(const QString &path, const ImportChoice &choice)
{
    readFiles({path}, choice);
}

void StationImport::readFiles(const QStringList &paths, const ImportChoice &choice)
{
    QStringList shown;
    for (const QString &path : paths)
        shown << QDir::toNativeSeparators(path);
    QStringList names;
    for (const QString &path : shown)
        names << QFileInfo(path).fileName();
    m_source = shown.size() == 1
                   ? shown.front()
                   : QStringLiteral("%1 arquivos em %2: %3")
                         .arg(shown.size())
                         .arg(QDir::toNativeSeparators(QFileInfo(shown.front()).absolutePath()))
                         .arg(names.join(QStringLiteral("; ")));
    m_fields = choice.site;
    std::vector<QByteArray> files;
    for (const QString &path : shown) {
        QFile file(path);
        errno = 0;
        const bool folder = QFileInfo(path).isDir();
        if (folder || !file.open(QIODevice::ReadOnly)) {
            const QString reason = folder ? QStringLiteral("é uma pasta, não um arquivo")
                                          : fileFailureReason(errno ? errno : ENOENT);
            fail(QStringLiteral("Não foi possível ler o arquivo \"%1\": %2.").arg(path, reason));
            return;
        }
        files.push_back(file.read(kLargestFile + 1));
        if (files.back().size() > kLargestFile) {
            fail(QStringLiteral("O arquivo \"%1\" é grande demais para dados de uma estação.")
                     .arg(path));
            return;
        }
    }
    const QString source = m_source;
    read(files, shown, choice);
    m_source = source;
}

void StationImport::readPasted(const QString &text, const ImportChoice &choice)
{
    read({text.toUtf8()}, QStringList(), choice);
}

void StationImport::read(const std::vector<QByteArray> &files, const QStringList &fileNames,
                         const ImportChoice &choice)
{
    m_source = fileNames.isEmpty() ? QStringLiteral("Registros colados.")
                                   : fileNames.join(QStringLiteral("; "));
    m_fields = choice.site;
    StationSeries records;
    try {
        std::vector<QString> texts;
        int hourly = 0;
        for (const QByteArray &bytes : files) {
            texts.push_back(decodeWeatherText(bytes));
            hourly += isInmetHourlyText(texts.back());
        }
        if (hourly > 0 && hourly < int(files.size()))
            throw TaviError(QStringLiteral("Os arquivos misturam dados horários do INMET e "
                                           "registros diários: abra uns ou outros."));
        if (hourly > 0) {
            records = readInmetStationFiles(files, fileNames);
            m_siteFromRecords = true;
            m_fields = siteFieldsOf(records.site);
        } else {
            records.days = dailyRecordsOf(texts, fileNames);
            // The station of a file read before is not these records': its name and place
            // would go into the series' origin unnoticed.
            if (m_siteFromRecords)
                m_fields = StationSiteFields();
            m_siteFromRecords = false;
            if (m_fields.name.trimmed().isEmpty() && !fileNames.isEmpty())
                m_fields.name = QFileInfo(fileNames.front()).completeBaseName();
        }
    } catch (const TaviError &error) {
        fail(error.message());
        return;
    }
    m_records = std::move(records);
    m_years = yearsWithData(*m_records);
    m_offeredYear = firstFullYear(*m_records);
    m_choice.reset();
    ImportChoice offered = choice;
    offered.site = m_fields;
    offered.year = YearChoice::single(m_offeredYear);
    layOut(offered);
}

bool StationImport::layOut(const ImportChoice &choice)
{
    if (!m_records || (m_choice && sameChoice(*m_choice, choice, m_siteFromRecords)))
        return false;
    m_choice = choice;
    m_laidOut = LaidOutYear();
    m_stationYears.reset();
    m_completeness = {};
    m_problem.clear();
    StationSeries series = *m_records;
    if (!m_siteFromRecords) {
        m_fields = choice.site;
        const SiteCheck check = checkSiteFields(choice.site);
        if (!check.site) {
            m_problem = check.problem;
            return true;
        }
        series.site = *check.site;
    }
    m_stationYears.emplace(series, choice.series.eto);
    m_completeness = m_stationYears->completeness(choice.series.gaps);
    try {
        m_laidOut = m_stationYears->layOut(choice.year, choice.series.gaps, choice.series.leap);
    } catch (const TaviError &error) {
        m_problem = error.message();
        return true;
    }
    m_site = series.site;
    return true;
}

StationYears::Completeness StationImport::completenessFor(const GapFill &gaps) const
{
    if (!m_stationYears)
        return {};
    // The dialog asks for the fill it just laid out: worked out then, once.
    return m_choice && m_choice->series.gaps == gaps ? m_completeness
                                                     : m_stationYears->completeness(gaps);
}

std::vector<YearChoice> StationImport::yearChoices(const GapFill &gaps) const
{
    std::vector<YearChoice> choices;
    for (int year : m_years)
        choices.push_back(YearChoice::single(year));
    if (completenessFor(gaps).years.size() >= 2) {
        choices.push_back({YearChoice::Kind::Mean, 0});
        choices.push_back({YearChoice::Kind::Driest, 0});
    }
    return choices;
}

QString StationImport::yearChoiceCaption(const YearChoice &choice, const GapFill &gaps) const
{
    switch (choice.kind) {
    case YearChoice::Kind::Mean:
        return QStringLiteral("ano médio (%1 anos)").arg(completenessFor(gaps).years.size());
    case YearChoice::Kind::Driest:
        return QStringLiteral("ano mais seco (%1)").arg(completenessFor(gaps).driest);
    case YearChoice::Kind::Single:
        break;
    }
    return QString::number(choice.year);
}

LeapDayFill StationImport::leapDayFill() const
{
    return m_choice ? m_choice->series.leap : LeapDayFill::CopyOfDay365;
}

int StationImport::length() const
{
    return daysFilled(calendarYear(), leapDayFill());
}

QString StationImport::summary() const
{
    if (!isLaidOut())
        return QString();
    const QString station = m_site.code.isEmpty()
                                ? m_site.name
                                : QStringLiteral("%1 (%2)").arg(m_site.name, m_site.code);
    QString counts = methodsSummary(countMethods(days(), length()));
    // Rainfall is counted apart: it is not a method, and a day without records is not a dry
    // day unless the user said to take it as one.
    for (const QString &rain : {filledRainfallSummary(countFilledRainfall(days(), length())),
                                missingRainfallSummary(countMissingRainfall(days(), length()))})
        if (!rain.isEmpty())
            counts += QStringLiteral("; ") + rain;
    return QStringLiteral("Estação %1: latitude %2°, longitude %3°, altitude %4 m. %5: %6.")
        .arg(station.isEmpty() ? QStringLiteral("sem nome") : station,
             localeNumber(m_site.latitude), localeNumber(m_site.longitude),
             localeNumber(m_site.altitude), yearChoiceText(m_laidOut), counts);
}

SeriesOrigin StationImport::origin() const
{
    return seriesOrigin(m_site, m_laidOut, m_choice ? m_choice->series : SeriesChoices());
}

QString day366Caption(int year)
{
    return offersDay366Choice(year) ? QStringLiteral("Dia 366 (o ano tem 365 dias):")
                                    : QStringLiteral("Dia 366: 31/12 (ano bissexto)");
}

bool offersDay366Choice(int year)
{
    return year == 0 || !QDate::isLeapYear(year);
}

} // namespace tavi::eto
