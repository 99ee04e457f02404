#include "core/weather/InmetStationFile.h"

#include "core/base/TaviError.h"
#include "core/numbers/GeneralFormat.h"
#include "core/weather/InmetFileHeader.h"
#include "core/weather/LocalDayRecord.h"
#include "core/weather/ShortGapFilling.h"
#include "core/weather/StationSun.h"
#include "core/weather/WeatherText.h"

#include <array>
#include <cmath>
#include <map>

namespace tavi::eto
{

namespace
{

// The same station's coordinates in files of different years, written with more or fewer
// digits; two stations are never this close.
constexpr long double kSamePlaceDegrees = 0.01L;

// Where an hour was read, to name both lines of an hour given twice.
struct LineOrigin {
    int file = -1;
    int line = 0;
};

// A local day's hours from whichever files hold them.
struct GatheredDay {
    LocalDayHours hours;
    std::array<LineOrigin, kHoursInADay> origin;
};
using GatheredDays = std::map<QDate, GatheredDay>;

// How messages name the files: by the names given, else by their place in the list.
class FileNames
{
public:
    FileNames(const QStringList &names, std::size_t count) : m_names(names), m_several(count > 1) {}
    bool several() const { return m_several; }
    // "arquivo 2", "arquivo \"INMET_A701_2024.CSV\"".
    QString of(int file) const
    {
        if (file < m_names.size())
            return QStringLiteral("arquivo \"%1\"").arg(m_names[file]);
        return QStringLiteral("arquivo %1").arg(file + 1);
    }
    // A message of one file read among others, saying which: "Arquivo 2, linha 9, campo...".
    QString inFile(int file, const QString &message) const
    {
        QString name = of(file);
        name[0] = name[0].toUpper();
        if (message.startsWith(QLatin1String("Linha ")))
            return name + QStringLiteral(", linha ") + message.mid(6);
        return name + QStringLiteral(": ") + message.left(1).toLower() + message.mid(1);
    }

private:
    QStringList m_names;
    bool m_several;
};

// "2023/01/31" or "2023-01-31", the layouts of nearly every line, without the cost of a
// format string.
QDate readYearFirstDate(QStringView t)
{
    if (t.size() != 10 || t[4] != t[7] || (t[4] != QLatin1Char('/') && t[4] != QLatin1Char('-')))
        return {};
    int parts[3] = {};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9'))
                return {};
            parts[p] = parts[p] * 10 + (t[i].unicode() - '0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]);
}

QDate readDate(QStringView text)
{
    const QDate fast = readYearFirstDate(text.trimmed());
    if (fast.isValid())
        return fast;
    const QString t = text.trimmed().toString();
    for (const char *format : {"yyyy/MM/dd", "yyyy-MM-dd", "dd/MM/yyyy"}) {
        const QDate date = QDate::fromString(t, QLatin1String(format));
        if (date.isValid())
            return date;
    }
    return {};
}

// "0000 UTC", "1300", "13:00" or "13:00 UTC": the hour, or -1.
int readHour(QStringView text)
{
    QStringView t = text.trimmed();
    if (t.endsWith(QLatin1String("UTC"), Qt::CaseInsensitive))
        t = t.chopped(3).trimmed();
    QString digits = t.toString();
    digits.remove(QLatin1Char(':'));
    if (digits.size() != 4 || digits.mid(2) != QLatin1String("00"))
        return -1;
    bool ok = false;
    const int hour = digits.left(2).toInt(&ok);
    return ok && digits[0].isDigit() && digits[1].isDigit() && hour < 24 ? hour : -1;
}

QString twiceMessage(int line, int hour, const QDate &date, const LineOrigin &first, int file,
                     const FileNames &names)
{
    QString message = QStringLiteral("Linha %1: a hora %2 de %3 aparece mais de uma vez")
                          .arg(line)
                          .arg(QStringLiteral("%1:00 UTC").arg(hour, 2, 10, QLatin1Char('0')),
                               date.toString(QStringLiteral("dd/MM/yyyy")));
    if (first.file != file)
        message += QStringLiteral(": também está na linha %1 do %2")
                       .arg(first.line)
                       .arg(names.of(first.file));
    return message + QLatin1Char('.');
}

// The hourly lines of one file, each into its hour of the station's local day (zone hours
// from UTC): the line of hour h UTC holds the hour ending then.
void gatherLines(const QList<QStringView> &lines, const InmetFileHeader &header, int file, int zone,
                 const FileNames &names, GatheredDays &days)
{
    const QStringList &titles = header.titles;
    const InmetColumns &columns = header.columns;
    QDate currentDay;
    GatheredDay *current = nullptr;
    for (qsizetype i = header.titleLine + 1; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i + 1);
        const QStringView line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        const QList<QStringView> fields = line.split(QLatin1Char(';'));
        const QDate date = readDate(fields[0]);
        if (!date.isValid())
            throw TaviError(fieldMessage(lineNumber, titles[0].trimmed(),
                                         QStringLiteral("\"%1\" não é uma data (AAAA/MM/DD ou "
                                                        "AAAA-MM-DD).")
                                             .arg(fields[0].trimmed())));
        const int hour = fields.size() > 1 ? readHour(fields[1]) : -1;
        if (hour < 0)
            throw TaviError(
                fieldMessage(lineNumber, titles[1].trimmed(),
                             QStringLiteral("\"%1\" não é uma hora (0000 UTC ou 00:00).")
                                 .arg(fields.size() > 1 ? fields[1].trimmed() : QStringView())));

        const int start = hour - 1 + zone; // -13 .. 34: the local hour, from the UTC day
        const int shift = start < 0 ? -1 : start / 24;
        const QDate localDay = date.addDays(shift);
        const auto slot = static_cast<std::size_t>(start - 24 * shift);
        if (localDay != currentDay) {
            current = &days[localDay];
            currentDay = localDay;
        }
        LineOrigin &origin = current->origin[slot];
        if (origin.file >= 0)
            throw TaviError(twiceMessage(lineNumber, hour, date, origin, file, names));
        origin = {file, lineNumber};

        long double v[InmetColumns::kQuantities];
        for (int q = 0; q < InmetColumns::kQuantities; ++q) {
            const int c = columns.index[q];
            std::optional<long double> read;
            if (c >= 0 && c < fields.size())
                read = readWeatherField(fields[c].toString(), lineNumber, columns.title[q],
                                        inmetRange(InmetColumns::Quantity(q)));
            v[q] = read.value_or(LocalDayHours::kMissing);
        }
        const auto either = [](long double a, long double b) { return std::isnan(a) ? b : a; };
        auto &of = current->hours.of;
        of[LocalDayHours::Rainfall][slot] = v[InmetColumns::Rainfall];
        of[LocalDayHours::Radiation][slot] = v[InmetColumns::Radiation];
        of[LocalDayHours::TMax][slot] = either(v[InmetColumns::TMax], v[InmetColumns::DryBulb]);
        of[LocalDayHours::TMin][slot] = either(v[InmetColumns::TMin], v[InmetColumns::DryBulb]);
        of[LocalDayHours::RhMax][slot] = either(v[InmetColumns::RhMax], v[InmetColumns::Rh]);
        of[LocalDayHours::RhMin][slot] = either(v[InmetColumns::RhMin], v[InmetColumns::Rh]);
        of[LocalDayHours::RhMean][slot] = v[InmetColumns::Rh];
        of[LocalDayHours::DewPoint][slot] = v[InmetColumns::DewPoint];
        of[LocalDayHours::Wind][slot] = v[InmetColumns::Wind];
    }
}

bool sameStation(const StationSite &a, const StationSite &b)
{
    const QString codeA = a.code.trimmed();
    const QString codeB = b.code.trimmed();
    if (!codeA.isEmpty() && !codeB.isEmpty())
        return codeA.compare(codeB, Qt::CaseInsensitive) == 0;
    return std::fabs(a.latitude - b.latitude) <= kSamePlaceDegrees &&
           std::fabs(a.longitude - b.longitude) <= kSamePlaceDegrees;
}

// "A701 (SAO PAULO - MIRANTE)", or by its place when the file gives no code.
QString stationText(const StationSite &site)
{
    const QString name = site.name.trimmed();
    const QString code = site.code.trimmed();
    if (!code.isEmpty())
        return name.isEmpty() ? code : QStringLiteral("%1 (%2)").arg(code, name);
    const LocaleSettings brazilian = LocaleSettings::brazilian();
    return QStringLiteral("%1 (latitude %2, longitude %3)")
        .arg(name.isEmpty() ? QStringLiteral("sem nome") : name,
             formatGeneral(site.latitude, brazilian), formatGeneral(site.longitude, brazilian));
}

// Runs `work` on one of the files, its errors naming the file when there are several.
template <typename Work>
auto namingTheFile(const FileNames &names, int file, Work work) -> decltype(work())
{
    try {
        return work();
    } catch (const TaviError &error) {
        if (!names.several())
            throw;
        throw TaviError(names.inFile(file, error.message()));
    }
}

} // namespace

StationSeries readInmetStationFile(const QByteArray &bytes)
{
    return readInmetStationFiles({bytes});
}

StationSeries readInmetStationFiles(const std::vector<QByteArray> &files, const QStringList &names)
{
    if (files.empty())
        throw TaviError(QStringLiteral("Nenhum arquivo de estação foi dado para ler."));
    const FileNames fileNames(names, files.size());
    StationSite station;
    int zone = 0;
    GatheredDays days;
    for (std::size_t f = 0; f < files.size(); ++f) {
        const int file = static_cast<int>(f);
        const QString text = decodeWeatherText(files[f]);
        const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
        const InmetFileHeader header =
            namingTheFile(fileNames, file, [&] { return readInmetFileHeader(lines); });
        if (file == 0) {
            station = header.site;
            zone = zoneHours(station.longitude);
        } else if (!sameStation(station, header.site)) {
            throw TaviError(QStringLiteral("O %1 é da estação %2, não da estação %3 do %4; os "
                                           "arquivos lidos juntos devem ser de uma só estação.")
                                .arg(fileNames.of(file), stationText(header.site),
                                     stationText(station), fileNames.of(0)));
        }
        namingTheFile(fileNames, file,
                      [&] { gatherLines(lines, header, file, zone, fileNames, days); });
    }
    if (days.empty())
        throw TaviError(fileNames.several()
                            ? QStringLiteral("Nenhum dos arquivos tem linhas de dados horários.")
                            : QStringLiteral("O arquivo não tem nenhuma linha de dados horários."));

    StationSeries series;
    series.site = station;
    series.days.reserve(days.size());
    StationSun sun(station);
    for (auto &[day, gathered] : days) {
        const HourValues ra = sun.localDayRa(day, zone);
        const int filled = fillShortGaps(gathered.hours, ra);
        DailyRecord record = localDayRecord(day, gathered.hours, ra);
        record.windHeight = kInmetWindHeight;
        record.interpolatedHours = filled;
        series.days.push_back(record);
    }
    return series;
}

} // namespace tavi::eto
