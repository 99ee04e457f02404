#include "core/region/RegionImport.h"

#include "core/region/MunicipalityCode.h"
#include "core/region/RegionTableText.h"
#include "core/sectors/catalogue/LivestockAnimals.h"
#include "core/sectors/catalogue/StudyKeys.h"

#include <QHash>
#include <QSet>

#include <functional>

namespace tavi::region
{

namespace
{

struct Target {
    QString window;
    QString component;
};

// Where a study takes each quantity a table gives.
Target targetOf(TableQuantity quantity)
{
    switch (quantity) {
    case TableQuantity::Population:
        return {keys::kSupplyWindow, keys::kTotalPopulation};
    case TableQuantity::ServedPopulation:
        return {keys::kSupplyWindow, keys::kServedPopulation};
    case TableQuantity::PerCapitaConsumption:
        return {keys::kSupplyWindow, keys::kCurrentPerCapita};
    case TableQuantity::DistributionLosses:
        return {keys::kSupplyWindow, keys::kSupplyEfficiency};
    case TableQuantity::Cattle:
        return {keys::kLivestockWindow, herdFieldName(0)};
    case TableQuantity::Pigs:
        return {keys::kLivestockWindow, herdFieldName(1)};
    case TableQuantity::Horses:
        return {keys::kLivestockWindow, herdFieldName(2)};
    case TableQuantity::Goats:
        return {keys::kLivestockWindow, herdFieldName(3)};
    case TableQuantity::Poultry:
        return {keys::kLivestockWindow, herdFieldName(4)};
    }
    return {};
}

QString sourceText(const QString &file, int year, int line)
{
    return year > 0 ? QStringLiteral("%1, %2, linha %3").arg(file).arg(year).arg(line)
                    : QStringLiteral("%1, linha %2").arg(file).arg(line);
}

QString counted(int count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(count == 1 ? one : many));
}

// The import worked through on a copy of the region, recording what it does as it goes.
class Importer
{
public:
    Importer(const Region &region, const ImportOptions &options, ImportPreview *preview)
        : m_region(region), m_options(options), m_preview(preview)
    {
        for (std::size_t i = 0; i < region.municipalities.size(); ++i)
            m_index.insert(region.municipalities[i].code, int(i));
        m_present = m_index.size();
    }

    void take(const TableReading &table)
    {
        for (const TableDuplicate &duplicate : table.duplicates)
            m_preview->duplicates.push_back(
                {table.source, duplicate.line, duplicate.code, duplicate.name});
        for (const QString &note : table.notes)
            m_preview->notes << table.source + QStringLiteral(": ") + note;
        for (const TableRow &row : table.rows) {
            const QString name =
                row.state.isEmpty() ? row.name : row.name + QStringLiteral(" (") + row.state + ')';
            const int index = find(row.code, name, table.source, row.line, [&] {
                Municipality added;
                added.code = row.code;
                added.name = row.name;
                added.state = row.state;
                return added;
            });
            if (index < 0)
                continue;
            const ImportRow imported{table.source, row.line, row.code,
                                     m_region.municipalities[std::size_t(index)].displayName()};
            const QString source = sourceText(table.source, table.year, row.line);
            for (std::size_t q = 0; q < table.quantities.size() && q < row.values.size(); ++q) {
                const TableQuantity quantity = table.quantities[q];
                std::optional<long double> value = row.values[q];
                if (value && quantity == TableQuantity::DistributionLosses) {
                    // The supply window takes the system's efficiency; losses beyond the whole
                    // volume give none.
                    value = *value <= 100 ? std::optional<long double>(100 - *value) : std::nullopt;
                }
                const Target target = targetOf(quantity);
                const QString path = inputPath(target.window, target.component);
                if (value)
                    setField(index, target, path, text::studyNumberText(*value), source);
                else
                    markMissing(index, imported, target, path, source);
            }
        }
    }

    void take(const CodeTable &table)
    {
        for (const TableDuplicate &duplicate : table.duplicates)
            m_preview->duplicates.push_back(
                {table.source, duplicate.line, duplicate.code, nameOf(duplicate.code)});
        for (const QString &note : table.notes)
            m_preview->notes << table.source + QStringLiteral(": ") + note;
        const bool groups = table.kind == CodeTableKind::Groups;
        for (const CodeTableRow &row : table.rows) {
            // A code table names no municipality, so it adds none.
            const int index = find(row.code, QString(), table.source, row.line, {});
            if (index < 0)
                continue;
            Municipality &municipality = m_region.municipalities[std::size_t(index)];
            const QString source = sourceText(table.source, 0, row.line);
            if (groups) {
                change(municipality, kGroupInput, municipality.group, row.value, source);
                municipality.group = row.value;
                continue;
            }
            if (row.value.isEmpty()) {
                m_preview->missing.push_back(
                    {{table.source, row.line, row.code, municipality.displayName()},
                     kReferenceFlowInput,
                     inputCaption(kReferenceFlowInput)});
                if (m_given.contains({index, kReferenceFlowInput}))
                    continue;
                change(municipality, kReferenceFlowInput, municipality.referenceFlow, QString(),
                       source);
                municipality.referenceFlow.clear();
                municipality.referenceFlowSource.clear();
                municipality.notAvailable[kReferenceFlowInput] =
                    source + QStringLiteral(": não disponível");
                continue;
            }
            change(municipality, kReferenceFlowInput, municipality.referenceFlow, row.value,
                   source);
            municipality.referenceFlow = row.value;
            municipality.referenceFlowSource = source;
            municipality.notAvailable.remove(kReferenceFlowInput);
            m_given.insert({index, kReferenceFlowInput});
        }
    }

    Region finish()
    {
        m_preview->addedMunicipalities = int(m_region.municipalities.size()) - m_present;
        m_preview->changedMunicipalities = m_changed.size();
        return std::move(m_region);
    }

private:
    QString nameOf(const QString &code) const
    {
        const int index = m_index.value(code, -1);
        return index >= 0 ? m_region.municipalities[std::size_t(index)].displayName() : QString();
    }

    // The municipality's index, the row listed as matched or unmatched; -1 when the region
    // lacks it and the row adds none.
    int find(const QString &code, const QString &name, const QString &source, int line,
             const std::function<Municipality()> &make)
    {
        int index = m_index.value(code, -1);
        if (index >= 0 && index < m_present) {
            m_preview->matched.push_back({source, line, code, nameOf(code)});
            return index;
        }
        m_preview->unmatched.push_back({source, line, code, index >= 0 ? nameOf(code) : name});
        if (index >= 0)
            return index;
        if (!make || !m_options.addMissingMunicipalities)
            return -1;
        m_region.municipalities.push_back(make());
        index = int(m_region.municipalities.size() - 1);
        m_index.insert(code, index);
        return index;
    }

    bool isAdded(int index) const { return index >= m_present; }

    void change(const Municipality &municipality, const QString &input, const QString &before,
                const QString &after, const QString &source)
    {
        const int index = m_index.value(municipality.code);
        // A municipality the import adds had nothing before the first value it is given.
        QString was = before;
        if (isAdded(index) && !m_touched.contains({index, input})) {
            m_touched.insert({index, input});
            was.clear();
        }
        if (was == after)
            return;
        m_preview->changes.push_back({municipality.code, municipality.displayName(), input,
                                      inputCaption(input), was, after, source});
        m_changed.insert(index);
    }

    QString currentValue(const Municipality &municipality, const Target &target)
    {
        const auto window = municipality.overrides.fields.constFind(target.window);
        if (window != municipality.overrides.fields.constEnd()) {
            const auto field = window->constFind(target.component);
            if (field != window->constEnd())
                return *field;
        }
        return templateValue(target);
    }

    QString templateValue(const Target &target)
    {
        auto window = m_templateWindows.constFind(target.window);
        if (window == m_templateWindows.constEnd())
            window = m_templateWindows.insert(target.window,
                                              windowInputs(m_region.templateStudy, target.window));
        return window->fields.value(target.component);
    }

    void setField(int index, const Target &target, const QString &path, const QString &text,
                  const QString &source)
    {
        Municipality &municipality = m_region.municipalities[std::size_t(index)];
        change(municipality, path, currentValue(municipality, target), text, source);
        // Kept as the municipality's own even when the template has the same value: the
        // table gave it, and says so.
        municipality.overrides.fields[target.window][target.component] = text;
        municipality.sources[path] = source;
        municipality.notAvailable.remove(path);
        m_given.insert({index, path});
    }

    void markMissing(int index, const ImportRow &row, const Target &target, const QString &path,
                     const QString &source)
    {
        m_preview->missing.push_back({row, path, inputCaption(path)});
        // A value an earlier table of the same import gave still holds.
        if (m_given.contains({index, path}))
            return;
        Municipality &municipality = m_region.municipalities[std::size_t(index)];
        if (!isAdded(index))
            change(municipality, path, currentValue(municipality, target), templateValue(target),
                   source);
        auto window = municipality.overrides.fields.find(target.window);
        if (window != municipality.overrides.fields.end()) {
            window->remove(target.component);
            if (window->isEmpty())
                municipality.overrides.fields.erase(window);
        }
        municipality.sources.remove(path);
        municipality.notAvailable[path] = source + QStringLiteral(": não disponível");
    }

    Region m_region;
    ImportOptions m_options;
    ImportPreview *m_preview;
    QHash<QString, int> m_index;
    int m_present = 0; // the municipalities the region had before
    QHash<QString, WindowInputs> m_templateWindows;
    QSet<QPair<int, QString>> m_given;   // inputs this import gave a value
    QSet<QPair<int, QString>> m_touched; // inputs of added municipalities already listed
    QSet<int> m_changed;
};

Region runImport(const Region &region, const ImportTables &tables, const ImportOptions &options,
                 ImportPreview *preview)
{
    Importer importer(region, options, preview);
    for (const TableReading &table : tables.tables)
        importer.take(table);
    for (const CodeTable &table : tables.codeTables)
        importer.take(table);
    return importer.finish();
}

} // namespace

QString ImportPreview::countsText() const
{
    QStringList parts{
        counted(int(matched.size()), "linha reconhecida", "linhas reconhecidas"),
        // Building a region, a row of a municipality it lacks is what adds it, not a row
        // left out.
        options.addMissingMunicipalities
            ? counted(int(unmatched.size()), "linha de município que a região não tinha",
                      "linhas de municípios que a região não tinha")
            : counted(int(unmatched.size()), "sem município na região", "sem município na região"),
        counted(int(duplicates.size()), "repetida", "repetidas"),
        counted(int(missing.size()), "valor não disponível", "valores não disponíveis"),
        counted(int(changes.size()), "valor alterado", "valores alterados") +
            QStringLiteral(" em ") + counted(changedMunicipalities, "município", "municípios")};
    if (addedMunicipalities > 0)
        parts << counted(addedMunicipalities, "município acrescentado", "municípios acrescentados");
    return parts.join(QStringLiteral(", "));
}

ImportPreview previewImport(const Region &region, const ImportTables &tables,
                            const ImportOptions &options)
{
    ImportPreview preview;
    preview.tables = tables;
    preview.options = options;
    runImport(region, tables, options, &preview);
    return preview;
}

Region applyImport(const Region &region, const ImportPreview &preview)
{
    // The same tables over the same region make the same region; what the preview listed is
    // what is done.
    ImportPreview again;
    return runImport(region, preview.tables, preview.options, &again);
}

} // namespace tavi::region
