// Any bytes read as IBGE's livestock survey (table 3939), herds in columns, in sub-rows or
// crossed with years, as SIDRA exports it. What must hold is what population_table.cpp
// checks, for a table read behind the survey's title and header: a livestock table.

#include "RegionTableFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::fuzzTable(
        data, size,
        QStringLiteral("Tabela 3939 - Efetivo dos rebanhos, por tipo de rebanho\n"
                       "Variável - Efetivo dos rebanhos (Cabeças)\n"
                       "\"Nível\";\"Cód.\";\"Município\";\"Bovino\";\"Suíno - total\";"
                       "\"Equino\";\"Caprino\";\"Galináceos - galinhas\";"
                       "\"Galináceos - frangos, galos, frangas e pintos\"\n"),
        tavi::region::TableKind::Livestock);
}
