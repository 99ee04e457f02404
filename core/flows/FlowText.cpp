#include "core/flows/FlowText.h"

#include "core/flows/FlowSeriesFile.h"
#include "core/weather/WeatherText.h"

#include <cmath>

namespace tavi::flows
{

namespace
{

constexpr int kFirstFlowYear = 1800;
constexpr int kLastFlowYear = 2200;

// The digits of text[from, from + count), or -1.
int digitsAt(const QString &text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        if (i >= text.size() || !text[i].isDigit() || text[i].unicode() > '9')
            return -1;
        value = value * 10 + (text[i].unicode() - '0');
    }
    return value;
}

// Day, month and year of a date-shaped text: "1/2/2001", "01/02/2001" or "2001-02-01".
bool dateParts(const QString &field, int *day, int *month, int *year)
{
    // HidroWeb has written "01/02/2001 00:00:00" in some of its exports.
    const QString text = field.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    const QStringList slashed = text.split(QLatin1Char('/'));
    const QStringList dashed = text.split(QLatin1Char('-'));
    const auto number = [](const QString &part, int least, int most) {
        return part.size() >= least && part.size() <= most ? digitsAt(part, 0, int(part.size()))
                                                           : -1;
    };
    if (slashed.size() == 3) {
        *day = number(slashed[0], 1, 2);
        *month = number(slashed[1], 1, 2);
        *year = number(slashed[2], 4, 4);
    } else if (dashed.size() == 3) {
        *year = number(dashed[0], 4, 4);
        *month = number(dashed[1], 1, 2);
        *day = number(dashed[2], 1, 2);
    } else {
        return false;
    }
    return *day >= 0 && *month >= 0 && *year >= 0;
}

bool isMissingMark(const QString &text)
{
    for (const char *mark : {"null", "-", "...", "x", "nan"}) {
        if (text.compare(QLatin1String(mark), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

QStringList flowLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

bool looksLikeDate(const QString &text)
{
    int day = 0, month = 0, year = 0;
    return dateParts(text, &day, &month, &year);
}

QDate readFlowDate(const QString &text, int line, const QString &column)
{
    int day = 0, month = 0, year = 0;
    if (!dateParts(text, &day, &month, &year))
        throw FlowFormatError(flowMessage(
            line, column,
            QStringLiteral("\"%1\" não é uma data (dd/mm/aaaa ou aaaa-mm-dd).").arg(text)));
    const QDate date(year, month, day);
    if (!date.isValid())
        throw FlowFormatError(
            flowMessage(line, column, QStringLiteral("a data %1 não existe.").arg(text)));
    if (year < kFirstFlowYear || year > kLastFlowYear)
        throw FlowFormatError(flowMessage(
            line, column,
            QStringLiteral("o ano de %1 está fora de qualquer registro de vazões (%2 a %3); "
                           "confira a data.")
                .arg(text)
                .arg(kFirstFlowYear)
                .arg(kLastFlowYear)));
    return date;
}

std::optional<long double> readFlowValue(const QString &text, int line, const QString &column)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || isMissingMark(trimmed))
        return std::nullopt;
    const std::optional<long double> value = eto::readDecimal(trimmed);
    if (!value || !std::isfinite(*value))
        throw FlowFormatError(flowMessage(
            line, column, QStringLiteral("\"%1\" não é uma vazão em m³/s.").arg(trimmed)));
    if (*value == -9999)
        return std::nullopt;
    if (*value < 0)
        throw FlowFormatError(
            flowMessage(line, column, QStringLiteral("vazão negativa (%1).").arg(trimmed)));
    // "-0" is a flow of zero, and must not show as negative wherever it goes.
    return *value == 0 ? 0.0L : *value;
}

QString flowMessage(int line, const QString &column, const QString &what)
{
    return QStringLiteral("Linha %1, coluna %2: %3").arg(line).arg(column, what);
}

} // namespace tavi::flows
