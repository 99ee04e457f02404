#include "core/region/SidraTable.h"

#include "core/region/MunicipalityCode.h"
#include "core/region/RegionTableText.h"

#include <QHash>

#include <array>
#include <map>
#include <set>

namespace tavi::region
{

using namespace text;

namespace
{

// The header is among the title lines at the top; past these, a line is data, not a header.
constexpr int kHeaderSearchLines = 100;

enum class Herd { None, Cattle, Pigs, Horses, Goats, PoultryTotal, PoultryPart, Other };

// The figures a municipality's year holds: the population, then the five herds.
enum Slot { PopulationSlot, CattleSlot, PigsSlot, HorsesSlot, GoatsSlot, PoultrySlot, SlotCount };

Herd herdOf(const QString &label)
{
    const auto is = [&](std::initializer_list<const char *> names) {
        for (const char *name : names) {
            if (label == QLatin1String(name))
                return true;
        }
        return false;
    };
    if (is({"BOVINO", "BOVINOS"}))
        return Herd::Cattle;
    if (is({"SUINO-TOTAL", "SUINO", "SUINOS"}))
        return Herd::Pigs;
    if (is({"EQUINO", "EQUINOS"}))
        return Herd::Horses;
    if (is({"CAPRINO", "CAPRINOS"}))
        return Herd::Goats;
    if (is({"GALINACEOS-TOTAL", "GALINACEOS"}))
        return Herd::PoultryTotal;
    if (label.startsWith(QLatin1String("GALINACEOS-")))
        return Herd::PoultryPart;
    // The survey's other herds, and the pigs' breeding sows, which the total already counts.
    if (is({"BUBALINO", "OVINO", "CODORNAS", "ASININO", "MUAR", "COELHOS"}) ||
        label.startsWith(QLatin1String("SUINO-")))
        return Herd::Other;
    return Herd::None;
}

int slotOf(Herd herd)
{
    switch (herd) {
    case Herd::Cattle:
        return CattleSlot;
    case Herd::Pigs:
        return PigsSlot;
    case Herd::Horses:
        return HorsesSlot;
    case Herd::Goats:
        return GoatsSlot;
    case Herd::PoultryTotal:
        return PoultrySlot;
    default:
        return -1;
    }
}

enum class Role { DimYear, DimHerd, Value };

struct Column {
    Role role = Role::Value;
    int year = 0;
    Herd herd = Herd::None;
    QString label;        // compact, for the Galináceos' parts
    bool total = false;   // labelled "Total" (beside "Urbana" and "Rural", say)
    bool ignored = false; // a part of the population beside its total
};

struct Cell {
    bool seen = false;
    std::optional<long double> value;
    int line = 0;
};

struct YearCells {
    std::array<Cell, SlotCount> figures;
    std::map<QString, Cell> parts;
};

struct Municipality {
    QString code;
    QString name;
    QString state;
    int line = 0;
    std::map<int, YearCells> years;
};

// "Belo Horizonte (MG)" without its state.
QString nameWithoutState(const QString &name)
{
    const qsizetype open = name.lastIndexOf(QLatin1String(" ("));
    if (open > 0 && name.endsWith(QLatin1Char(')')) && name.size() - open <= 6)
        return name.left(open).trimmed();
    return name;
}

QString joinedLabel(const QString &first, const QString &second)
{
    if (first.isEmpty())
        return second;
    return second.isEmpty() ? first : first + QLatin1Char(' ') + second;
}

class Reader
{
public:
    Reader(const QStringList &lines, const QString &source) : m_lines(lines), m_source(source) {}

    TableReading read(int askedYear)
    {
        readHeader();
        readRows();
        return result(askedYear);
    }

private:
    [[noreturn]] void fail(int line, const QString &column, const QString &what) const
    {
        throw TableFormatError(m_source, line, column, what);
    }

    void readTitles()
    {
        for (int i = 0; i < m_header; ++i) {
            const QStringList fields = splitFields(m_lines[i], m_separator);
            const QString title = fields.join(QLatin1Char(' ')).trimmed();
            if (title.isEmpty())
                continue;
            if (m_reading.title.isEmpty())
                m_reading.title = title;
            const QString folded = compact(title);
            m_titles += folded;
            // A table of one herd or one year says so above the header, not in a column.
            if (folded.startsWith(QLatin1String("TIPODEREBANHO-")))
                m_tableHerd = herdOf(folded.mid(14));
            else if (folded.startsWith(QLatin1String("ANO-")))
                m_tableYear = yearOf(title.section(QLatin1Char('-'), 1).trimmed());
        }
    }

    void readHeader()
    {
        m_header = SidraTable::headerLine(m_lines);
        m_separator = separatorOf(m_lines[m_header]);
        readTitles();
        const QStringList titles = headerFields(m_lines[m_header], m_separator);
        const int line = m_header + 1;
        // Crossed tables put a second label (the year under each herd) on the line below.
        QStringList below;
        m_dataStart = m_header + 1;
        if (m_dataStart < m_lines.size()) {
            const QStringList next = headerFields(m_lines[m_dataStart], m_separator);
            if (next.size() == titles.size() && next[0].isEmpty() && next[1].isEmpty() &&
                next[2].isEmpty() && !isBlank(next)) {
                below = next;
                ++m_dataStart;
            }
        }
        for (int c = 0; c < titles.size(); ++c) {
            const QString label = joinedLabel(titles[c], below.value(c));
            m_names << (label.isEmpty() ? QString::number(c + 1) : label);
        }
        if (titles.size() < 4)
            fail(line, QString::number(titles.size() + 1),
                 QStringLiteral("o cabeçalho não tem nenhuma coluna de valores depois de "
                                "\"Município\"."));

        bool herdColumns = false;
        for (int c = 3; c < titles.size(); ++c) {
            Column column;
            const QString top = compact(titles[c]);
            if (below.value(c).isEmpty() && top == QLatin1String("ANO")) {
                column.role = Role::DimYear;
            } else if (below.value(c).isEmpty() && top.startsWith(QLatin1String("TIPODEREBANHO"))) {
                column.role = Role::DimHerd;
                m_herdRows = true;
            } else {
                for (const QString &label : {titles[c], below.value(c)}) {
                    column.total = column.total || compact(label) == QLatin1String("TOTAL");
                    if (const int year = yearOf(label)) {
                        column.year = year;
                    } else if (const Herd herd = herdOf(compact(label)); herd != Herd::None) {
                        column.herd = herd;
                        column.label = compact(label);
                        herdColumns = true;
                    }
                }
            }
            if (column.role == Role::DimYear)
                m_yearRows = true;
            m_columns.push_back(column);
            m_titles += top;
        }
        m_livestock = herdColumns || m_herdRows || m_tableHerd != Herd::None ||
                      m_titles.contains(QLatin1String("REBANHO"));
        if (!m_livestock && !m_titles.contains(QLatin1String("POPULA")))
            fail(line, m_names[3],
                 QStringLiteral("esta tabela do SIDRA não é de população nem de efetivo dos "
                                "rebanhos; a região lê a população residente (estimativas e "
                                "censos) e a pesquisa da pecuária municipal (tabela 3939)."));
        if (m_livestock && !m_herdRows && m_tableHerd == Herd::None) {
            bool known = false;
            for (const Column &column : m_columns)
                known = known || (column.herd != Herd::None && column.herd != Herd::Other);
            if (!known)
                fail(line, m_names[3],
                     QStringLiteral("o cabeçalho não tem nenhum dos rebanhos lidos: Bovino, "
                                    "Suíno - total, Equino, Caprino, Galináceos."));
        }
        if (!m_livestock)
            choosePopulationColumns(line);
    }

    // Census tables split the population (urban and rural, men and women) beside its total,
    // which is the figure taken; two columns for one year and no total leave no way to tell
    // which is the population.
    void choosePopulationColumns(int line)
    {
        std::set<int> totals;
        for (const Column &column : m_columns) {
            if (column.role == Role::Value && column.total)
                totals.insert(column.year);
        }
        std::set<int> years;
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            Column &column = m_columns[i];
            if (column.role != Role::Value)
                continue;
            if (!column.total && totals.count(column.year) != 0) {
                column.ignored = true;
                continue;
            }
            if (!years.insert(column.year).second)
                fail(line, m_names[int(i) + 3],
                     QStringLiteral("a tabela tem mais de uma coluna de valores para %1; uma "
                                    "tabela de população tem uma só, ou uma por ano.")
                         .arg(column.year ? QStringLiteral("o ano %1").arg(column.year)
                                          : QStringLiteral("o mesmo ano")));
        }
    }

    bool isNoteStart(const QString &first) const
    {
        const QString folded = compact(first);
        return folded.startsWith(QLatin1String("FONTE")) ||
               folded.startsWith(QLatin1String("NOTA"));
    }

    int municipalityAt(const QStringList &fields, int line)
    {
        const std::optional<MunicipalityCode> code = MunicipalityCode::fromText(fields[1]);
        if (!code)
            fail(line, m_names[1],
                 QStringLiteral("\"%1\" não é um código de município do IBGE (7 dígitos, ou 6 "
                                "sem o dígito verificador, começando pelo código de um estado).")
                     .arg(fields[1]));
        const auto at = m_index.constFind(code->code());
        if (at != m_index.constEnd())
            return *at;
        Municipality municipality;
        municipality.code = code->code();
        municipality.name = nameWithoutState(fields[2]);
        municipality.state = code->state();
        municipality.line = line;
        m_municipalities.push_back(std::move(municipality));
        m_index.insert(code->code(), int(m_municipalities.size() - 1));
        return int(m_municipalities.size() - 1);
    }

    void readRows()
    {
        bool data = false;
        int last = -1;
        for (int i = m_dataStart; i < m_lines.size(); ++i) {
            const int line = i + 1;
            QStringList fields = splitFields(m_lines[i], m_separator);
            if (isBlank(fields)) {
                // Notes follow the data after an empty line.
                if (data)
                    break;
                continue;
            }
            if (isNoteStart(fields[0]))
                break;
            checkWidth(fields, m_names, m_source, line);
            const QString level = compact(fields[0]);
            if (!level.isEmpty() && level != QLatin1String("MU") &&
                level != QLatin1String("MUNICIPIO")) {
                m_reading.notes << QStringLiteral("linha %1: nível %2, não município; deixada "
                                                  "de lado")
                                       .arg(line)
                                       .arg(fields[0]);
                continue;
            }
            // Sub-rows may leave the municipality blank under its first row.
            const bool continued = (m_herdRows || m_yearRows) && last >= 0 && fields[1].isEmpty() &&
                                   fields[2].isEmpty();
            const int index = continued ? last : municipalityAt(fields, line);
            last = index;
            data = true;
            readCells(fields, line, index);
        }
        if (m_municipalities.empty())
            fail(m_header + 1, m_names[1],
                 QStringLiteral("a tabela não tem nenhuma linha de município abaixo do "
                                "cabeçalho."));
    }

    void readCells(const QStringList &fields, int line, int index)
    {
        int rowYear = m_tableYear;
        Herd rowHerd = m_tableHerd;
        QString rowLabel;
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            const int c = int(i) + 3;
            if (m_columns[i].role == Role::DimYear) {
                rowYear = yearOf(fields[c]);
                if (rowYear == 0)
                    fail(line, m_names[c], QStringLiteral("\"%1\" não é um ano.").arg(fields[c]));
            } else if (m_columns[i].role == Role::DimHerd) {
                rowLabel = compact(fields[c]);
                rowHerd = herdOf(rowLabel);
            }
        }
        Municipality &municipality = m_municipalities[std::size_t(index)];
        int repeated = 0;
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            const Column &column = m_columns[i];
            if (column.role != Role::Value || column.ignored)
                continue;
            const int c = int(i) + 3;
            const std::optional<long double> value =
                readValue(fields[c], true, m_source, line, m_names[c]);
            const int year = column.year ? column.year : rowYear;
            const Herd herd = column.herd != Herd::None ? column.herd : rowHerd;
            const QString label = column.herd != Herd::None ? column.label : rowLabel;
            Cell *cell = nullptr;
            YearCells &cells = municipality.years[year];
            if (!m_livestock) {
                cell = &cells.figures[PopulationSlot];
            } else if (herd == Herd::PoultryPart) {
                cell = &cells.parts[label];
                m_poultryParts = true;
            } else if (const int slot = slotOf(herd); slot >= 0) {
                cell = &cells.figures[std::size_t(slot)];
                m_herdSeen[std::size_t(slot)] = true;
            }
            if (!cell)
                continue;
            if (year != 0)
                m_years.insert(year);
            if (cell->seen) {
                // Two columns of one row giving the same figure: the header repeats a herd
                // and a year, and nothing tells which of the two is the figure.
                if (cell->line == line)
                    fail(line, m_names[c],
                         QStringLiteral("a coluna repete o rebanho e o ano de outra coluna do "
                                        "cabeçalho; não há como saber qual valor usar."));
                repeated = cell->line;
                continue;
            }
            *cell = Cell{true, value, line};
        }
        if (repeated != 0)
            m_reading.duplicates.push_back(
                TableDuplicate{municipality.code, municipality.name, line, repeated});
    }

    int chosenYear(int asked) const
    {
        // A table that names no year is read whatever year was asked.
        if (m_years.empty())
            return 0;
        if (asked == 0)
            return *m_years.rbegin();
        if (m_years.count(asked) == 0) {
            int column = 3;
            for (std::size_t i = 0; i < m_columns.size(); ++i) {
                if (m_columns[i].role == Role::DimYear || m_columns[i].year != 0) {
                    column = int(i) + 3;
                    break;
                }
            }
            fail(m_header + 1, m_names[column],
                 QStringLiteral("a tabela não tem o ano %1; tem de %2 a %3.")
                     .arg(asked)
                     .arg(*m_years.begin())
                     .arg(*m_years.rbegin()));
        }
        return asked;
    }

    static std::optional<long double> poultryOf(const YearCells &cells)
    {
        if (cells.figures[PoultrySlot].seen || cells.parts.empty())
            return cells.figures[PoultrySlot].value;
        long double sum = 0;
        for (const auto &[label, cell] : cells.parts) {
            // A part withheld leaves the whole unknown, not smaller.
            if (!cell.value)
                return std::nullopt;
            sum += *cell.value;
        }
        return sum;
    }

    TableReading result(int askedYear)
    {
        const int year = chosenYear(askedYear);
        m_reading.kind = m_livestock ? TableKind::Livestock : TableKind::Population;
        m_reading.source = m_source;
        m_reading.year = year;
        for (const int each : m_years)
            m_reading.years << each;
        std::vector<int> taken;
        if (!m_livestock) {
            taken.push_back(PopulationSlot);
        } else {
            const TableQuantity herds[] = {TableQuantity::Cattle, TableQuantity::Pigs,
                                           TableQuantity::Horses, TableQuantity::Goats,
                                           TableQuantity::Poultry};
            for (int slot = CattleSlot; slot <= PoultrySlot; ++slot) {
                if (m_herdSeen[std::size_t(slot)] || (slot == PoultrySlot && m_poultryParts))
                    taken.push_back(slot);
            }
            if (taken.empty())
                fail(m_header + 1, m_names[3],
                     QStringLiteral("nenhuma linha é de um dos rebanhos lidos: Bovino, "
                                    "Suíno - total, Equino, Caprino, Galináceos."));
            for (const int slot : taken)
                m_reading.quantities.push_back(herds[slot - CattleSlot]);
        }
        if (!m_livestock)
            m_reading.quantities.push_back(TableQuantity::Population);
        m_reading.rows.reserve(m_municipalities.size());
        for (const Municipality &municipality : m_municipalities) {
            TableRow row;
            row.code = municipality.code;
            row.name = municipality.name;
            row.state = municipality.state;
            row.line = municipality.line;
            const auto cells = municipality.years.find(year);
            for (const int slot : taken) {
                if (cells == municipality.years.end())
                    row.values.emplace_back();
                else if (slot == PoultrySlot)
                    row.values.push_back(poultryOf(cells->second));
                else
                    row.values.push_back(cells->second.figures[std::size_t(slot)].value);
            }
            m_reading.rows.push_back(std::move(row));
        }
        return std::move(m_reading);
    }

    const QStringList &m_lines;
    const QString m_source;
    int m_header = -1;
    int m_dataStart = 0;
    QChar m_separator = QLatin1Char(';');
    QStringList m_names;           // each column's title, or its number
    QString m_titles;              // every title, folded, to tell the table's subject
    std::vector<Column> m_columns; // from the fourth column on
    bool m_livestock = false;
    bool m_herdRows = false;
    bool m_yearRows = false;
    Herd m_tableHerd = Herd::None;
    int m_tableYear = 0;
    std::array<bool, SlotCount> m_herdSeen{};
    bool m_poultryParts = false;
    std::set<int> m_years;
    std::vector<Municipality> m_municipalities;
    QHash<QString, int> m_index;
    TableReading m_reading;
};

} // namespace

int SidraTable::headerLine(const QStringList &lines)
{
    for (int i = 0; i < lines.size() && i < kHeaderSearchLines; ++i) {
        if (!lines[i].contains(QLatin1String("vel"), Qt::CaseInsensitive))
            continue;
        const QChar separator = separatorOf(lines[i]);
        const QStringList fields = splitFields(lines[i], separator);
        if (fields.size() >= 3 && compact(fields[0]) == QLatin1String("NIVEL") &&
            compact(fields[1]).startsWith(QLatin1String("COD")) &&
            compact(fields[2]) == QLatin1String("MUNICIPIO"))
            return i;
    }
    return -1;
}

TableReading SidraTable::read(const QStringList &lines, const QString &source, int year)
{
    if (headerLine(lines) < 0) {
        int first = 0;
        while (first < lines.size() && lines[first].trimmed().isEmpty())
            ++first;
        throw TableFormatError(source, first + 1, QStringLiteral("1"),
                               QStringLiteral("não é uma tabela do SIDRA: nenhuma linha é o "
                                              "cabeçalho \"Nível\";\"Cód.\";\"Município\";..."));
    }
    return Reader(lines, source).read(year);
}

TableReading SidraTable::read(const QByteArray &content, const QString &source, int year)
{
    return read(tableLines(content, source), source, year);
}

} // namespace tavi::region
