#include "core/weather/DailyWeatherText.h"

#include "core/base/TaviError.h"
#include "core/weather/WeatherText.h"

#include <QHash>
#include <QStringList>
#include <map>

namespace tavi::eto
{

namespace
{

enum class Column {
    Date,
    TMax,
    TMin,
    RhMean,
    RhMax,
    RhMin,
    DewPoint,
    Wind,
    WindHeight,
    Radiation,
    Sunshine,
    Rainfall
};

struct Layout {
    std::vector<Column> columns;
    QStringList titles;
};

Layout fixedLayout()
{
    return {{Column::Date, Column::TMax, Column::TMin, Column::RhMean, Column::Wind,
             Column::WindHeight, Column::Radiation, Column::Rainfall},
            {QStringLiteral("Data"), QStringLiteral("Tmax"), QStringLiteral("Tmin"),
             QStringLiteral("UR"), QStringLiteral("Vento"), QStringLiteral("Altura do vento"),
             QStringLiteral("Radiação"), QStringLiteral("Chuva")}};
}

// The column a title names; the order of the tests matters ("ALTURA DO VENTO" is a height,
// "UMIDADE RELATIVA MAXIMA" a maximum).
std::optional<Column> columnNamed(const QString &title)
{
    QString t = foldedTitle(title);
    const qsizetype unit = t.indexOf(QLatin1Char('('));
    if (unit > 0)
        t = t.left(unit).trimmed();
    const auto has = [&t](const char *word) { return t.contains(QLatin1String(word)); };
    const bool max = has("MAX");
    const bool min = has("MIN");
    if (t == QLatin1String("DATA") || t == QLatin1String("DIA"))
        return Column::Date;
    if (has("ALTURA"))
        return Column::WindHeight;
    if (has("ORVALHO") || t == QLatin1String("TD"))
        return Column::DewPoint;
    if (t.startsWith(QLatin1String("UR")) || has("UMIDADE"))
        return max ? Column::RhMax : min ? Column::RhMin : Column::RhMean;
    if (t.startsWith(QLatin1String("T")) && (max || min))
        return max ? Column::TMax : Column::TMin;
    if (has("VENTO"))
        return Column::Wind;
    if (has("RADIACAO") || t == QLatin1String("RS"))
        return Column::Radiation;
    if (has("INSOLACAO") || t == QLatin1String("N"))
        return Column::Sunshine;
    if (has("CHUVA") || has("PRECIPITACAO"))
        return Column::Rainfall;
    return std::nullopt;
}

QStringList fieldsOf(const QString &line)
{
    return line.split(line.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(';'));
}

QDate readDate(const QString &text)
{
    const QString t = text.trimmed();
    for (const char *format :
         {"dd/MM/yyyy", "d/M/yyyy", "yyyy-MM-dd", "yyyy-M-d", "yyyy/MM/dd", "yyyy/M/d"}) {
        const QDate date = QDate::fromString(t, QLatin1String(format));
        if (date.isValid())
            return date;
    }
    return {};
}

Layout layoutFromTitles(const QStringList &titles, int line)
{
    Layout layout;
    for (const QString &title : titles) {
        if (title.trimmed().isEmpty() && &title == &titles.last())
            break; // a line ending with the separator
        const std::optional<Column> column = columnNamed(title);
        if (!column)
            throw TaviError(QStringLiteral("Linha %1: a coluna \"%2\" não é conhecida; as "
                                           "colunas são Data, Tmax, Tmin, UR, URmax, URmin, "
                                           "Orvalho, Vento, Altura do vento, Radiação, "
                                           "Insolação e Chuva.")
                                .arg(line)
                                .arg(title.trimmed()));
        for (std::size_t i = 0; i < layout.columns.size(); ++i) {
            if (layout.columns[i] == *column)
                throw TaviError(
                    QStringLiteral("Linha %1: as colunas \"%2\" e \"%3\" dizem a "
                                   "mesma coisa.")
                        .arg(line)
                        .arg(layout.titles[static_cast<qsizetype>(i)], title.trimmed()));
        }
        layout.columns.push_back(*column);
        layout.titles.push_back(title.trimmed());
    }
    if (layout.columns.empty() || layout.columns.front() != Column::Date)
        throw TaviError(QStringLiteral("Linha %1: a primeira coluna deve ser a Data.").arg(line));
    return layout;
}

const PlausibleRange &rangeOf(Column column)
{
    switch (column) {
    case Column::RhMean:
    case Column::RhMax:
    case Column::RhMin:
        return ranges::relativeHumidity;
    case Column::Wind:
        return ranges::windSpeed;
    case Column::WindHeight:
        return ranges::windHeight;
    case Column::Radiation:
        return ranges::dailyRadiation;
    case Column::Sunshine:
        return ranges::sunshineHours;
    case Column::Rainfall:
        return ranges::dailyRainfall;
    default:
        return ranges::temperature;
    }
}

void store(DailyRecord &record, Column column, std::optional<long double> value)
{
    switch (column) {
    case Column::Date:
        break;
    case Column::TMax:
        record.tMax = value;
        break;
    case Column::TMin:
        record.tMin = value;
        break;
    case Column::RhMean:
        record.rhMean = value;
        break;
    case Column::RhMax:
        record.rhMax = value;
        break;
    case Column::RhMin:
        record.rhMin = value;
        break;
    case Column::DewPoint:
        record.dewPoint = value;
        break;
    case Column::Wind:
        record.windSpeed = value;
        break;
    case Column::WindHeight:
        record.windHeight = value.value_or(2);
        break;
    case Column::Radiation:
        record.solarRadiation = value;
        break;
    case Column::Sunshine:
        record.sunshineHours = value;
        break;
    case Column::Rainfall:
        record.rainfall = value;
        break;
    }
}

} // namespace

std::vector<DailyRecord> readDailyRecords(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    std::optional<Layout> layout;
    std::map<QDate, std::pair<DailyRecord, int>> days; // and the line each came from
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i + 1);
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = fieldsOf(line);
        if (!layout) {
            if (!readDate(fields.first()).isValid()) {
                layout = layoutFromTitles(fields, lineNumber);
                continue;
            }
            layout = fixedLayout();
        }
        DailyRecord record;
        record.date = readDate(fields.first());
        if (!record.date.isValid())
            throw TaviError(fieldMessage(lineNumber, layout->titles.first(),
                                         QStringLiteral("\"%1\" não é uma data (DD/MM/AAAA ou "
                                                        "AAAA-MM-DD).")
                                             .arg(fields.first().trimmed())));
        const qsizetype used = std::min<qsizetype>(fields.size(), layout->titles.size());
        for (qsizetype f = 1; f < used; ++f) {
            const Column column = layout->columns[static_cast<std::size_t>(f)];
            const QString field = fields[f].trimmed();
            const std::optional<long double> value =
                field == QLatin1String("-")
                    ? std::nullopt
                    : readWeatherField(field, lineNumber, layout->titles[f], rangeOf(column));
            store(record, column, value);
        }
        if (record.tMax && record.tMin && *record.tMin > *record.tMax)
            throw TaviError(QStringLiteral("Linha %1: a temperatura mínima é maior que a máxima; "
                                           "as colunas estão trocadas?")
                                .arg(lineNumber));
        const auto [place, added] = days.try_emplace(record.date, record, lineNumber);
        if (!added)
            throw TaviError(QStringLiteral("Linha %1: o dia %2 já apareceu na linha %3.")
                                .arg(lineNumber)
                                .arg(record.date.toString(QStringLiteral("dd/MM/yyyy")))
                                .arg(place->second.second));
    }
    if (days.empty())
        throw TaviError(QStringLiteral("Não há nenhum dia nos dados colados."));
    std::vector<DailyRecord> records;
    records.reserve(days.size());
    for (const auto &day : days)
        records.push_back(day.second.first);
    return records;
}

} // namespace tavi::eto
