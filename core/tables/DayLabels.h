#pragma once

#include <QString>

namespace tavi
{

// dayLabel(day) for days 0 to 366, made once and shared by every grid that shows them; any
// other day made afresh.
QString sharedDayLabel(int day);

} // namespace tavi
