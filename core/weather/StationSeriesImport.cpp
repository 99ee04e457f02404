#include "core/weather/StationSeriesImport.h"

#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "core/weather/WeatherText.h"

#include <QStringList>
#include <QStringView>

#include <set>

namespace tavi::eto
{

namespace
{

// Header lines come before the titles; an INMET file has eight or so, the portal's ten.
constexpr int kHeaderLinesLooked = 40;

bool hasData(const DailyRecord &r)
{
    return r.tMax || r.tMin || r.rainfall;
}

QString days(int count)
{
    return count == 1 ? QStringLiteral("1 dia") : QStringLiteral("%1 dias").arg(count);
}

QString studyNumber(long double value)
{
    return formatGeneral(value, studyNumberSettings());
}

} // namespace

bool isInmetHourlyText(const QString &text)
{
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size() && i < kHeaderLinesLooked; ++i) {
        const QList<QStringView> fields = lines[i].split(QLatin1Char(';'));
        if (fields.size() >= 2 &&
            foldedTitle(fields[0].toString()).startsWith(QLatin1String("DATA")) &&
            foldedTitle(fields[1].toString()).startsWith(QLatin1String("HORA")))
            return true;
    }
    return false;
}

std::vector<int> yearsWithData(const StationSeries &series)
{
    std::vector<int> years;
    for (const DailyRecord &record : series.days) {
        const int year = record.date.year();
        if (hasData(record) && (years.empty() || years.back() != year))
            years.push_back(year);
    }
    return years;
}

int firstFullYear(const StationSeries &series)
{
    const std::vector<int> years = yearsWithData(series);
    for (int year : years) {
        bool first = false, last = false;
        for (const DailyRecord &record : series.days) {
            if (!hasData(record))
                continue;
            first = first || record.date == QDate(year, 1, 1);
            last = last || record.date == QDate(year, 12, 31);
        }
        if (first && last)
            return year;
    }
    return years.empty() ? 0 : years.front();
}

MethodCounts countMethods(const std::vector<YearDay> &year, int days)
{
    MethodCounts counts;
    for (int d = 0; d < days && d < int(year.size()); ++d) {
        const YearDay &day = year[static_cast<std::size_t>(d)];
        if (!day.eto) {
            ++counts.missing;
            continue;
        }
        switch (day.etoFill) {
        case EtoFill::Interpolated:
            ++counts.interpolated;
            continue;
        case EtoFill::MonthMean:
            ++counts.monthMean;
            continue;
        case EtoFill::OtherYears:
            ++counts.otherYears;
            continue;
        case EtoFill::None:
            break;
        }
        if (day.method == Method::HargreavesSamani) {
            ++counts.hargreavesSamani;
        } else {
            ++counts.penmanMonteith;
            counts.vapourFromTMin += day.estimates.vapourFromTMin;
            counts.radiationFromTemperature += day.estimates.radiationFromTemperature;
            counts.defaultWind += day.estimates.defaultWind;
            counts.windFloor += day.estimates.windFloor;
        }
        counts.interpolatedHours += day.interpolatedHours > 0;
    }
    return counts;
}

int countMissingRainfall(const std::vector<YearDay> &year, int days)
{
    int missing = 0;
    for (int d = 0; d < days && d < int(year.size()); ++d)
        if (!year[static_cast<std::size_t>(d)].rainfall)
            ++missing;
    return missing;
}

int countFilledRainfall(const std::vector<YearDay> &year, int days)
{
    int filled = 0;
    for (int d = 0; d < days && d < int(year.size()); ++d)
        if (year[static_cast<std::size_t>(d)].rainfallFilled)
            ++filled;
    return filled;
}

QString missingRainfallSummary(int missingDays)
{
    return missingDays > 0 ? QStringLiteral("sem chuva: %1").arg(eto::days(missingDays))
                           : QString();
}

QString filledRainfallSummary(int filledDays)
{
    return filledDays > 0 ? QStringLiteral("chuva 0 em %1 sem registro").arg(eto::days(filledDays))
                          : QString();
}

QString methodsSummary(const MethodCounts &counts)
{
    QStringList parts;
    QStringList estimated;
    const std::pair<const char *, int> each[] = {{"ea de Tmin", counts.vapourFromTMin},
                                                 {"Rs de T", counts.radiationFromTemperature},
                                                 {"vento 2 m/s", counts.defaultWind},
                                                 {"vento mín. 0,5 m/s", counts.windFloor},
                                                 {"horas interpoladas", counts.interpolatedHours}};
    for (const auto &[what, count] : each)
        if (count > 0)
            estimated << QStringLiteral("%1 em %2").arg(QString::fromUtf8(what)).arg(count);
    const QString details = estimated.isEmpty()
                                ? QString()
                                : QStringLiteral("; ") + estimated.join(QStringLiteral(", "));
    if (counts.penmanMonteith > 0)
        parts << QStringLiteral("Penman–Monteith (%1%2)").arg(days(counts.penmanMonteith), details);
    if (counts.hargreavesSamani > 0)
        parts << QStringLiteral("Hargreaves–Samani (%1%2)")
                     .arg(days(counts.hargreavesSamani),
                          counts.penmanMonteith > 0 ? QString() : details);
    const int filled = counts.interpolated + counts.monthMean + counts.otherYears;
    if (filled > 0) {
        QStringList how;
        if (counts.interpolated > 0)
            how << QStringLiteral("%1 por interpolação").arg(counts.interpolated);
        if (counts.monthMean > 0)
            how << QStringLiteral("%1 pela média do mês").arg(counts.monthMean);
        if (counts.otherYears > 0)
            how << QStringLiteral("%1 pelos outros anos").arg(counts.otherYears);
        parts << QStringLiteral("ETo preenchida (%1: %2)")
                     .arg(days(filled), how.join(QStringLiteral(", ")));
    }
    if (counts.missing > 0)
        parts << QStringLiteral("sem dados (%1)").arg(days(counts.missing));
    return parts.join(QStringLiteral(", "));
}

QString methodChoiceName(EtoMethodChoice method)
{
    return method == EtoMethodChoice::HargreavesSamani ? QStringLiteral("Hargreaves–Samani")
                                                       : QStringLiteral("Penman–Monteith (FAO-56)");
}

QString locationName(long double radiationCoefficient)
{
    return radiationCoefficient == kRadiationCoefficientCoastal ? QStringLiteral("litoral (0,19)")
                                                                : QStringLiteral("interior (0,16)");
}

QString etoGapFillName(EtoGapFill fill)
{
    switch (fill) {
    case EtoGapFill::Interpolation:
        return QStringLiteral("interpolação até %1 dias, depois média do mês")
            .arg(kLongestInterpolatedGap);
    case EtoGapFill::OtherYears:
        return QStringLiteral("mesmos dias dos outros anos");
    case EtoGapFill::Empty:
        break;
    }
    return QStringLiteral("vazio");
}

QString rainGapFillName(RainGapFill fill)
{
    return fill == RainGapFill::Dry ? QStringLiteral("0 (sem chuva)") : QStringLiteral("vazio");
}

namespace
{
QString yearList(const std::vector<int> &years, const QString &separator)
{
    QStringList texts;
    for (int year : years)
        texts << QString::number(year);
    return texts.join(separator);
}
} // namespace

QString yearChoiceText(const LaidOutYear &year)
{
    switch (year.choice.kind) {
    case YearChoice::Kind::Mean:
        return QStringLiteral("ano médio de ") + yearList(year.years, QStringLiteral(", "));
    case YearChoice::Kind::Driest:
        return QStringLiteral("ano mais seco, %1").arg(year.calendarYear);
    case YearChoice::Kind::Single:
        break;
    }
    return QString::number(year.calendarYear);
}

int daysFilled(int year, LeapDayFill fill)
{
    return (year != 0 && QDate::isLeapYear(year)) || fill == LeapDayFill::CopyOfDay365 ? 366 : 365;
}

SeriesOrigin seriesOrigin(const StationSite &site, const LaidOutYear &year,
                          const SeriesChoices &choices)
{
    const int length = daysFilled(year.calendarYear, choices.leap);
    SeriesOrigin origin;
    origin.station = site.name.trimmed();
    origin.code = site.code.trimmed();
    origin.latitude = studyNumber(site.latitude);
    origin.longitude = studyNumber(site.longitude);
    origin.altitude = studyNumber(site.altitude);
    origin.year = yearChoiceText(year);
    origin.methods = methodsSummary(countMethods(year.days, length));
    origin.method = methodChoiceName(choices.eto.method);
    origin.location = locationName(choices.eto.radiationCoefficient);
    origin.etpFill = etoGapFillName(choices.gaps.eto);
    origin.rainFill = rainGapFillName(choices.gaps.rain);
    origin.years = yearList(year.years, QStringLiteral(","));
    std::set<int> etp, rain;
    for (int d = 0; d < length && d < int(year.days.size()); ++d) {
        const YearDay &day = year.days[static_cast<std::size_t>(d)];
        if (day.etoFilled())
            etp.insert(d + 1);
        if (day.rainfallFilled)
            rain.insert(d + 1);
    }
    origin.filledEtpDays = dayListText(etp);
    origin.filledRainDays = dayListText(rain);
    return origin;
}

QString seriesCellText(const std::optional<long double> &value, const LocaleSettings &locale)
{
    return value ? formatGeneral(roundHalfAway(*value, 2), locale) : QString();
}

} // namespace tavi::eto
