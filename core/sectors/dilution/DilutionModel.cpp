#include "core/sectors/dilution/DilutionModel.h"

#include "core/base/Ext.h"
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/tables/CellNumber.h"

#include <cmath>

namespace tavi
{

namespace
{

long double readBack(const CellTable &table, int col, int row)
{
    return cellNumber(table, col, row);
}

void writeNumber(CellTable &table, int col, int row, Ext value)
{
    table.setCell(col, row, formatGeneral(value.value()));
}

} // namespace

void writeDilutionHeaders(CellTable &results)
{
    CellTable::Batch batch(results);
    results.setCell(PointColumn, 0, QStringLiteral("Ponto de Lançamento"));
    results.setCell(EffluentFlowColumn, 0, QStringLiteral("Qefluente.n"));
    results.setCell(EffluentBodColumn, 0, QStringLiteral("DBO5efluente.n"));
    results.setCell(DilutionFlowColumn, 0, QStringLiteral("Qdil.n"));
    results.setCell(AccumulatedFlowColumn, 0, QStringLiteral("Qind.n (acumulada)"));
}

void writePointNumbers(CellTable &results)
{
    CellTable::Batch batch(results);
    for (int p = 1; p <= kDischargePoints; ++p)
        results.setCell(PointColumn, p, QString::number(p));
}

void writeContributionHeaders(CellTable &contributions)
{
    CellTable::Batch batch(contributions);
    for (int d = 1; d <= kDischargePoints; ++d)
        contributions.setCell(d - 1, 0, QStringLiteral("Qind.%1").arg(d));
}

int dischargePointCount(long double points)
{
    if (points >= 1 && points <= kDischargePoints && points == std::floor(points))
        return int(points);
    TaviError error(QStringLiteral("O \"Número de Pontos de Lançamento\" deve ser um número "
                                   "inteiro de 1 a %1, e não %2")
                        .arg(kDischargePoints)
                        .arg(formatGeneral(points)));
    error.setField(QStringLiteral("ce_3"));
    throw error;
}

void clearDilutionRun(CellTable &results, CellTable &contributions)
{
    results.clear(EffluentFlowColumn, AccumulatedFlowColumn, 1, kDischargePoints);
    contributions.clear(0, kDischargePoints - 1, 1, kDischargePoints);
}

void fillPointValues(CellTable &results, const DilutionInputs &in)
{
    const int discharging = dischargePointCount(in.points);
    CellTable::Batch batch(results);
    for (int p = 1; p <= discharging; ++p) {
        writeNumber(results, EffluentFlowColumn, p, Ext(in.effluentFlow) / in.points);
        writeNumber(results, EffluentBodColumn, p, Ext(in.effluentBod) / in.points);
        const Ext flow = readBack(results, EffluentFlowColumn, p);
        const Ext bod = readBack(results, EffluentBodColumn, p);
        const Ext dilution = (bod - in.permittedBod) / (Ext(in.permittedBod) - in.riverBod) * flow;
        writeNumber(results, DilutionFlowColumn, p, dilution);
    }
}

void propagateContribution(const CellTable &results, CellTable &contributions,
                           const DilutionInputs &in, int point)
{
    CellTable::Batch batch(contributions);
    const int col = point - 1;
    const Ext own = Ext(readBack(results, EffluentFlowColumn, point)) +
                    readBack(results, DilutionFlowColumn, point);
    writeNumber(contributions, col, point, own);
    for (int p = point + 1; p <= kDischargePoints; ++p) {
        const Ext base = readBack(contributions, col, point);
        // The discharge at `point` reaches p after p − point travel intervals.
        const Ext intervals = p - point;
        const Ext decay = exp(((Ext(-1) * in.decayRate) * in.travelTime) * intervals);
        writeNumber(contributions, col, p, base * decay);
    }
}

void accumulateFlow(CellTable &results, const CellTable &contributions, int point,
                    int dischargePoints)
{
    Ext sum = readBack(contributions, 0, point);
    for (int d = 2; d <= point && d <= dischargePoints; ++d)
        sum = sum + readBack(contributions, d - 1, point);
    writeNumber(results, AccumulatedFlowColumn, point, sum);
}

double maximumAccumulatedFlow(const CellTable &results)
{
    double maximum = 0;
    for (int p = 1; p <= kDischargePoints; ++p) {
        const long double flow = readBack(results, AccumulatedFlowColumn, p);
        if (flow > maximum)
            maximum = toDouble(flow);
    }
    return maximum;
}

double runDilution(CellTable &results, CellTable &contributions, const DilutionInputs &in)
{
    const int discharging = dischargePointCount(in.points);
    clearDilutionRun(results, contributions);
    fillPointValues(results, in);
    for (int d = 1; d <= discharging; ++d)
        propagateContribution(results, contributions, in, d);
    {
        CellTable::Batch batch(results);
        for (int p = 1; p <= kDischargePoints; ++p)
            accumulateFlow(results, contributions, p, discharging);
    }
    return maximumAccumulatedFlow(results);
}

CellTable *newDilutionResults(QObject *parent)
{
    return new CellTable(DilutionColumnCount, kDischargePoints + 1, kDischargePoints + 1, true,
                         parent);
}

CellTable *newContributionMatrix(QObject *parent)
{
    return new CellTable(kDischargePoints, kDischargePoints + 1, kDischargePoints + 1, true,
                         parent);
}

} // namespace tavi
