#include "core/region/RegionTable.h"

#include "core/region/RegionTableText.h"
#include "core/region/SanitationTable.h"
#include "core/region/SidraTable.h"

#include <QFileInfo>

namespace tavi::region
{

TableFormatError::TableFormatError(const QString &source, int line, const QString &column,
                                   const QString &what)
    : TaviError(QStringLiteral("Tabela \"%1\", linha %2, coluna %3: %4")
                    .arg(source)
                    .arg(line)
                    .arg(column, what)),
      m_line(line), m_column(column)
{
}

QString quantityName(TableQuantity quantity)
{
    switch (quantity) {
    case TableQuantity::Population:
        return QStringLiteral("População");
    case TableQuantity::Cattle:
        return QStringLiteral("Bovino");
    case TableQuantity::Pigs:
        return QStringLiteral("Suíno - total");
    case TableQuantity::Horses:
        return QStringLiteral("Equino");
    case TableQuantity::Goats:
        return QStringLiteral("Caprino");
    case TableQuantity::Poultry:
        return QStringLiteral("Galináceos - total");
    case TableQuantity::ServedPopulation:
        return QStringLiteral("População atendida com água (AG001)");
    case TableQuantity::PerCapitaConsumption:
        return QStringLiteral("Consumo per capita (IN022, m³/dia.hab)");
    case TableQuantity::DistributionLosses:
        return QStringLiteral("Perdas na distribuição (IN049, %)");
    }
    return {};
}

QString kindName(TableKind kind)
{
    switch (kind) {
    case TableKind::Population:
        return QStringLiteral("população (IBGE)");
    case TableKind::Livestock:
        return QStringLiteral("rebanhos (IBGE)");
    case TableKind::Sanitation:
        return QStringLiteral("indicadores de saneamento");
    }
    return {};
}

int TableReading::indexOf(TableQuantity quantity) const
{
    for (std::size_t i = 0; i < quantities.size(); ++i) {
        if (quantities[i] == quantity)
            return int(i);
    }
    return -1;
}

TableMatch matchTable(const TableReading &reading, const QSet<QString> &regionCodes)
{
    TableMatch match;
    for (const TableRow &row : reading.rows)
        (regionCodes.contains(row.code) ? match.matched : match.unmatched).push_back(&row);
    return match;
}

TableReading readRegionTable(const QByteArray &content, const QString &source, int year)
{
    const QStringList lines = text::tableLines(content, source);
    if (SidraTable::headerLine(lines) >= 0)
        return SidraTable::read(lines, source, year);
    if (SanitationTable::headerLine(lines) >= 0)
        return SanitationTable::read(lines, source, year);
    int first = 0;
    while (first < lines.size() && lines[first].trimmed().isEmpty())
        ++first;
    throw TableFormatError(
        source, first + 1, QStringLiteral("1"),
        QStringLiteral("o arquivo não é nenhuma das tabelas que formam uma região: nem uma "
                       "tabela do SIDRA do IBGE (cabeçalho \"Nível\";\"Cód.\";\"Município\";...), "
                       "nem os indicadores municipais de saneamento (AG001, IN022, IN049)."));
}

TableReading loadRegionTable(const QString &path, int year)
{
    return readRegionTable(text::readTableFile(path, QStringLiteral("qualquer tabela pública")),
                           QFileInfo(path).fileName(), year);
}

} // namespace tavi::region
