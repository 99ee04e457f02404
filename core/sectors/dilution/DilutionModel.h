#pragma once

#include "core/base/LocaleSettings.h"
#include "core/tables/CellTable.h"

namespace tavi
{

// The points along the river: always 50. The first N of them (N typed, 1 to 50) receive a
// discharge; the others only carry what comes from upstream.
constexpr int kDischargePoints = 50;

// Columns of the dilution result grid (row 0 headers, row p discharge point p).
enum DilutionColumn {
    PointColumn = 0,       // "Ponto de Lançamento": "1" to "50"
    EffluentFlowColumn,    // "Qefluente.n", m3/s
    EffluentBodColumn,     // "DBO5efluente.n", mg/litro
    DilutionFlowColumn,    // "Qdil.n", m3/s
    AccumulatedFlowColumn, // "Qind.n (acumulada)", m3/s
    DilutionColumnCount
};

// The seven fields the dilution model reads.
struct DilutionInputs {
    long double decayRate = 0;    // ce_2, K, per day
    long double points = 0;       // ce_3, N: how many points discharge, sharing the totals
    long double effluentFlow = 0; // ce_4, total effluent flow, m3/s
    long double effluentBod = 0;  // ce_5, total effluent BOD5, mg/litro
    long double permittedBod = 0; // ce_6, permitted BOD5 of the mixture
    long double riverBod = 0;     // ce_7, BOD5 of the river water
    long double travelTime = 0;   // ce_8, Δt between consecutive points, days
};

// The result grid's row-0 headers.
void writeDilutionHeaders(CellTable &results);
// The point numbers "1" to "50" in column 0 of the result grid.
void writePointNumbers(CellTable &results);
// Row 0 of the contribution matrix: "Qind.1" to "Qind.50".
void writeContributionHeaders(CellTable &contributions);

// N as a count of discharge points: a whole number from 1 to 50. Anything else throws a
// TaviError naming the field "Número de Pontos de Lançamento" (ce_3), its value written in
// `locale`, so that a total is never shared among more points than the river has, or lost
// beyond them.
int dischargePointCount(long double points,
                        const LocaleSettings &locale = LocaleSettings::current());

// Empties the results (all but the point numbers) and the contribution matrix, as before any
// run.
void clearDilutionRun(CellTable &results, CellTable &contributions);

// Tables shaped as the window's grids: 5 columns and 50 columns, each over rows 0 to 50.
CellTable *newDilutionResults(QObject *parent = nullptr);
CellTable *newContributionMatrix(QObject *parent = nullptr);

} // namespace tavi
