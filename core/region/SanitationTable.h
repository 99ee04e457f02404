#pragma once

#include "core/region/RegionTable.h"

// The national sanitation information system's municipal indicators, exported as CSV: one
// column per indicator, found by its code in the header text ("AG001 - População total
// atendida com abastecimento de água"), a column of IBGE codes, and a year column when the
// export spans several years.
namespace tavi::region
{

class SanitationTable
{
public:
    // AG001 (inhabitants), IN022 (L/hab/dia, given as m³/dia.hab) and IN049 (%), whichever
    // the table has; the year asked or else the latest. Throws TableFormatError.
    static TableReading read(const QByteArray &content, const QString &source, int year = 0);
    static TableReading read(const QStringList &lines, const QString &source, int year = 0);

    // The index of the first line naming an indicator the reader takes, or -1.
    static int headerLine(const QStringList &lines);
};

} // namespace tavi::region
