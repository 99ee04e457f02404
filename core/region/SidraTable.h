#pragma once

#include "core/region/RegionTable.h"

// IBGE's SIDRA exports: a few title lines, a header starting "Nível";"Cód.";"Município", one
// row per municipality (or per municipality and herd or year), notes after an empty line.
namespace tavi::region
{

class SidraTable
{
public:
    // A population table (one value column, or one per year) or the livestock survey (herds
    // in columns or in sub-rows, Galináceos whole or split); the year asked or else the
    // latest. Throws TableFormatError.
    static TableReading read(const QByteArray &content, const QString &source, int year = 0);
    static TableReading read(const QStringList &lines, const QString &source, int year = 0);

    // The index of the line "Nível";"Cód.";"Município";..., or -1.
    static int headerLine(const QStringList &lines);
};

} // namespace tavi::region
