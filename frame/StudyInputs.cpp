#include "frame/StudyInputs.h"

#include "core/base/LocaleSettings.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "core/tables/CellTable.h"
#include "frame/ModuleWindow.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "frame/SeriesOriginLabel.h"

#include <QWidget>

#include <algorithm>

using namespace tavi;

namespace StudyInputs
{

namespace
{

const StudyWindowLayout *layoutOf(const QWidget *window)
{
    return findWindowLayout(studyKeyOf(window));
}

template <class W> W *component(const QWidget *window, const QString &name)
{
    return window->findChild<W *>(name);
}

// Where a window keeps the origin of its series: its one origin label, if it has one.
SeriesOriginLabel *originLabel(const QWidget *window, const StudyWindowLayout &layout)
{
    return layout.keepsSeriesOrigin ? window->findChild<SeriesOriginLabel *>() : nullptr;
}

// A cell being typed into counts with what is typed so far, as a field being edited does:
// a program that ends before the editor closes must not lose it.
void keepPendingEdit(const ResultGrid &grid, const StudyGridLayout &layout, StudyGrid &rows,
                     const LocaleSettings &locale)
{
    int col = 0, row = 0;
    QString text;
    if (!grid.pendingEdit(&col, &row, &text))
        return;
    const int r = row - layout.firstRow;
    const auto c = std::find(layout.columns.begin(), layout.columns.end(), col);
    if (r < 0 || r >= rows.size() || c == layout.columns.end())
        return;
    const int index = int(c - layout.columns.begin());
    if (index < rows[r].size())
        rows[r][index] = toStudyText(text, locale);
}

} // namespace

QString studyKeyOf(const QWidget *window)
{
    const auto *module = qobject_cast<const ModuleWindow *>(window);
    return module && module->sector() ? sectorDescriptor(*module->sector()).studyKey : QString();
}

void fill(QWidget *window, const WindowInputs &inputs)
{
    const StudyWindowLayout *layout = layoutOf(window);
    if (!layout)
        return;
    const LocaleSettings &locale = LocaleSettings::current();
    for (const QString &name : layout->fields) {
        NumericEdit *field = component<NumericEdit>(window, name);
        const auto text = inputs.fields.constFind(name);
        if (!field || text == inputs.fields.constEnd())
            continue;
        // Through the value, so the field holds it as it would after being typed and left.
        long double value = 0;
        if (!readEntry(fromStudyText(*text, locale), &value, locale))
            value = 0;
        field->setValue(value);
    }
    for (const StudyGridLayout &gridLayout : layout->grids) {
        ResultGrid *grid = component<ResultGrid>(window, gridLayout.name);
        const auto rows = inputs.grids.constFind(gridLayout.name);
        if (!grid || rows == inputs.grids.constEnd())
            continue;
        writeStudyGrid(grid->table(), gridLayout, *rows, locale);
    }
    if (SeriesOriginLabel *label = originLabel(window, *layout))
        label->setOrigin(inputs.seriesOrigin);
}

WindowInputs collect(const QWidget *window)
{
    WindowInputs inputs;
    const StudyWindowLayout *layout = layoutOf(window);
    if (!layout)
        return inputs;
    const LocaleSettings &locale = LocaleSettings::current();
    for (const QString &name : layout->fields) {
        if (const NumericEdit *field = component<NumericEdit>(window, name))
            inputs.fields[name] = toStudyText(field->keptText(), locale);
    }
    for (const StudyGridLayout &gridLayout : layout->grids) {
        if (const ResultGrid *grid = component<ResultGrid>(window, gridLayout.name)) {
            StudyGrid rows = readStudyGrid(grid->table(), gridLayout, locale);
            keepPendingEdit(*grid, gridLayout, rows, locale);
            inputs.grids[gridLayout.name] = rows;
        }
    }
    if (const SeriesOriginLabel *label = originLabel(window, *layout))
        inputs.seriesOrigin = label->origin();
    return inputs;
}

void watch(QWidget *window, QObject *context, const std::function<void()> &changed)
{
    const StudyWindowLayout *layout = layoutOf(window);
    if (!layout)
        return;
    for (const QString &name : layout->fields) {
        if (NumericEdit *field = component<NumericEdit>(window, name))
            QObject::connect(field, &QLineEdit::textChanged, context, [changed] { changed(); });
    }
    for (const StudyGridLayout &gridLayout : layout->grids) {
        if (ResultGrid *grid = component<ResultGrid>(window, gridLayout.name)) {
            CellTable *table = &grid->table();
            QObject::connect(table, &CellTable::dataChanged, context, [changed] { changed(); });
            QObject::connect(table, &CellTable::modelReset, context, [changed] { changed(); });
            QObject::connect(grid, &ResultGrid::pendingEditChanged, context,
                             [changed] { changed(); });
        }
    }
    if (SeriesOriginLabel *label = originLabel(window, *layout))
        QObject::connect(label, &SeriesOriginLabel::originChanged, context,
                         [changed] { changed(); });
}

} // namespace StudyInputs
