#include "BenchUtil.h"

#include "core/numbers/NumberText.h"
#include "core/tables/CellTable.h"
#include "core/workbook/XlsxWriter.h"
#include "export/ExportPrompts.h"
#include "export/ResultExport.h"
#include "export/WorkbookSpreadsheet.h"

#include <QTemporaryDir>

namespace
{

// The program's spreadsheet component without its window: the workbook is kept when the
// export asks it to quit, for the save to be timed on its own.
class KeptWorkbook : public SpreadsheetFactory
{
public:
    std::shared_ptr<tavi::Workbook> last;

    std::unique_ptr<SpreadsheetApp> create(const QString &, QWidget *) override
    {
        return std::make_unique<Keeper>(*this);
    }

private:
    class Keeper : public WorkbookSpreadsheet
    {
    public:
        explicit Keeper(KeptWorkbook &owner) : m_owner(owner) {}

    protected:
        void quitting() override { m_owner.last = workbook(); }

    private:
        KeptWorkbook &m_owner;
    };
};

// A grid as a model leaves it: day labels in column 0, 15-digit numbers elsewhere.
std::unique_ptr<tavi::CellTable> filledGrid(int columns, int storedRows, bool headerRow)
{
    auto grid = std::make_unique<tavi::CellTable>(columns, storedRows, storedRows, headerRow);
    const int first = headerRow ? 1 : 0;
    for (int r = first; r < storedRows; ++r) {
        grid->setCell(0, r, tavi::dayLabel(r));
        for (int c = 1; c < columns; ++c)
            grid->setCell(c, r, tavi::formatGeneral(r * 1.23456789012345L + c / 7.0L));
    }
    return grid;
}

void benchOne(const QString &name, int cells, KeptWorkbook &factory,
              const std::function<void()> &exportIt, const QString &folder)
{
    bench::row(QStringLiteral("export %1 into the workbook (%2 cells)").arg(name).arg(cells),
               bench::medianMs(9, exportIt), "ms", QStringLiteral("goal < 20"));
    exportIt();
    const std::shared_ptr<tavi::Workbook> workbook = factory.last;
    const QString path = folder + QStringLiteral("/") + name + QStringLiteral(".xlsx");
    bench::row(QStringLiteral("save %1 workbook as .xlsx").arg(name),
               bench::medianMs(9, [&] { tavi::saveXlsx(*workbook, path); }), "ms",
               QStringLiteral("goal < 100"));
}

} // namespace

// "Salvar" of each window: the copy into the in-memory workbook, then writing the .xlsx.
void benchExport()
{
    tavi::LocaleSettings::setCurrent(tavi::LocaleSettings::brazilian());
    ExportPrompts::Hooks hooks;
    hooks.showError = [](QWidget *, const QString &text) {
        std::printf("export failed: %s\n", qPrintable(text));
    };
    ExportPrompts::setHooks(hooks);
    QTemporaryDir folder;
    KeptWorkbook factory;

    auto supply = filledGrid(3, 366, true);
    benchOne(
        QStringLiteral("public supply"), 3 + 365 * 3, factory,
        [&] { exportPublicSupply(nullptr, *supply, factory); }, folder.path());

    auto livestock = filledGrid(7, 367, true);
    benchOne(
        QStringLiteral("livestock"), 7 + 366 * 7, factory,
        [&] { exportLivestock(nullptr, *livestock, factory); }, folder.path());

    auto dilution = filledGrid(5, 51, true);
    benchOne(
        QStringLiteral("dilution"), 5 + 50 * 5, factory,
        [&] { exportDilution(nullptr, *dilution, factory); }, folder.path());

    auto serie = filledGrid(4, 367, true);
    std::vector<std::unique_ptr<tavi::CellTable>> classes;
    AgricultureGrids grids{serie.get(), {}, nullptr};
    for (int k = 0; k < 9; ++k) {
        classes.push_back(filledGrid(5, 367, true));
        grids.classes[k] = classes.back().get();
    }
    auto total = filledGrid(1, 366, false);
    grids.total = total.get();
    benchOne(
        QStringLiteral("agriculture"), 366 + 12 + 366 * 50, factory,
        [&] { exportAgriculture(nullptr, grids, factory); }, folder.path());

    ExportPrompts::setHooks({});
}
