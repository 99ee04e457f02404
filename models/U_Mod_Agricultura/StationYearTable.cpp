#include "models/U_Mod_Agricultura/StationYearTable.h"

#include "core/base/LocaleSettings.h"
#include "core/numbers/NumberText.h"
#include "core/weather/StationSeriesImport.h"

#include <QDate>
#include <QHeaderView>

using namespace tavi;
using namespace tavi::eto;

namespace
{

const QColor kMissingTint(0xF8, 0xD0, 0xD0);
const QColor kFilledTint(0xFF, 0xF0, 0xB8);

QString etoFillText(EtoFill fill)
{
    switch (fill) {
    case EtoFill::Interpolated:
        return QStringLiteral("interpolada");
    case EtoFill::MonthMean:
        return QStringLiteral("média do mês");
    case EtoFill::OtherYears:
        return QStringLiteral("outros anos");
    case EtoFill::None:
        break;
    }
    return QString();
}

// The "Método" cell: how the ETo came about, and a rainfall taken as 0 after it.
QString methodText(const YearDay &day)
{
    QString text;
    if (day.etoFilled())
        text = etoFillText(day.etoFill);
    else if (day.yearsAveraged > 0)
        text = QStringLiteral("média de %1 anos").arg(day.yearsAveraged);
    else
        text = dayMethodText(day.eto ? day.method : Method::Missing, day.estimates,
                             day.interpolatedHours);
    if (day.rainfallFilled)
        text += QStringLiteral("; chuva 0 (sem registro)");
    return text;
}

} // namespace

StationYearTable::StationYearTable(QWidget *parent) : QTableWidget(0, kColumns, parent)
{
    setObjectName(QStringLiteral("tw_previa"));
    setHorizontalHeaderLabels({QStringLiteral("Dia"), QStringLiteral("Data"),
                               QStringLiteral("ETo (mm/dia)"), QStringLiteral("Método"),
                               QStringLiteral("Chuva (mm)")});
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A preview: Tab goes on to the dialog's buttons, the arrows move within it.
    setTabKeyNavigation(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(MethodColumn, QHeaderView::Stretch);
    setColumnWidth(DayColumn, 40);
    setColumnWidth(DateColumn, 80);
    setColumnWidth(EtoColumn, 85);
    setColumnWidth(RainColumn, 75);
}

void StationYearTable::clearYear()
{
    setRowCount(0);
}

void StationYearTable::showYear(const std::vector<YearDay> &days, int year, LeapDayFill fill)
{
    const LocaleSettings &locale = LocaleSettings::current();
    // Year 0 is the mean year: a common year whose dates name no year.
    const bool common = year == 0 || !QDate::isLeapYear(year);
    const QDate first(year == 0 ? 2001 : year, 1, 1);
    const QString dateFormat = year == 0 ? QStringLiteral("dd/MM") : QStringLiteral("dd/MM/yyyy");
    setUpdatesEnabled(false);
    setRowCount(int(days.size()));
    for (int d = 0; d < int(days.size()); ++d) {
        const YearDay &day = days[static_cast<std::size_t>(d)];
        const bool extraDay = common && d == 365;
        QString method = methodText(day);
        if (extraDay)
            method = fill == LeapDayFill::CopyOfDay365 ? QStringLiteral("cópia do dia 365")
                                                       : QStringLiteral("vazio");
        const QString texts[kColumns] = {
            dayLabel(d + 1), extraDay ? QStringLiteral("—") : first.addDays(d).toString(dateFormat),
            seriesCellText(day.eto, locale), method, seriesCellText(day.rainfall, locale)};
        for (int c = 0; c < kColumns; ++c) {
            auto *cell = new QTableWidgetItem(texts[c]);
            if (c == MethodColumn)
                cell->setToolTip(texts[c]);
            if (c == EtoColumn || c == RainColumn || c == DayColumn)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            // A day without rainfall is a gap in the records, not a dry day: tinted as a day
            // without ETo is. What the fill gave is told apart from what was measured.
            if (!day.eto || !day.rainfall)
                cell->setBackground(kMissingTint);
            else if (day.filled() && !extraDay)
                cell->setBackground(kFilledTint);
            setItem(d, c, cell);
        }
    }
    setUpdatesEnabled(true);
}
