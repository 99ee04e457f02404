#pragma once

#include "core/base/TaviError.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What the public tables give each municipality of a region, as read from one table, before
// anything in the region changes.
namespace tavi::region
{

// Tables larger than this are refused before they are read: the national tables with every
// municipality are a few megabytes.
constexpr qint64 kLargestTableBytes = 100LL * 1024 * 1024;

// What makes a file none of the tables, in Portuguese, naming the file, the line and the
// column ("Tabela \"rebanhos.csv\", linha 14, coluna Bovino: \"abc\" não é um número.").
class TableFormatError : public TaviError
{
public:
    TableFormatError(const QString &source, int line, const QString &column, const QString &what);
    int line() const { return m_line; }
    const QString &column() const { return m_column; }

private:
    int m_line;
    QString m_column;
};

enum class TableKind { Population, Livestock, Sanitation };

// The figures a table can give a municipality, in the program's units.
enum class TableQuantity {
    Population,           // inhabitants
    Cattle,               // heads: Bovino
    Pigs,                 // Suíno - total
    Horses,               // Equino
    Goats,                // Caprino
    Poultry,              // Galináceos - total
    ServedPopulation,     // AG001, inhabitants
    PerCapitaConsumption, // IN022, m³/dia.hab
    DistributionLosses,   // IN049, %
};

// "População", "Bovino", "Consumo per capita (m³/dia.hab)", ...
QString quantityName(TableQuantity quantity);
// "população (IBGE)", "rebanhos (IBGE)", "indicadores de saneamento"
QString kindName(TableKind kind);

struct TableRow {
    QString code; // seven digits
    QString name; // without the state
    QString state;
    int line = 0; // where the municipality's first row is
    // One per quantity of the reading; none where the table marks the value not available
    // (".", "..", "X"), which is not the zero a "-" stands for.
    std::vector<std::optional<long double>> values;
};

// A municipality given again after its first row; the first one's values are kept.
struct TableDuplicate {
    QString code;
    QString name;
    int line = 0;
    int firstLine = 0;
};

struct TableReading {
    TableKind kind = TableKind::Population;
    QString source;   // the file's name, for messages
    QString title;    // "Tabela 3939 - Efetivo dos rebanhos, por tipo de rebanho", if given
    int year = 0;     // the year read; 0 when the table names none
    QList<int> years; // every year the table has, in order
    std::vector<TableQuantity> quantities;
    std::vector<TableRow> rows;
    std::vector<TableDuplicate> duplicates;
    // Rows set aside and why ("linha 5: nível UF, não município").
    QStringList notes;

    // The index of `quantity` in each row's values, or -1 when the table does not give it.
    int indexOf(TableQuantity quantity) const;
};

// The reading's rows split by whether the region has their municipality.
struct TableMatch {
    std::vector<const TableRow *> matched;
    std::vector<const TableRow *> unmatched;
};
TableMatch matchTable(const TableReading &reading, const QSet<QString> &regionCodes);

// Either table, told apart by its content: a SIDRA export, or the sanitation indicators.
// `year` is the year to read, 0 for the latest the table has. Throws TableFormatError.
TableReading readRegionTable(const QByteArray &content, const QString &source, int year = 0);

// The file at `path`, refused unread when larger than kLargestTableBytes; throws TaviError
// naming the file.
TableReading loadRegionTable(const QString &path, int year = 0);

} // namespace tavi::region
