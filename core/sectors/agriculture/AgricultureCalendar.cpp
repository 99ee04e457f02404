#include "core/sectors/agriculture/AgricultureCalendar.h"

#include "core/base/Ext.h"
#include "core/numbers/NumberText.h"
#include "core/tables/CellNumber.h"

namespace tavi::agriculture
{

namespace
{

// The day counter of one class on every day, from its planting start.
void writeCounters(const Tables &t, int k, const long double (&dayNumbers)[kDays + 1])
{
    const long double start = cellNumber(*t.param, k, kStartRow);
    CellTable &grid = *t.classes[k];
    for (int day = 1; day <= kDays; ++day) {
        const long double d = dayNumbers[day];
        QString counter;
        if (d == start)
            counter = QStringLiteral("1");
        else if (start > d)
            counter = QStringLiteral("0");
        else
            counter = formatGeneral(((Ext(d) - start) + 1).value());
        grid.setCell(kCounterColumn, day, counter);
    }
}

// The Kc of one class on every day, from its counter as the cell holds it.
void writeKc(const Tables &t, int k)
{
    const CellTable &crops = *t.entrada;
    const long double period = cellNumber(crops, kPeriodColumn, k);
    // Last counter value of phases 1 to 3.
    long double phaseEnd[3];
    Ext sum = 0;
    for (int p = 0; p < 3; ++p) {
        sum = sum + cellNumber(crops, kPhaseColumn + 2 * p, k);
        phaseEnd[p] = sum.value();
    }
    // Phase 4 ends with the period, so its length takes no part in the choice; it is read
    // all the same, so that an unreadable entry in the row is reported, not ignored.
    cellNumber(crops, kPhaseColumn + 6, k);
    const QString none = QStringLiteral("0");
    const auto kcOfPhase = [&](int p) { return crops.cell(kPhaseColumn + 2 * p + 1, k); };

    CellTable &grid = *t.classes[k];
    for (int day = 1; day <= kDays; ++day) {
        const long double c = cellNumber(grid, kCounterColumn, day);
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

void runCropCalendar(const Tables &t, ClassSet classes)
{
    if (classes.none())
        return;
    std::unique_ptr<CellTable::Batch> batches[kClasses];
    for (int k = 0; k < kClasses; ++k) {
        if (classes.test(k))
            batches[k] = std::make_unique<CellTable::Batch>(*t.classes[k]);
    }

    long double dayNumbers[kDays + 1] = {};
    for (int day = 1; day <= kDays; ++day)
        dayNumbers[day] = cellNumber(*t.serie, kDayColumn, day);

    for (int k = 0; k < kClasses; ++k) {
        if (classes.test(k))
            writeCounters(t, k, dayNumbers);
    }
    for (int k = 0; k < kClasses; ++k) {
        if (classes.test(k))
            writeKc(t, k);
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
