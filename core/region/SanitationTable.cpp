#include "core/region/SanitationTable.h"

#include "core/region/MunicipalityCode.h"
#include "core/region/RegionTableText.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

#include <map>
#include <set>

namespace tavi::region
{

using namespace text;

namespace
{

constexpr int kHeaderSearchLines = 100;

struct Indicator {
    const char *code;
    TableQuantity quantity;
    bool count;
    long double divisor; // to the program's unit
};

// IN022 is given in L/hab/dia; studies take m³/dia.hab.
const Indicator kIndicators[] = {
    {"AG001", TableQuantity::ServedPopulation, true, 1.0L},
    {"IN022", TableQuantity::PerCapitaConsumption, false, 1000.0L},
    {"IN049", TableQuantity::DistributionLosses, false, 1.0L},
};

// The indicator a header text names, as its code stands apart ("IN022 - Consumo médio").
int indicatorIn(const QString &title)
{
    static const QRegularExpression code(QStringLiteral("\\b(AG001|IN022|IN049)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = code.match(title);
    if (!match.hasMatch())
        return -1;
    const QString found = match.captured(1).toUpper();
    for (int i = 0; i < 3; ++i) {
        if (found == QLatin1String(kIndicators[i].code))
            return i;
    }
    return -1;
}

bool isCodeTitle(const QString &folded)
{
    return folded.contains(QLatin1String("IBGE")) ||
           (folded.startsWith(QLatin1String("COD")) && folded.contains(QLatin1String("MUNIC")));
}

bool isNameTitle(const QString &folded)
{
    return folded == QLatin1String("MUNICIPIO") || folded == QLatin1String("NOMEDOMUNICIPIO");
}

bool isYearTitle(const QString &folded)
{
    return folded == QLatin1String("ANO") || folded.startsWith(QLatin1String("ANODE"));
}

struct Row {
    TableRow row;
    int year = 0;
};

} // namespace

int SanitationTable::headerLine(const QStringList &lines)
{
    // A title above the header may name the indicators too; the header also has the codes.
    int first = -1;
    for (int i = 0; i < lines.size() && i < kHeaderSearchLines; ++i) {
        if (indicatorIn(lines[i]) < 0)
            continue;
        if (first < 0)
            first = i;
        for (const QString &title : headerFields(lines[i], separatorOf(lines[i]))) {
            if (indicatorIn(title) < 0 && isCodeTitle(compact(title)))
                return i;
        }
    }
    return first;
}

TableReading SanitationTable::read(const QStringList &lines, const QString &source, int year)
{
    const int header = headerLine(lines);
    if (header < 0) {
        int first = 0;
        while (first < lines.size() && lines[first].trimmed().isEmpty())
            ++first;
        throw TableFormatError(source, first + 1, QStringLiteral("1"),
                               QStringLiteral("não é a tabela de indicadores de saneamento: "
                                              "nenhuma linha de cabeçalho tem AG001, IN022 ou "
                                              "IN049."));
    }
    const QChar separator = separatorOf(lines[header]);
    const QStringList titles = headerFields(lines[header], separator);
    QStringList names;
    int codeColumn = -1;
    int nameColumn = -1;
    int yearColumn = -1;
    std::vector<std::pair<int, int>> indicators; // column, indicator
    std::set<int> seen;
    for (int c = 0; c < titles.size(); ++c) {
        names << (titles[c].isEmpty() ? QString::number(c + 1) : titles[c]);
        const QString folded = compact(titles[c]);
        if (const int indicator = indicatorIn(titles[c]); indicator >= 0) {
            // Exports of several years repeat no column; a second one would be ambiguous.
            if (!seen.insert(indicator).second)
                throw TableFormatError(source, header + 1, names[c],
                                       QStringLiteral("a coluna %1 aparece duas vezes no "
                                                      "cabeçalho.")
                                           .arg(QLatin1String(kIndicators[indicator].code)));
            indicators.emplace_back(c, indicator);
        } else if (codeColumn < 0 && isCodeTitle(folded)) {
            codeColumn = c;
        } else if (nameColumn < 0 && isNameTitle(folded)) {
            nameColumn = c;
        } else if (yearColumn < 0 && isYearTitle(folded)) {
            yearColumn = c;
        }
    }
    if (codeColumn < 0)
        throw TableFormatError(source, header + 1, QStringLiteral("1"),
                               QStringLiteral("o cabeçalho não tem a coluna do código IBGE do "
                                              "município (\"Código do Município\")."));
    // The line was taken for the header by an indicator's code somewhere in it; a column must
    // still be one, or the table gives nothing.
    if (indicators.empty())
        throw TableFormatError(source, header + 1, names.value(0),
                               QStringLiteral("o cabeçalho não tem a coluna de nenhum dos "
                                              "indicadores AG001, IN022 e IN049."));
    std::sort(indicators.begin(), indicators.end(),
              [](const auto &a, const auto &b) { return a.second < b.second; });

    // Every row is kept until the year is known, then those of other years are set aside.
    std::vector<Row> rows;
    std::set<int> years;
    bool data = false;
    for (int i = header + 1; i < lines.size(); ++i) {
        const int line = i + 1;
        QStringList fields = splitFields(lines[i], separator);
        if (isBlank(fields)) {
            if (data)
                break;
            continue;
        }
        const QString first = compact(fields[0]);
        if (first.startsWith(QLatin1String("FONTE")) || first.startsWith(QLatin1String("NOTA")) ||
            compact(fields.value(codeColumn)).startsWith(QLatin1String("TOTAL")))
            break;
        checkWidth(fields, names, source, line);
        data = true;
        const std::optional<MunicipalityCode> code = MunicipalityCode::fromText(fields[codeColumn]);
        if (!code)
            throw TableFormatError(
                source, line, names[codeColumn],
                QStringLiteral("\"%1\" não é um código de município do IBGE (7 dígitos, ou 6 sem "
                               "o dígito verificador, começando pelo código de um estado).")
                    .arg(fields[codeColumn]));
        Row row;
        if (yearColumn >= 0) {
            row.year = yearOf(fields[yearColumn]);
            if (row.year == 0)
                throw TableFormatError(
                    source, line, names[yearColumn],
                    QStringLiteral("\"%1\" não é um ano.").arg(fields[yearColumn]));
            years.insert(row.year);
        }
        row.row.code = code->code();
        row.row.state = code->state();
        row.row.name = nameColumn >= 0 ? fields[nameColumn] : QString();
        row.row.line = line;
        for (const auto &[c, indicator] : indicators) {
            std::optional<long double> value =
                readValue(fields[c], kIndicators[indicator].count, source, line, names[c]);
            if (value)
                *value /= kIndicators[indicator].divisor;
            row.row.values.push_back(value);
        }
        rows.push_back(std::move(row));
    }
    if (rows.empty())
        throw TableFormatError(source, header + 1, names[codeColumn],
                               QStringLiteral("a tabela não tem nenhuma linha de município "
                                              "abaixo do cabeçalho."));

    int chosen = years.empty() ? 0 : *years.rbegin();
    if (year != 0 && !years.empty()) {
        if (years.count(year) == 0)
            throw TableFormatError(source, header + 1, names[yearColumn],
                                   QStringLiteral("a tabela não tem o ano %1; tem de %2 a %3.")
                                       .arg(year)
                                       .arg(*years.begin())
                                       .arg(*years.rbegin()));
        chosen = year;
    }

    TableReading reading;
    reading.kind = TableKind::Sanitation;
    reading.source = source;
    reading.year = chosen;
    for (const int each : years)
        reading.years << each;
    for (const auto &[c, indicator] : indicators)
        reading.quantities.push_back(kIndicators[indicator].quantity);
    QHash<QString, int> firstLine;
    for (Row &row : rows) {
        if (row.year != chosen)
            continue;
        const auto at = firstLine.constFind(row.row.code);
        if (at != firstLine.constEnd()) {
            reading.duplicates.push_back(
                TableDuplicate{row.row.code, row.row.name, row.row.line, *at});
            continue;
        }
        firstLine.insert(row.row.code, row.row.line);
        reading.rows.push_back(std::move(row.row));
    }
    return reading;
}

TableReading SanitationTable::read(const QByteArray &content, const QString &source, int year)
{
    return read(tableLines(content, source), source, year);
}

} // namespace tavi::region
