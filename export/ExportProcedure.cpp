#include "export/ExportProcedure.h"

#include "core/tables/CellTable.h"
#include "export/BusyCursor.h"
#include "export/ExportPrompts.h"
#include "export/SpreadsheetApp.h"
#include "export/SpreadsheetCodes.h"
#include "frame/Activation.h"

#include <QPointer>
#include <QWidget>

namespace ExportMessages
{
const char *const startFailed = "Versão do Ms-ExcelIncompatível";
const char *const conversionFailed =
    "Aconteceu um erro desconhecido durante a conversãoda tabela para o Ms-Excel";
} // namespace ExportMessages

namespace
{

// Every write goes to the first sheet of the first workbook.
constexpr int kWorkbook = 1;
constexpr int kSheet = 1;

// Shows a message over the window, ends a half-used application after it, and gives the
// window activation back once both are gone.
void tell(QWidget *window, const char *message, SpreadsheetApp *toEnd = nullptr)
{
    QPointer<QWidget> covered = window;
    ExportPrompts::showError(window, QString::fromUtf8(message));
    if (toEnd)
        toEnd->abandon();
    giveActivationBack(covered);
}

std::unique_ptr<SpreadsheetApp> start(QWidget *window, SpreadsheetFactory &factory)
{
    try {
        std::unique_ptr<SpreadsheetApp> app =
            factory.create(QStringLiteral("Excel.Application"), window);
        if (!app)
            return nullptr;
        app->workbooksAdd(1);
        return app;
    } catch (...) {
        // An application that started but took no workbook is released here.
        return nullptr;
    }
}

void copyIntoWorkbook(SpreadsheetApp &app, const ExportLayout &layout, BusyCursor &cursor)
{
    for (const ExportLayout::ColumnCopy &copy : layout.beforeHeaders)
        for (int row = 0; row < copy.rows; ++row)
            app.setCellText(kWorkbook, kSheet, copy.firstSheetRow + row, copy.sheetColumn,
                            copy.grid->cell(copy.column, row));

    for (const ExportLayout::Header &header : layout.headers)
        app.setCellFontStyle(kWorkbook, kSheet, header.row, header.column,
                             SpreadsheetCodes::kBoldStyle);
    for (const ExportLayout::Header &header : layout.headers)
        app.setCellText(kWorkbook, kSheet, header.row, header.column, header.text);

    int target = layout.firstDataRow;
    cursor.set();
    for (int step = 1; step <= layout.lastStep; ++step, ++target)
        for (const ExportLayout::Block &block : layout.blocks)
            for (int c = 0; c < block.columns; ++c)
                app.setCellText(kWorkbook, kSheet, target, c + 1 + block.columnOffset,
                                block.grid->cell(c, step + block.rowShift));
    if (layout.writeSheets)
        layout.writeSheets(app);
    cursor.restore();

    if (layout.fitColumns)
        app.columnsAutoFit();
    app.setVisible(true);
    if (layout.finish)
        layout.finish(app);
    else
        app.quit();
}

} // namespace

void runExport(QWidget *window, SpreadsheetFactory &factory, const ExportLayout &layout)
{
    std::unique_ptr<SpreadsheetApp> app = start(window, factory);
    if (!app) {
        tell(window, ExportMessages::startFailed);
        return;
    }
    app->suggestFileName(layout.fileName);
    bool copied = false;
    {
        BusyCursor cursor; // off again before any message, whatever happens
        try {
            copyIntoWorkbook(*app, layout, cursor);
            copied = true;
        } catch (...) {
        }
    }
    if (!copied)
        tell(window, ExportMessages::conversionFailed, app.get());
}
