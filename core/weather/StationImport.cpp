#include "core/weather/StationImport.h"

#include "core/base/TaviError.h"
#include "core/files/FileFailureReason.h"
#include "core/numbers/NumberText.h"
#include "core/weather/DailyWeatherText.h"
#include "core/weather/InmetStationFile.h"
#include "core/weather/StationSeriesImport.h"
#include "core/weather/WeatherText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace tavi::eto
{

namespace
{

QString localeNumber(long double value)
{
    return formatGeneral(value, LocaleSettings::current());
}

// Whether laying out `next` after `last` could give anything else: the place typed counts
// only where the records do not give one.
bool changes(const std::optional<ImportChoice> &last, const ImportChoice &next,
             bool siteFromRecords)
{
    return !last || last->year != next.year || last->fill != next.fill ||
           (!siteFromRecords && last->site != next.site);
}

} // namespace

void StationImport::fail(const QString &problem)
{
    m_records.reset();
    m_years.clear();
    m_offeredYear = 0;
    m_choice.reset();
    m_days.clear();
    m_problem = problem;
}

void StationImport::readFile(const QString &path, const ImportChoice &choice)
{
    m_source = QDir::toNativeSeparators(path);
    m_fields = choice.site;
    QFile file(path);
    errno = 0;
    const bool folder = QFileInfo(path).isDir();
    if (folder || !file.open(QIODevice::ReadOnly)) {
        const QString reason = folder ? QStringLiteral("é uma pasta, não um arquivo")
                                      : fileFailureReason(errno ? errno : ENOENT);
        fail(QStringLiteral("Não foi possível ler o arquivo \"%1\": %2.").arg(m_source, reason));
        return;
    }
    const QByteArray bytes = file.read(kLargestFile + 1);
    if (bytes.size() > kLargestFile) {
        fail(QStringLiteral("O arquivo \"%1\" é grande demais para dados de uma estação.")
                 .arg(m_source));
        return;
    }
    read(bytes, m_source, choice);
}

void StationImport::readPasted(const QString &text, const ImportChoice &choice)
{
    read(text.toUtf8(), QString(), choice);
}

void StationImport::read(const QByteArray &bytes, const QString &fileName,
                         const ImportChoice &choice)
{
    m_source = fileName.isEmpty() ? QStringLiteral("Registros colados.") : fileName;
    m_fields = choice.site;
    StationSeries records;
    try {
        const QString text = decodeWeatherText(bytes);
        if (isInmetHourlyText(text)) {
            records = readInmetStationFile(bytes);
            m_siteFromRecords = true;
            m_fields = siteFieldsOf(records.site);
        } else {
            records.days = readDailyRecords(text);
            // The station of a file read before is not these records': its name and place
            // would go into the series' origin unnoticed.
            if (m_siteFromRecords)
                m_fields = StationSiteFields();
            m_siteFromRecords = false;
            if (m_fields.name.trimmed().isEmpty() && !fileName.isEmpty())
                m_fields.name = QFileInfo(fileName).completeBaseName();
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
    offered.year = m_offeredYear;
    layOut(offered);
}

bool StationImport::layOut(const ImportChoice &choice)
{
    if (!m_records || !changes(m_choice, choice, m_siteFromRecords))
        return false;
    m_choice = choice;
    m_days.clear();
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
    try {
        m_days = stationYear(series, choice.year, choice.fill);
    } catch (const TaviError &error) {
        m_problem = error.message();
        return true;
    }
    m_site = series.site;
    return true;
}

LeapDayFill StationImport::leapDayFill() const
{
    return m_choice ? m_choice->fill : LeapDayFill::CopyOfDay365;
}

int StationImport::length() const
{
    return daysFilled(year(), leapDayFill());
}

QString StationImport::summary() const
{
    if (!isLaidOut())
        return QString();
    const QString station = m_site.code.isEmpty()
                                ? m_site.name
                                : QStringLiteral("%1 (%2)").arg(m_site.name, m_site.code);
    QString counts = methodsSummary(countMethods(m_days, length()));
    // Rainfall missing is counted apart: it is not a method, and not a dry day either.
    const QString rainGaps = missingRainfallSummary(countMissingRainfall(m_days, length()));
    if (!rainGaps.isEmpty())
        counts += QStringLiteral("; ") + rainGaps;
    return QStringLiteral("Estação %1: latitude %2°, longitude %3°, altitude %4 m. %5: %6.")
        .arg(station.isEmpty() ? QStringLiteral("sem nome") : station,
             localeNumber(m_site.latitude), localeNumber(m_site.longitude),
             localeNumber(m_site.altitude))
        .arg(year())
        .arg(counts);
}

SeriesOrigin StationImport::origin() const
{
    return seriesOrigin(m_site, year(), m_days, leapDayFill());
}

QString day366Caption(int year)
{
    return offersDay366Choice(year) ? QStringLiteral("Dia 366 (o ano tem 365 dias):")
                                    : QStringLiteral("Dia 366: 31/12 (ano bissexto)");
}

bool offersDay366Choice(int year)
{
    return !QDate::isLeapYear(year);
}

} // namespace tavi::eto
