#pragma once

#include "core/region/CodeTable.h"
#include "core/region/Region.h"
#include "core/region/RegionTable.h"

#include <QString>
#include <QStringList>

#include <vector>

// Tables taken into a region: first a preview of everything they would change, which changes
// nothing; then, once the planner confirms, the region the preview describes.
namespace tavi::region
{

struct ImportTables {
    std::vector<TableReading> tables;  // population, livestock, sanitation
    std::vector<CodeTable> codeTables; // groups, reference flows
};

struct ImportOptions {
    // Whether a row whose municipality the region lacks adds it (how a region is first built
    // from its tables); otherwise such rows are only listed.
    bool addMissingMunicipalities = false;
};

// A row of a table, as the preview lists it.
struct ImportRow {
    QString source; // the table's file name
    int line = 0;
    QString code;
    QString name; // "São Paulo (SP)"
};

// A value a table marks not available: the municipality keeps the template's value, flagged.
struct ImportMissing {
    ImportRow row;
    QString input;   // input path
    QString caption; // "Pecuária: Galináceo (cabeças)"
};

// One input of one municipality that the import changes, before and after, as texts a
// study file holds; `before` is "" for a municipality the import adds.
struct ImportChange {
    QString code;
    QString name;
    QString input;
    QString caption;
    QString before;
    QString after;
    QString source; // "rebanhos.csv, 2022, linha 14"
};

struct ImportPreview {
    ImportTables tables;
    ImportOptions options;
    std::vector<ImportRow> matched;
    std::vector<ImportRow> unmatched;  // municipalities the region lacks (added, when asked)
    std::vector<ImportRow> duplicates; // rows after a municipality's first, set aside
    std::vector<ImportMissing> missing;
    std::vector<ImportChange> changes;
    QStringList notes; // the tables' own notes (rows set aside and why)
    int addedMunicipalities = 0;
    int changedMunicipalities = 0;

    // "12 linhas reconhecidas, 3 sem município na região, 1 repetida, 2 valores não
    // disponíveis, 40 valores alterados em 12 municípios": what the command line prints.
    QString countsText() const;
};

// Nothing in `region` changes.
ImportPreview previewImport(const Region &region, const ImportTables &tables,
                            const ImportOptions &options = {});
// The region as the preview describes it.
Region applyImport(const Region &region, const ImportPreview &preview);

} // namespace tavi::region
