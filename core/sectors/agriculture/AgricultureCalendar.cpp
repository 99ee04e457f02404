#include "core/sectors/agriculture/AgricultureCalendar.h"

#include "core/base/Ext.h"
#include "core/numbers/ShownNumber.h"
#include "core/tables/CellNumber.h"

#include <memory>

namespace tavi::agriculture
{

namespace
{

using DayValues = std::array<long double, kDays + 1>;

// The day counter of one class on every day, from its planting start, and the values the
// counter texts read as.
void writeCounters(const Tables &t, int k, const DayValues &dayNumbers, DayValues &counters,
                   const LocaleSettings &locale)
{
    const long double start = cellNumber(*t.param, k, kStartRow, locale);
    CellTable &grid = *t.classes[k];
    const QString first = QStringLiteral("1");
    const QString before = QStringLiteral("0");
    for (int day = 1; day <= kDays; ++day) {
        const long double d = dayNumbers[day];
        if (d == start) {
            grid.setCell(kCounterColumn, day, first);
            counters[day] = 1;
        } else if (start > d) {
            grid.setCell(kCounterColumn, day, before);
            counters[day] = 0;
        } else {
            const ShownNumber counter = shownNumber(((Ext(d) - start) + 1).value(), locale);
            grid.setCell(kCounterColumn, day, counter.text);
            counters[day] = counter.value;
        }
    }
}

// The Kc of one class on every day, from its counter as the cell holds it.
void writeKc(const Tables &t, int k, const DayValues &counters, const LocaleSettings &locale)
{
    const CellTable &crops = *t.entrada;
    const long double period = cellNumber(crops, kPeriodColumn, k, locale);
    // Last counter value of phases 1 to 3.
    long double phaseEnd[3];
    Ext sum = 0;
    for (int p = 0; p < 3; ++p) {
        sum = sum + cellNumber(crops, kPhaseColumn + 2 * p, k, locale);
        phaseEnd[p] = sum.value();
    }
    // Phase 4 ends with the period, so its length takes no part in the choice; it is read
    // all the same, so that an unreadable entry in the row is reported, not ignored.
    cellNumber(crops, kPhaseColumn + 6, k, locale);
    const QString none = QStringLiteral("0");
    const auto kcOfPhase = [&](int p) { return crops.cell(kPhaseColumn + 2 * p + 1, k); };

    CellTable &grid = *t.classes[k];
    for (int day = 1; day <= kDays; ++day) {
        const long double c = counters[day];
        if (c < 1 || c > period)
            grid.setCell(kKcColumn, day, none);
        else if (c <= phaseEnd[0])
            grid.setCell(kKcColumn, day, kcOfPhase(0));
        else if (c <= phaseEnd[1])
            grid.setCell(kKcColumn, day, kcOfPhase(1));
        else if (c <= phaseEnd[2])
            grid.setCell(kKcColumn, day, kcOfPhase(2));
        else
            grid.setCell(kKcColumn, day, kcOfPhase(3));
    }
}

} // namespace

void runCropCalendar(const Tables &t, ClassSet classes, const LocaleSettings &locale)
{
    if (classes.none())
        return;
    std::unique_ptr<CellTable::Batch> batches[kClasses];
    for (int k = 0; k < kClasses; ++k) {
        if (classes.test(k))
            batches[k] = std::make_unique<CellTable::Batch>(*t.classes[k]);
    }

    DayValues dayNumbers{};
    for (int day = 1; day <= kDays; ++day)
        dayNumbers[day] = cellNumber(*t.serie, kDayColumn, day, locale);

    std::array<DayValues, kClasses> counters;
    for (int k = 0; k < kClasses; ++k) {
        if (classes.test(k))
            writeCounters(t, k, dayNumbers, counters[k], locale);
    }
    for (int k = 0; k < kClasses; ++k) {
        if (classes.test(k))
            writeKc(t, k, counters[k], locale);
    }
}

QStringList CalendarSources::sourcesOf(const Tables &t, int k)
{
    QStringList texts;
    for (int c = 0; c < kEntradaColumns; ++c)
        texts << t.entrada->cell(c, k);
    texts << t.param->cell(k, kStartRow);
    return texts;
}

void CalendarSources::record(const Tables &t, ClassSet classes)
{
    for (int k = 0; k < kClasses; ++k) {
        if (classes.test(k))
            m_recorded[k] = sourcesOf(t, k);
    }
}

ClassSet CalendarSources::changed(const Tables &t) const
{
    ClassSet changed;
    for (int k = 0; k < kClasses; ++k)
        changed.set(k, sourcesOf(t, k) != m_recorded[k]);
    return changed;
}

} // namespace tavi::agriculture
