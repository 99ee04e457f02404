#pragma once

#include <QString>

// The methods a population is projected by: the classic ones of Brazilian sanitation
// engineering, fitted on two or three counts, and the least-squares trends over all of them.
namespace tavi::projection
{

enum class ProjectionMethod {
    Arithmetic,       // constant growth in inhabitants a year, first to last count
    Geometric,        // constant growth rate, first to last count
    DecreasingRate,   // growth slowing towards a saturation population
    Logistic,         // the S curve of three equally spaced counts
    LinearTrend,      // y = a + b t
    ExponentialTrend, // y = a e^(b t)
    LogarithmicTrend, // y = a + b ln(year)
    PowerTrend,       // y = a year^b
};

constexpr ProjectionMethod kProjectionMethods[] = {
    ProjectionMethod::Arithmetic,       ProjectionMethod::Geometric,
    ProjectionMethod::DecreasingRate,   ProjectionMethod::Logistic,
    ProjectionMethod::LinearTrend,      ProjectionMethod::ExponentialTrend,
    ProjectionMethod::LogarithmicTrend, ProjectionMethod::PowerTrend};

// "Aritmético", "Geométrico", "Taxa decrescente de crescimento", "Curva logística",
// "Tendência linear", "Tendência exponencial", "Tendência logarítmica", "Tendência de potência".
QString methodName(ProjectionMethod method);

// Whether the method is a least-squares trend, which has an R².
bool isTrend(ProjectionMethod method);

} // namespace tavi::projection
