#include "core/projection/PlanningHorizon.h"

#include "core/numbers/GeneralFormat.h"
#include "core/projection/PopulationCounts.h"

#include <algorithm>

namespace tavi::projection
{

namespace
{
QString percentText(long double percent)
{
    return formatGeneral(percent, LocaleSettings::current());
}
} // namespace

PlanningHorizon PlanningHorizon::startingIn(int baseYear)
{
    return {baseYear, baseYear + kDefaultHorizonYears};
}

QString horizonProblem(const PlanningHorizon &horizon)
{
    for (int year : {horizon.baseYear, horizon.finalYear})
        if (year < kFirstCountYear || year > kLastProjectedYear)
            return QStringLiteral("O ano %1 está fora de %2 a %3.")
                .arg(year)
                .arg(kFirstCountYear)
                .arg(kLastProjectedYear);
    if (horizon.finalYear < horizon.baseYear)
        return QStringLiteral("O ano final (%1) é anterior ao ano-base (%2).")
            .arg(horizon.finalYear)
            .arg(horizon.baseYear);
    if (horizon.finalYear == horizon.baseYear)
        return QStringLiteral("O ano final deve vir ao menos um ano depois do ano-base (%1).")
            .arg(horizon.baseYear);
    if (horizon.finalYear - horizon.baseYear > kLongestHorizonYears)
        return QStringLiteral("O ano final (%1) está a mais de %2 anos do ano-base (%3).")
            .arg(horizon.finalYear)
            .arg(kLongestHorizonYears)
            .arg(horizon.baseYear);
    return QString();
}

long double PathToTarget::valueIn(int year) const
{
    if (year <= baseYear)
        return baseValue;
    if (year >= targetYear)
        return target;
    // Counted from the base year, so that the base year's value is the value itself, exactly.
    return baseValue + (target - baseValue) * (year - baseYear) / (targetYear - baseYear);
}

QString coverageProblem(long double percent, const QString &what)
{
    if (percent > 100)
        return QStringLiteral("%1 de %2 % passa de 100 %.").arg(what, percentText(percent));
    if (percent < 0)
        return QStringLiteral("%1 de %2 % é negativa.").arg(what, percentText(percent));
    return QString();
}

QString lossesProblem(long double percent, const QString &what)
{
    if (percent >= 100)
        return QStringLiteral("%1 de %2 % não deixam água para os consumidores: devem ficar "
                              "abaixo de 100 %.")
            .arg(what, percentText(percent));
    if (percent < 0)
        return QStringLiteral("%1 de %2 % são negativas.").arg(what, percentText(percent));
    return QString();
}

long double interpolatedIn(const std::vector<std::pair<int, long double>> &rows, int year)
{
    std::vector<std::pair<int, long double>> ordered = rows;
    std::sort(ordered.begin(), ordered.end());
    if (year <= ordered.front().first)
        return ordered.front().second;
    if (year >= ordered.back().first)
        return ordered.back().second;
    const auto after = std::lower_bound(ordered.begin(), ordered.end(), year,
                                        [](const auto &row, int y) { return row.first < y; });
    if (after->first == year)
        return after->second;
    const auto before = after - 1;
    return before->second + (after->second - before->second) * (year - before->first) /
                                (after->first - before->first);
}

} // namespace tavi::projection
