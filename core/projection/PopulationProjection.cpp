#include "core/projection/PopulationProjection.h"

#include <cmath>

namespace tavi::projection
{

namespace
{

QString inhabitants(long double population)
{
    return QString::number(double(population), 'f', 0);
}

// A straight line through points by least squares, and how well it fits them.
struct LineFit {
    long double intercept = 0;
    long double slope = 0;
    long double rSquared = 1;
};

LineFit leastSquares(const std::vector<long double> &x, const std::vector<long double> &y)
{
    const long double n = x.size();
    long double meanX = 0, meanY = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        meanX += x[i] / n;
        meanY += y[i] / n;
    }
    long double sxx = 0, sxy = 0, syy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxx += (x[i] - meanX) * (x[i] - meanX);
        sxy += (x[i] - meanX) * (y[i] - meanY);
        syy += (y[i] - meanY) * (y[i] - meanY);
    }
    LineFit line;
    line.slope = sxy / sxx;
    line.intercept = meanY - line.slope * meanX;
    long double residual = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const long double e = y[i] - (line.intercept + line.slope * x[i]);
        residual += e * e;
    }
    // Counts all alike are fitted exactly by a flat line.
    line.rSquared = syy > 0 ? 1 - residual / syy : 1;
    return line;
}

} // namespace

std::optional<std::array<std::size_t, 3>>
equallySpacedCounts(const std::vector<PopulationCount> &ordered)
{
    std::optional<std::array<std::size_t, 3>> best;
    const auto span = [&](const std::array<std::size_t, 3> &t) {
        return ordered[t[2]].year - ordered[t[0]].year;
    };
    for (std::size_t i = 0; i < ordered.size(); ++i)
        for (std::size_t j = i + 1; j < ordered.size(); ++j)
            for (std::size_t k = j + 1; k < ordered.size(); ++k) {
                if (ordered[j].year - ordered[i].year != ordered[k].year - ordered[j].year)
                    continue;
                const std::array<std::size_t, 3> triple{i, j, k};
                if (!best || ordered[k].year > ordered[(*best)[2]].year ||
                    (ordered[k].year == ordered[(*best)[2]].year && span(triple) > span(*best)))
                    best = triple;
            }
    return best;
}

long double ProjectionFit::populationIn(long double year) const
{
    const long double t = year - m_origin;
    switch (m_method) {
    case ProjectionMethod::Arithmetic:
    case ProjectionMethod::LinearTrend:
        return m_a + m_b * t;
    case ProjectionMethod::Geometric:
    case ProjectionMethod::ExponentialTrend:
        return m_a * std::exp(m_b * t);
    case ProjectionMethod::DecreasingRate:
        return m_a + (*m_saturation - m_a) * (1 - std::exp(-m_b * t));
    case ProjectionMethod::Logistic:
        return *m_saturation / (1 + m_c * std::exp(m_b * t));
    case ProjectionMethod::LogarithmicTrend:
        return m_a + m_b * std::log(year);
    case ProjectionMethod::PowerTrend:
        break;
    }
    return m_a * std::pow(year, m_b);
}

ProjectionFit ProjectionFit::fit(ProjectionMethod method,
                                 const std::vector<PopulationCount> &counts,
                                 std::optional<long double> typedSaturation)
{
    ProjectionFit fit;
    fit.m_method = method;
    const std::vector<PopulationCount> ordered = inYearOrder(counts);
    if (isTrend(method))
        fit.fitTrend(ordered);
    else
        fit.fitClassic(ordered, typedSaturation);
    if (!fit.applies()) {
        fit.m_rSquared.reset();
        fit.m_saturation.reset();
    }
    return fit;
}

void ProjectionFit::fitClassic(const std::vector<PopulationCount> &ordered,
                               std::optional<long double> typedSaturation)
{
    const PopulationCount &first = ordered.front();
    const PopulationCount &last = ordered.back();
    const long double years = last.year - first.year;
    m_origin = first.year;
    m_a = first.population;
    m_yearsUsed = {first.year, last.year};
    switch (m_method) {
    case ProjectionMethod::Arithmetic:
        m_b = (last.population - first.population) / years;
        return;
    case ProjectionMethod::Geometric:
        if (first.population <= 0 || last.population <= 0) {
            m_problem = QStringLiteral("uma população nula não tem taxa de crescimento");
            return;
        }
        m_b = std::log(last.population / first.population) / years;
        return;
    default:
        break;
    }

    const std::optional<std::array<std::size_t, 3>> triple = equallySpacedCounts(ordered);
    QString tripleProblem;
    if (!triple) {
        tripleProblem = QStringLiteral("precisa de três contagens igualmente espaçadas");
    } else {
        const PopulationCount &c0 = ordered[(*triple)[0]];
        const PopulationCount &c1 = ordered[(*triple)[1]];
        const PopulationCount &c2 = ordered[(*triple)[2]];
        const long double p0 = c0.population, p1 = c1.population, p2 = c2.population;
        m_yearsUsed = {c0.year, c1.year, c2.year};
        m_origin = c0.year;
        m_a = p0;
        const long double denominator = p0 * p2 - p1 * p1;
        if (m_method == ProjectionMethod::Logistic && !(p0 < p1 && p1 < p2)) {
            tripleProblem = QStringLiteral("as contagens de %1, %2 e %3 não crescem sempre "
                                           "(P0 < P1 < P2)")
                                .arg(c0.year)
                                .arg(c1.year)
                                .arg(c2.year);
        } else if (m_method == ProjectionMethod::Logistic && !(denominator < 0)) {
            tripleProblem = QStringLiteral("o crescimento de %1 a %3 não desacelera (P0·P2 = "
                                           "%4 não é menor que P1² = %5)")
                                .arg(c0.year)
                                .arg(c2.year)
                                .arg(inhabitants(p0 * p2), inhabitants(p1 * p1));
        } else if (denominator == 0) {
            tripleProblem = QStringLiteral("as contagens de %1, %2 e %3 crescem a taxa constante "
                                           "e não indicam saturação")
                                .arg(c0.year)
                                .arg(c1.year)
                                .arg(c2.year);
        } else {
            const long double saturation = (2 * p0 * p1 * p2 - p1 * p1 * (p0 + p2)) / denominator;
            if (!(saturation > p2) || !(saturation > p0)) {
                tripleProblem = QStringLiteral("a população de saturação das contagens de %1, %2 "
                                               "e %3 (%4) não é maior que as contagens")
                                    .arg(c0.year)
                                    .arg(c1.year)
                                    .arg(c2.year)
                                    .arg(inhabitants(saturation));
            } else {
                m_saturation = saturation;
                if (m_method == ProjectionMethod::Logistic) {
                    m_c = (saturation - p0) / p0;
                    m_b = std::log(p0 * (saturation - p1) / (p1 * (saturation - p0))) /
                          (c2.year - c1.year);
                } else {
                    m_b = -std::log((saturation - p2) / (saturation - p0)) / (c2.year - c0.year);
                }
                return;
            }
        }
    }
    // Where the counts give no saturation, the decreasing rate takes one typed, between the
    // first and the last count.
    if (m_method == ProjectionMethod::DecreasingRate && typedSaturation) {
        const long double saturation = *typedSaturation;
        if (!(saturation > last.population) || !(saturation > first.population)) {
            m_problem = QStringLiteral("a população de saturação informada (%1) deve ser maior "
                                       "que as contagens")
                            .arg(inhabitants(saturation));
            return;
        }
        m_yearsUsed = {first.year, last.year};
        m_origin = first.year;
        m_a = first.population;
        m_saturation = saturation;
        m_b = -std::log((saturation - last.population) / (saturation - first.population)) / years;
        return;
    }
    m_problem = tripleProblem;
    if (m_method == ProjectionMethod::DecreasingRate)
        m_problem += QStringLiteral("; informe a população de saturação");
}

void ProjectionFit::fitTrend(const std::vector<PopulationCount> &ordered)
{
    const bool logOfPopulation =
        m_method == ProjectionMethod::ExponentialTrend || m_method == ProjectionMethod::PowerTrend;
    const bool logOfYear =
        m_method == ProjectionMethod::LogarithmicTrend || m_method == ProjectionMethod::PowerTrend;
    m_origin = logOfYear ? 0 : ordered.front().year;
    std::vector<long double> x, y;
    for (const PopulationCount &count : ordered) {
        if (logOfPopulation && count.population <= 0) {
            m_problem = QStringLiteral("a população de %1 é nula, e o logaritmo pede populações "
                                       "positivas")
                            .arg(count.year);
            return;
        }
        m_yearsUsed.push_back(count.year);
        x.push_back(logOfYear ? std::log(static_cast<long double>(count.year))
                              : count.year - m_origin);
        y.push_back(logOfPopulation ? std::log(count.population) : count.population);
    }
    const LineFit line = leastSquares(x, y);
    m_a = logOfPopulation ? std::exp(line.intercept) : line.intercept;
    m_b = line.slope;
    m_rSquared = line.rSquared;
}

std::vector<ProjectionFit> fitEveryMethod(const std::vector<PopulationCount> &counts,
                                          std::optional<long double> typedSaturation)
{
    std::vector<ProjectionFit> fits;
    for (ProjectionMethod method : kProjectionMethods)
        fits.push_back(ProjectionFit::fit(method, counts, typedSaturation));
    return fits;
}

} // namespace tavi::projection
