#pragma once

#include "core/base/LocaleSettings.h"
#include "core/sectors/catalogue/AgricultureTables.h"

#include <QStringList>

#include <array>
#include <bitset>

namespace tavi::agriculture
{

using ClassSet = std::bitset<kClasses>;

// The crop calendar of the classes in `classes`, in two passes over days 1 to 366, the first
// complete before the second:
//  - the day counter ("Contador"): "1" on the planting start s, "0" before it, d - s + 1 after
//    it, d being the number of the day label. It has no upper end and no wrap-around.
//  - the day's Kc, chosen by the counter c (read back from its text) and the phase lengths
//    L1 to L4: "0" before planting (c < 1) and after the cultivation period; otherwise the
//    text of phase 1's Kc cell while c <= L1, phase 2's while c <= L1 + L2, phase 3's while
//    c <= L1 + L2 + L3 and phase 4's for the rest of the period, copied with its blanks.
// Numbers are read and written in `locale`. A table cell that does not read as a number throws
// ConvertError; what was written stays.
void runCropCalendar(const Tables &tables, ClassSet classes = ClassSet().set(),
                     const LocaleSettings &locale = LocaleSettings::current());

// What each class's calendar was last computed from: its row of the crop table and its
// planting start, as text. Comparing with the tables as they are now tells which classes the
// user has edited since, however the edit came (typed, pasted, or written by a program), and
// leaves the others, with any Kc typed into them by hand, alone.
class CalendarSources
{
public:
    void record(const Tables &tables, ClassSet classes = ClassSet().set());
    ClassSet changed(const Tables &tables) const;

private:
    static QStringList sourcesOf(const Tables &tables, int k);
    std::array<QStringList, kClasses> m_recorded;
};

} // namespace tavi::agriculture
