#include "core/study/Study.h"

#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/FieldDefinitions.h"
#include "core/sectors/catalogue/StudyKeys.h"

namespace tavi
{

namespace
{

using namespace agriculture;

std::vector<int> allColumns(int count)
{
    std::vector<int> columns;
    for (int c = 0; c < count; ++c)
        columns.push_back(c);
    return columns;
}

std::vector<StudyWindowLayout> makeLayout()
{
    std::vector<StudyWindowLayout> windows;
    for (const SectorDescriptor &sector : sectorDescriptors()) {
        StudyWindowLayout window{sector.studyKey, {}, {}};
        for (const FieldDefinition &definition : fieldDefinitions(sector.id))
            window.fields.push_back(definition.key);
        if (sector.id == SectorId::Agriculture) {
            // The series keeps the typed ETP and rainfall; its day labels and effective
            // rainfall are the window's own.
            window.grids = {{keys::kCropTable, 0, kClasses, allColumns(kEntradaColumns)},
                            {keys::kCropParameters, 0, kParamRows, allColumns(kClasses)},
                            {keys::kSeries, 1, kDays, {kEtpColumn, kRainColumn}}};
            window.keepsSeriesOrigin = true;
        }
        windows.push_back(window);
    }
    return windows;
}

Study makeDefaultStudy()
{
    Study study;
    for (const SectorDescriptor &sector : sectorDescriptors()) {
        WindowInputs &inputs = study.windows[sector.studyKey];
        for (const FieldDefinition &definition : fieldDefinitions(sector.id))
            inputs.fields[definition.key] = definition.defaultText;
    }

    // The agriculture tables as a fresh window writes them, with the study's decimal point.
    OwnedTables tables;
    writeDefaults(tables.tables(), QLatin1Char('.'));
    const StudyWindowLayout &agriculture = *findWindowLayout(keys::kAgricultureWindow);
    WindowInputs &agricultureInputs = study.windows[agriculture.name];
    const CellTable *sources[] = {tables.tables().entrada, tables.tables().param,
                                  tables.tables().serie};
    for (std::size_t g = 0; g < agriculture.grids.size(); ++g)
        agricultureInputs.grids[agriculture.grids[g].name] =
            readStudyGrid(*sources[g], agriculture.grids[g], studyNumberSettings());
    return study;
}

} // namespace

void writeStudyGrid(CellTable &table, const StudyGridLayout &layout, const StudyGrid &rows,
                    const LocaleSettings &locale)
{
    CellTable::Batch batch(table);
    for (int r = 0; r < layout.rows && r < rows.size(); ++r) {
        const StudyRow &row = rows[r];
        for (int c = 0; c < int(layout.columns.size()) && c < row.size(); ++c)
            table.setCell(layout.columns[c], layout.firstRow + r, fromStudyText(row[c], locale));
    }
}

StudyGrid readStudyGrid(const CellTable &table, const StudyGridLayout &layout,
                        const LocaleSettings &locale)
{
    StudyGrid rows;
    rows.reserve(layout.rows);
    for (int r = 0; r < layout.rows; ++r) {
        StudyRow row;
        row.reserve(int(layout.columns.size()));
        for (int c : layout.columns)
            row << toStudyText(table.cell(c, layout.firstRow + r), locale);
        rows << row;
    }
    return rows;
}

const std::vector<StudyWindowLayout> &studyLayout()
{
    static const std::vector<StudyWindowLayout> layout = makeLayout();
    return layout;
}

const StudyWindowLayout *findWindowLayout(const QString &windowName)
{
    for (const StudyWindowLayout &window : studyLayout()) {
        if (window.name == windowName)
            return &window;
    }
    return nullptr;
}

const Study &defaultStudy()
{
    static const Study study = makeDefaultStudy();
    return study;
}

WindowInputs windowInputs(const Study &study, const QString &windowName)
{
    const auto found = study.windows.constFind(windowName);
    return found != study.windows.constEnd() ? *found : defaultStudy().windows.value(windowName);
}

} // namespace tavi
