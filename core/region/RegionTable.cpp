#include "core/region/RegionTable.h"

#include "core/files/FileFailureReason.h"
#include "core/region/RegionTableText.h"
#include "core/region/SanitationTable.h"
#include "core/region/SidraTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace tavi::region
{

namespace
{

QString openFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Não foi possível ler a tabela \"%1\": %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

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
    const QFileInfo info(path);
    if (info.isDir())
        throw TaviError(openFailure(path, QStringLiteral("é uma pasta, não um arquivo.")));
    if (!info.exists())
        throw TaviError(openFailure(path, QStringLiteral("o arquivo não existe.")));
    // Read whole, a file of gigabytes would take the memory before anything could say no.
    if (info.size() > kLargestTableBytes)
        throw TableFormatError(info.fileName(), 1, QStringLiteral("1"),
                               QStringLiteral("o arquivo tem %1 MB, mais que os %2 MB de "
                                              "qualquer tabela pública.")
                                   .arg(info.size() / (1024 * 1024))
                                   .arg(kLargestTableBytes / (1024 * 1024)));
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw TaviError(openFailure(path, fileFailureReason(errno ? errno : ENOENT) + '.'));
    // A file that grows while it is read is still held to the limit.
    const QByteArray content = file.read(kLargestTableBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw TaviError(openFailure(path, file.errorString() + '.'));
    return readRegionTable(content, info.fileName(), year);
}

} // namespace tavi::region
