#include "core/sectors/dilution/DilutionModel.h"

#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"

#include <cmath>

namespace tavi
{

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

int dischargePointCount(long double points, const LocaleSettings &locale)
{
    if (points >= 1 && points <= kDischargePoints && points == std::floor(points))
        return int(points);
    TaviError error(QStringLiteral("O \"Número de Pontos de Lançamento\" deve ser um número "
                                   "inteiro de 1 a %1, e não %2")
                        .arg(kDischargePoints)
                        .arg(formatGeneral(points, locale)));
    error.setField(QStringLiteral("ce_3"));
    throw error;
}

void clearDilutionRun(CellTable &results, CellTable &contributions)
{
    results.clear(EffluentFlowColumn, AccumulatedFlowColumn, 1, kDischargePoints);
    contributions.clear(0, kDischargePoints - 1, 1, kDischargePoints);
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
