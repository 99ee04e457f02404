#include "core/tables/DayLabels.h"

#include "core/numbers/NumberText.h"

#include <QVector>

namespace tavi
{

QString sharedDayLabel(int day)
{
    constexpr int kLastDay = 366;
    static const QVector<QString> labels = [] {
        QVector<QString> made;
        for (int d = 0; d <= kLastDay; ++d)
            made << dayLabel(d);
        return made;
    }();
    return day >= 0 && day <= kLastDay ? labels[day] : dayLabel(day);
}

} // namespace tavi
