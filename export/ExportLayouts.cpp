#include "export/ExportLayouts.h"

namespace
{

// Header texts along one sheet row from column A.
std::vector<ExportLayout::Header> headerRow(int row, std::initializer_list<const char *> texts)
{
    std::vector<ExportLayout::Header> headers;
    int column = 1;
    for (const char *text : texts)
        headers.push_back({row, column++, QString::fromUtf8(text)});
    return headers;
}

} // namespace

ExportLayout publicSupplyLayout(const tavi::CellTable &grid)
{
    ExportLayout layout;
    layout.headers = headerRow(2, {"DIA", "ATUAL", "FUTURA"});
    layout.blocks = {{&grid, 3, 0}};
    layout.lastStep = 365;
    layout.fileName = QStringLiteral("Abastecimento Público.xlsx");
    return layout;
}

ExportLayout livestockLayout(const tavi::CellTable &grid)
{
    ExportLayout layout;
    layout.headers =
        headerRow(2, {"DIA", "BOVINO", "SUINO", "EQUINO", "CAPRINO", "GALINÁCEO", "m3/dia"});
    layout.blocks = {{&grid, 7, 0}};
    layout.lastStep = 366;
    layout.fileName = QStringLiteral("Pecuária.xlsx");
    return layout;
}

ExportLayout dilutionLayout(const tavi::CellTable &grid,
                            std::function<void(SpreadsheetApp &)> finish)
{
    ExportLayout layout;
    layout.headers = headerRow(1, {"Ponto de Lançamento", "Qefluente.n", "DBO5efluente.n", "Qdil.n",
                                   "Qind.n (acumulada)"});
    layout.blocks = {{&grid, 5, 0}};
    layout.lastStep = 50;
    layout.fileName = QStringLiteral("Diluição de Esgotos.xlsx");
    layout.finish = std::move(finish);
    return layout;
}

ExportLayout agricultureLayout(const AgricultureGrids &grids)
{
    // Column offsets of the class blocks A to I: 7 after the input block, 6 to class B,
    // then 7 apart.
    static constexpr int kClassOffsets[9] = {7, 13, 20, 27, 34, 41, 48, 55, 62};
    static const char *const kClassHeaders[9] = {"Classe A", "Classe B", "Classe C",
                                                 "Classe D", "Classe E", "Classe F",
                                                 "Classe G", "Classe H", "Classe I"};
    constexpr int kTotalColumnBR = 70;
    constexpr int kTotalOffset = 70; // the total's copy with the days lands in BS
    constexpr int kDays = 366;

    ExportLayout layout;
    layout.beforeHeaders = {{grids.total, 0, kDays, kTotalColumnBR, 3}};

    layout.headers.push_back({1, 2, QStringLiteral("Parâmetros de Entrada")});
    for (int i = 0; i < 9; ++i)
        layout.headers.push_back({1, kClassOffsets[i] + 2, QString::fromUtf8(kClassHeaders[i])});
    layout.headers.push_back({1, 69, QStringLiteral("Classe Total Agricultura (m3/dia)")});
    layout.headers.push_back({2, kTotalColumnBR, QStringLiteral("   (m3/dia)")});

    layout.blocks.push_back({grids.serie, 4, 0});
    for (int i = 0; i < 9; ++i)
        layout.blocks.push_back({grids.classes[i], 5, kClassOffsets[i]});
    layout.blocks.push_back({grids.total, 1, kTotalOffset, -1});
    layout.lastStep = kDays;
    layout.fileName = QStringLiteral("Agricultura.xlsx");
    layout.fitColumns = false;
    return layout;
}
