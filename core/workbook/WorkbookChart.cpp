#include "core/workbook/WorkbookChart.h"

#include "core/workbook/WorkbookError.h"

namespace tavi
{

void WorkbookChart::setChartType(int type)
{
    if (type != kLine && type != kLineStacked && type != kAreaStacked && type != kColumnStacked)
        throw WorkbookError(QStringLiteral("O tipo de gráfico %1 não é suportado").arg(type));
    m_type = type;
}

const ChartSeries &WorkbookChart::series(int index) const
{
    if (index < 1 || index > seriesCount())
        throw WorkbookError(QStringLiteral("O gráfico não tem a série %1").arg(index));
    return m_series[index - 1];
}

int WorkbookChart::addSeries()
{
    m_series.emplace_back();
    return seriesCount();
}

void WorkbookChart::setSeriesValues(int index, const CellRange &values)
{
    series(index);
    if (values.rowCount() > 1 && values.columnCount() > 1)
        throw WorkbookError(
            QStringLiteral("Os valores de uma série devem estar numa só linha ou coluna"));
    m_series[index - 1].values = values;
}

void WorkbookChart::setSeriesCategories(int index, const CellRange &categories)
{
    series(index);
    if (categories.rowCount() > 1 && categories.columnCount() > 1)
        throw WorkbookError(
            QStringLiteral("As categorias de uma série devem estar numa só linha ou coluna"));
    m_series[index - 1].categories = categories;
}

} // namespace tavi
