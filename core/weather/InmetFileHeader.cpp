#include "core/weather/InmetFileHeader.h"

#include "core/base/TaviError.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace tavi::eto
{

namespace
{

using Quantity = InmetColumns::Quantity;

std::optional<Quantity> quantityTitled(const QString &folded)
{
    const auto has = [&folded](const char *word) { return folded.contains(QLatin1String(word)); };
    const bool max = has("MAX");
    const bool min = has("MIN");
    if (has("PRECIPITACAO"))
        return InmetColumns::Rainfall;
    if (has("RADIACAO"))
        return InmetColumns::Radiation;
    if (has("BULBO SECO"))
        return InmetColumns::DryBulb;
    if (has("ORVALHO"))
        return max || min ? std::nullopt : std::optional<Quantity>(InmetColumns::DewPoint);
    if (has("TEMPERATURA MAXIMA"))
        return InmetColumns::TMax;
    if (has("TEMPERATURA MINIMA"))
        return InmetColumns::TMin;
    if (has("UMIDADE"))
        return max ? InmetColumns::RhMax : min ? InmetColumns::RhMin : InmetColumns::Rh;
    if (has("VENTO") && has("VELOCIDADE"))
        return InmetColumns::Wind;
    return std::nullopt;
}

bool isTitleLine(const QStringList &fields)
{
    return fields.size() >= 2 && foldedTitle(fields[0]).startsWith(QLatin1String("DATA")) &&
           foldedTitle(fields[1]).startsWith(QLatin1String("HORA"));
}

InmetColumns columnsOf(const QStringList &titles, int line)
{
    InmetColumns columns;
    std::fill(std::begin(columns.index), std::end(columns.index), -1);
    for (int i = 2; i < titles.size(); ++i) {
        const std::optional<Quantity> q = quantityTitled(foldedTitle(titles[i]));
        if (q && columns.index[*q] < 0) {
            columns.index[*q] = i;
            columns.title[*q] = titles[i].trimmed();
        }
    }
    if (columns.index[InmetColumns::DryBulb] < 0 &&
        (columns.index[InmetColumns::TMax] < 0 || columns.index[InmetColumns::TMin] < 0))
        throw TaviError(QStringLiteral("Linha %1: o arquivo não tem coluna de temperatura do ar "
                                       "(\"TEMPERATURA DO AR - BULBO SECO\" ou as temperaturas "
                                       "máxima e mínima na hora).")
                            .arg(line));
    return columns;
}

struct Site {
    StationSite site;
    bool hasLatitude = false;
    bool hasLongitude = false;
    bool hasAltitude = false;
};

void readHeaderLine(const QStringList &fields, int line, Site &s)
{
    // "LATITUDE:;-23,49" in the yearly files, "Latitude: -23.49" in the portal's exports.
    QString key = fields[0];
    QString value = fields.size() > 1 ? fields[1].trimmed() : QString();
    const qsizetype colon = key.indexOf(QLatin1Char(':'));
    if (colon > 0 && value.isEmpty()) {
        value = key.mid(colon + 1).trimmed();
        key.truncate(colon);
    }
    key = foldedTitle(key);
    if (key.endsWith(QLatin1Char(':')))
        key.chop(1);
    const auto number = [&](const char *what, long double low, long double high) {
        const std::optional<long double> v = readDecimal(value);
        if (!v || *v < low || *v > high)
            throw TaviError(QStringLiteral("Linha %1: a %2 da estação, \"%3\", não é um número "
                                           "entre %4 e %5.")
                                .arg(line)
                                .arg(QString::fromUtf8(what), value)
                                .arg(static_cast<double>(low))
                                .arg(static_cast<double>(high)));
        return *v;
    };
    if (key == QLatin1String("ESTACAO") || key == QLatin1String("NOME")) {
        s.site.name = value;
    } else if (key.startsWith(QLatin1String("CODIGO"))) {
        s.site.code = value;
    } else if (key == QLatin1String("LATITUDE")) {
        s.site.latitude = number("latitude", -90, 90);
        s.hasLatitude = true;
    } else if (key == QLatin1String("LONGITUDE")) {
        s.site.longitude = number("longitude", -180, 180);
        s.hasLongitude = true;
    } else if (key == QLatin1String("ALTITUDE")) {
        s.site.altitude = number("altitude", -500, 9000);
        s.hasAltitude = true;
    }
}

} // namespace

const PlausibleRange &inmetRange(InmetColumns::Quantity quantity)
{
    switch (quantity) {
    case InmetColumns::Rainfall:
        return ranges::hourlyRainfall;
    case InmetColumns::Radiation:
        return ranges::hourlyRadiationKj;
    case InmetColumns::RhMax:
    case InmetColumns::RhMin:
    case InmetColumns::Rh:
        return ranges::relativeHumidity;
    case InmetColumns::Wind:
        return ranges::windSpeed;
    default:
        return ranges::temperature;
    }
}

InmetFileHeader readInmetFileHeader(const QList<QStringView> &lines)
{
    Site site;
    InmetFileHeader header;
    for (qsizetype i = 0; i < lines.size() && header.titleLine < 0; ++i) {
        const QStringList fields = lines[i].toString().split(QLatin1Char(';'));
        if (isTitleLine(fields))
            header.titleLine = i;
        else
            readHeaderLine(fields, static_cast<int>(i + 1), site);
    }
    if (header.titleLine < 0)
        throw TaviError(QStringLiteral("O arquivo não é de dados horários de uma estação do "
                                       "INMET: falta a linha de títulos das colunas "
                                       "(\"Data;Hora UTC;...\")."));
    const auto missing = [](const char *what) {
        return TaviError(
            QStringLiteral("O cabeçalho do arquivo não informa a %1 da estação.").arg(what));
    };
    if (!site.hasLatitude)
        throw missing("latitude");
    if (!site.hasLongitude)
        throw missing("longitude");
    if (!site.hasAltitude)
        throw missing("altitude");
    header.site = site.site;
    header.titles = lines[header.titleLine].toString().split(QLatin1Char(';'));
    header.columns = columnsOf(header.titles, static_cast<int>(header.titleLine + 1));
    return header;
}

} // namespace tavi::eto
