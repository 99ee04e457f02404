#include "core/sectors/agriculture/SeriesFromStation.h"

#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/weather/StationSeriesImport.h"

namespace tavi::agriculture
{

int daysEmptiedByFill(const CellTable &serie, const std::vector<eto::YearDay> &days)
{
    int emptied = 0;
    for (int day = 1; day <= kDays && day <= int(days.size()); ++day) {
        const eto::YearDay &d = days[static_cast<std::size_t>(day - 1)];
        const bool etpLost = !d.eto && !serie.cell(kEtpColumn, day).trimmed().isEmpty();
        const bool rainLost = !d.rainfall && !serie.cell(kRainColumn, day).trimmed().isEmpty();
        if (etpLost || rainLost)
            ++emptied;
    }
    return emptied;
}

QString emptyingQuestion(int days)
{
    if (days <= 0)
        return QString();
    if (days == 1)
        return QStringLiteral("O preenchimento deixará vazio 1 dia que hoje tem valores na série, "
                              "pois os registros não trazem dados para ele. Preencher assim "
                              "mesmo?");
    return QStringLiteral("O preenchimento deixará vazios %1 dias que hoje têm valores na série, "
                          "pois os registros não trazem dados para eles. Preencher assim mesmo?")
        .arg(days);
}

QString fillQuestion(const CellTable &serie, const std::vector<eto::YearDay> &days)
{
    return emptyingQuestion(daysEmptiedByFill(serie, days));
}

void writeSeries(CellTable &serie, const std::vector<eto::YearDay> &days,
                 const LocaleSettings &locale)
{
    CellTable::Batch batch(serie);
    for (int day = 1; day <= kDays && day <= int(days.size()); ++day) {
        const eto::YearDay &d = days[static_cast<std::size_t>(day - 1)];
        serie.setCell(kEtpColumn, day, eto::seriesCellText(d.eto, locale));
        serie.setCell(kRainColumn, day, eto::seriesCellText(d.rainfall, locale));
    }
}

} // namespace tavi::agriculture
