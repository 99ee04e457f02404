// Any bytes read as IBGE's population table, as SIDRA exports it (estimates by year, or the
// census with its total beside the urban and rural counts). What must hold:
// - reading ends with a table or a TableFormatError naming the file, nothing else;
// - every row read has a valid seven-digit code of its own, a value or a gap for each
//   quantity, and no value negative or not finite; the year read is one the table has;
// - behind a population table's title and header the reading is a population table.

#include "RegionTableFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::fuzzTable(data, size,
                           QStringLiteral("Tabela 6579 - População residente estimada\n"
                                          "Variável - População residente estimada (Pessoas)\n"
                                          "\"Nível\";\"Cód.\";\"Município\";\"2021\";\"2022\"\n"),
                           tavi::region::TableKind::Population);
}
