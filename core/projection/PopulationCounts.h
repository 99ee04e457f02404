#pragma once

#include <QString>

#include <vector>

// Census counts and estimates of a municipality's population, as a planner types them: one
// (year, population) row each, in any order.
namespace tavi::projection
{

struct PopulationCount {
    int year = 0;
    long double population = 0;
};

// Brazil's first census, and the last year a projection reaches.
constexpr int kFirstCountYear = 1872;
constexpr int kLastProjectedYear = 2100;

// Why nothing can be projected from the counts, in the user's words ("O ano 2010 aparece
// duas vezes."); empty when they can be used: at least two, each year once and within
// kFirstCountYear..kLastProjectedYear, no population negative.
QString countsProblem(const std::vector<PopulationCount> &counts);

// The counts in year order.
std::vector<PopulationCount> inYearOrder(std::vector<PopulationCount> counts);

} // namespace tavi::projection
