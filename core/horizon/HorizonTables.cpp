#include "core/horizon/HorizonTables.h"

#include "core/tables/CellTable.h"

// Provisional: empty tables until they are written.
namespace tavi::horizon
{

QStringList horizonYearHeaders(const ScenarioRun &)
{
    return {QStringLiteral("Ano")};
}

void fillHorizonYearTable(CellTable &, const ScenarioRun &, FiguresStyle) {}

void fillDifferenceTable(CellTable &, const std::vector<ScenarioDifference> &, FiguresStyle) {}

void fillProjectionTable(CellTable &, const std::vector<projection::ProjectionFit> &, int) {}

QString finalYearText(const std::vector<ScenarioRun> &, const LocaleSettings &)
{
    return QString();
}

QByteArray horizonCsv(const std::vector<ScenarioRun> &, const LocaleSettings &)
{
    return QByteArrayLiteral("cenario;ano;abastecimento;pecuaria;agricultura;total\n");
}

} // namespace tavi::horizon
