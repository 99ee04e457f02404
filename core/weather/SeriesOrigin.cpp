#include "core/weather/SeriesOrigin.h"

#include "core/base/LocaleSettings.h"
#include "core/numbers/StudyText.h"

#include <QStringList>

namespace tavi
{

namespace
{

QString stationAndYear(const SeriesOrigin &origin)
{
    QStringList station;
    for (const QString &part : {origin.code.trimmed(), origin.station.trimmed()})
        if (!part.isEmpty())
            station << part;
    QStringList parts;
    parts << (station.isEmpty() ? QStringLiteral("estação sem nome")
                                : station.join(QLatin1Char(' ')));
    if (!origin.year.isEmpty())
        parts << origin.year;
    return parts.join(QStringLiteral(", "));
}

} // namespace

QString dayListText(const std::set<int> &days)
{
    QStringList parts;
    for (auto it = days.begin(); it != days.end();) {
        const int first = *it;
        int last = first;
        for (++it; it != days.end() && *it == last + 1; ++it)
            last = *it;
        parts << (first == last ? QString::number(first)
                                : QStringLiteral("%1-%2").arg(first).arg(last));
    }
    return parts.join(QLatin1Char(','));
}

std::set<int> dayList(const QString &text)
{
    std::set<int> days;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList ends = part.trimmed().split(QLatin1Char('-'));
        bool firstRead = false, lastRead = false;
        const int first = ends.value(0).toInt(&firstRead);
        const int last = ends.size() == 2 ? ends[1].toInt(&lastRead) : first;
        if (!firstRead || ends.size() > 2 || (ends.size() == 2 && !lastRead))
            continue;
        for (int day = qMax(first, 1); day <= qMin(last, kSeriesDays); ++day)
            days.insert(day);
    }
    return days;
}

void markEditedDays(SeriesOrigin &origin, const std::set<int> &etpDays,
                    const std::set<int> &rainDays)
{
    std::set<int> etp = dayList(origin.editedEtpDays);
    std::set<int> rain = dayList(origin.editedRainDays);
    etp.insert(etpDays.begin(), etpDays.end());
    rain.insert(rainDays.begin(), rainDays.end());
    origin.editedEtpDays = dayListText(etp);
    origin.editedRainDays = dayListText(rain);
}

int editedDayCount(const SeriesOrigin &origin)
{
    std::set<int> days = dayList(origin.editedEtpDays);
    const std::set<int> rain = dayList(origin.editedRainDays);
    days.insert(rain.begin(), rain.end());
    return int(days.size());
}

bool isReplaced(const SeriesOrigin &origin)
{
    return int(dayList(origin.editedEtpDays).size()) * 2 > kSeriesDays ||
           int(dayList(origin.editedRainDays).size()) * 2 > kSeriesDays;
}

QString seriesOriginLine(const SeriesOrigin &origin)
{
    if (isReplaced(origin))
        return QStringLiteral("Série: digitada/colada (antes: %1)").arg(stationAndYear(origin));
    QString line = QStringLiteral("Série: ") + stationAndYear(origin);
    if (!origin.methods.isEmpty())
        line += QStringLiteral(", ") + origin.methods;
    if (const int dry = int(dayList(origin.filledRainDays).size()))
        line += dry == 1 ? QStringLiteral(", chuva 0 em 1 dia sem registro")
                         : QStringLiteral(", chuva 0 em %1 dias sem registro").arg(dry);
    if (const int edited = editedDayCount(origin))
        line += edited == 1 ? QStringLiteral(", editada à mão em 1 dia")
                            : QStringLiteral(", editada à mão em %1 dias").arg(edited);
    return line;
}

QString seriesOriginChoices(const SeriesOrigin &origin)
{
    QStringList parts;
    if (!origin.method.isEmpty())
        parts << (origin.location.isEmpty()
                      ? origin.method
                      : QStringLiteral("%1, local %2").arg(origin.method, origin.location));
    if (!origin.etpFill.isEmpty())
        parts << QStringLiteral("dias sem ETo: ") + origin.etpFill;
    if (!origin.rainFill.isEmpty())
        parts << QStringLiteral("dias sem chuva: ") + origin.rainFill;
    return parts.join(QStringLiteral("; "));
}

QString seriesOriginPlace(const SeriesOrigin &origin)
{
    const LocaleSettings &locale = LocaleSettings::current();
    return QStringLiteral("latitude %1°, longitude %2°, altitude %3 m")
        .arg(fromStudyText(origin.latitude, locale), fromStudyText(origin.longitude, locale),
             fromStudyText(origin.altitude, locale));
}

} // namespace tavi
