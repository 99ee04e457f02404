#include "core/Study.h"

#include "core/AgricultureTables.h"
#include "core/LivestockModel.h"
#include "core/StudyText.h"

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
    windows.push_back({QStringLiteral("TF_Abast_Publico"),
                       {QStringLiteral("me_1"), QStringLiteral("me_2"), QStringLiteral("me_3"),
                        QStringLiteral("me_4"), QStringLiteral("me_5"), QStringLiteral("e_p_1"),
                        QStringLiteral("e_p_2"), QStringLiteral("e_p_3"), QStringLiteral("e_p_4")},
                       {}});

    StudyWindowLayout livestock{QStringLiteral("TF_Mod_Pecuaria"), {}, {}};
    for (int s = 0; s < kSpeciesCount; ++s)
        livestock.fields.push_back(consumptionFieldName(s));
    for (int s = 0; s < kSpeciesCount; ++s)
        livestock.fields.push_back(herdFieldName(s));
    windows.push_back(livestock);

    // The series keeps the typed ETP and rainfall; its day labels and effective rainfall are
    // the window's own.
    windows.push_back({QStringLiteral("TF_Mod_Agricultura"),
                       {},
                       {{QStringLiteral("SG_Entrada"), 0, kClasses, allColumns(kEntradaColumns)},
                        {QStringLiteral("SG_Param"), 0, kParamRows, allColumns(kClasses)},
                        {QStringLiteral("SG_Serie"), 1, kDays, {kEtpColumn, kRainColumn}}},
                       true});

    StudyWindowLayout dilution{QStringLiteral("TF_Dem_Agua"), {}, {}};
    for (int i = 1; i <= 9; ++i)
        dilution.fields.push_back(QStringLiteral("ce_%1").arg(i));
    windows.push_back(dilution);
    return windows;
}

Study makeDefaultStudy()
{
    Study study;
    for (const StudyWindowLayout &window : studyLayout()) {
        WindowInputs &inputs = study.windows[window.name];
        for (const QString &field : window.fields)
            inputs.fields[field] = QString();
    }

    // A fresh dilution window's fields, as their edit texts show them.
    const char *const dilution[] = {"1", "0.38", "14", "0.61", "1124.55", "10", "2", "7", "2"};
    WindowInputs &dilutionInputs = study.windows[QStringLiteral("TF_Dem_Agua")];
    for (int i = 0; i < 9; ++i)
        dilutionInputs.fields[QStringLiteral("ce_%1").arg(i + 1)] = QLatin1String(dilution[i]);

    // The agriculture tables as a fresh window writes them, with the study's decimal point.
    OwnedTables tables;
    writeDefaults(tables.tables(), QLatin1Char('.'));
    const StudyWindowLayout &agriculture = *findWindowLayout(QStringLiteral("TF_Mod_Agricultura"));
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
