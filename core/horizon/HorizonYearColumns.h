#pragma once

#include "core/summary/MunicipalSummary.h"

// Where the year table of a scenario (fillHorizonYearTable, HorizonTables.h) holds each
// figure, so that the workbook's charts and the report's narrower table pick the same columns
// the table heads.
namespace tavi::horizon::YearColumns
{

constexpr int kYear = 0;

// The four figures each sector, and then the total, has in a row, in this order.
enum Figure { Annual = 0, AnnualHm3 = 1, MeanDaily = 2, PeakDaily = 3 };
constexpr int kFiguresPerSector = 4;

// The total stands where a fourth sector would.
constexpr int kTotal = kSummarySectors;

// A sector's (SummarySector) or the total's figure.
constexpr int column(int sector, Figure figure)
{
    return 1 + sector * kFiguresPerSector + figure;
}

constexpr int kTotalPopulation = column(kTotal, PeakDaily) + 1;
constexpr int kServedPopulation = kTotalPopulation + 1;
constexpr int kDilutionMaximum = kServedPopulation + 1;
constexpr int kCount = kDilutionMaximum + 1;

} // namespace tavi::horizon::YearColumns
