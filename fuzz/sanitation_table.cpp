// Any bytes read as the sanitation system's municipal indicators (AG001, IN022, IN049, by
// year). What must hold is what population_table.cpp checks, for a table read behind the
// indicators' header: a sanitation table.

#include "RegionTableFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::fuzzTable(
        data, size,
        QStringLiteral("\"Código do Município\";\"Município\";\"Estado\";\"Ano de Referência\";"
                       "\"Prestador\";\"IN049 - Índice de perdas na distribuição\";"
                       "\"AG001 - População total atendida com abastecimento de água\";"
                       "\"IN022 - Consumo médio percapita de água\"\r\n"),
        tavi::region::TableKind::Sanitation);
}
