#include "core/projection/PopulationCounts.h"

#include <algorithm>

namespace tavi::projection
{

QString countsProblem(const std::vector<PopulationCount> &counts)
{
    if (counts.size() < 2)
        return QStringLiteral("Informe ao menos duas contagens de população (ano e população).");
    for (const PopulationCount &count : counts) {
        if (count.year < kFirstCountYear || count.year > kLastProjectedYear)
            return QStringLiteral("O ano %1 está fora de %2 a %3.")
                .arg(count.year)
                .arg(kFirstCountYear)
                .arg(kLastProjectedYear);
        if (count.population < 0)
            return QStringLiteral("A população de %1 é negativa.").arg(count.year);
    }
    const std::vector<PopulationCount> ordered = inYearOrder(counts);
    for (std::size_t i = 1; i < ordered.size(); ++i)
        if (ordered[i].year == ordered[i - 1].year)
            return QStringLiteral("O ano %1 aparece duas vezes.").arg(ordered[i].year);
    return QString();
}

std::vector<PopulationCount> inYearOrder(std::vector<PopulationCount> counts)
{
    std::stable_sort(
        counts.begin(), counts.end(),
        [](const PopulationCount &a, const PopulationCount &b) { return a.year < b.year; });
    return counts;
}

} // namespace tavi::projection
