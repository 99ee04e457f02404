#pragma once

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// A river's daily flows at a gauging station, in m3/s: one value or none for every day from
// the first to the last, as a flow series file gives them.
namespace tavi::flows
{

struct FlowSeries {
    // The station's code and name, when the file gives them.
    QString station;
    QDate first;
    // Day first + i; none where the file has no value (missing, or left blank).
    std::vector<std::optional<long double>> days;

    bool isEmpty() const { return days.empty(); }
    QDate last() const { return days.empty() ? first : first.addDays(qint64(days.size()) - 1); }
    const std::optional<long double> &on(const QDate &date) const
    {
        return days[std::size_t(first.daysTo(date))];
    }
};

} // namespace tavi::flows
