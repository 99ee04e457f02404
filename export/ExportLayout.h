#pragma once

#include <QString>
#include <functional>
#include <vector>

class SpreadsheetApp;

namespace tavi
{
class CellTable;
}

// Where an export puts a window's grids in the workbook's first sheet. Sheet rows and
// columns count from 1, grid rows and columns from 0.
struct ExportLayout {
    // A bold header text of the export's own.
    struct Header {
        int row;
        int column;
        QString text;
    };
    // Grid columns 0 .. columns - 1 of `grid` go to sheet columns columnOffset + 1 onwards.
    // Copy step r (1 .. lastStep) reads grid row r + rowShift into sheet row
    // r + firstDataRow - 1.
    struct Block {
        const tavi::CellTable *grid;
        int columns;
        int columnOffset;
        int rowShift = 0;
    };
    // One grid column copied whole before the headers: grid rows 0 .. rows - 1 of
    // `column` to sheet rows firstSheetRow onwards, in `sheetColumn`.
    struct ColumnCopy {
        const tavi::CellTable *grid;
        int column;
        int rows;
        int sheetColumn;
        int firstSheetRow;
    };

    std::vector<ColumnCopy> beforeHeaders;
    std::vector<Header> headers;
    std::vector<Block> blocks;
    int lastStep = 0;
    // The module windows' layouts leave sheet row 2 empty under their headers.
    int firstDataRow = 3;
    bool fitColumns = true;
    // The file name the user is offered when saving the workbook: the window's results.
    QString fileName;
    // Steps that write sheets of the export's own once the grids are in, under the busy
    // cursor, before the columns are fitted and the application is shown. A sheet they add
    // comes in front of the active one and becomes it (SpreadsheetApp::sheetsAdd).
    std::function<void(SpreadsheetApp &)> writeSheets;
    // Steps after the application is made visible; they end by asking it to quit. Without
    // them the export asks it to quit at once.
    std::function<void(SpreadsheetApp &)> finish;
};
