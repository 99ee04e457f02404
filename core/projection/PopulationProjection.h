#pragma once

#include "core/projection/PopulationCounts.h"
#include "core/projection/ProjectionMethods.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// One projection method fitted to a municipality's counts, and the population it gives for
// any year.
namespace tavi::projection
{

class ProjectionFit
{
public:
    ProjectionMethod method() const { return m_method; }
    // Why the method does not apply to these counts ("as contagens não crescem: ..."); empty
    // when it does.
    const QString &problem() const { return m_problem; }
    bool applies() const { return m_problem.isEmpty(); }
    // The fit of a least-squares trend to the counts, on the scale it was fitted on (that of
    // ln P for the exponential and power trends, as spreadsheets give it).
    const std::optional<long double> &rSquared() const { return m_rSquared; }
    // The saturation population of the decreasing rate and the logistic curve.
    const std::optional<long double> &saturation() const { return m_saturation; }
    // The years of the counts the method was fitted on.
    const std::vector<int> &yearsUsed() const { return m_yearsUsed; }

    // The projected population in `year`; meaningful only where the method applies.
    long double populationIn(long double year) const;

    // Fits `method` to counts that countsProblem() accepts. A saturation population typed by
    // the user serves the decreasing rate where three equally spaced counts do not give one.
    static ProjectionFit fit(ProjectionMethod method, const std::vector<PopulationCount> &counts,
                             std::optional<long double> typedSaturation = std::nullopt);

private:
    void fitClassic(const std::vector<PopulationCount> &counts,
                    std::optional<long double> typedSaturation);
    void fitTrend(const std::vector<PopulationCount> &counts);

    ProjectionMethod m_method = ProjectionMethod::Arithmetic;
    QString m_problem;
    std::optional<long double> m_rSquared;
    std::optional<long double> m_saturation;
    std::vector<int> m_yearsUsed;
    // P(t) of the method, with t counted from m_origin: a and b of the trends, P0 and the
    // rate k of the classic methods, c of the logistic curve.
    long double m_origin = 0;
    long double m_a = 0;
    long double m_b = 0;
    long double m_c = 0;
};

// Every method, in kProjectionMethods' order.
std::vector<ProjectionFit>
fitEveryMethod(const std::vector<PopulationCount> &counts,
               std::optional<long double> typedSaturation = std::nullopt);

// Three counts a year apart as much as the two before them, the latest such and, among
// those, the widest: what the decreasing rate and the logistic curve are fitted on. Their
// indices in `ordered` (counts in year order); nothing when no three are equally spaced.
std::optional<std::array<std::size_t, 3>>
equallySpacedCounts(const std::vector<PopulationCount> &ordered);

} // namespace tavi::projection
