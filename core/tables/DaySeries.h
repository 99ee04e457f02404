#pragma once

#include <QStringList>

#include <vector>

namespace tavi
{

// Days 1 to 366 of a sector's daily demand as its window shows them, and the values those
// texts read as: what the summary adds up.
struct DaySeries {
    QStringList texts;
    std::vector<long double> values;
};

} // namespace tavi
