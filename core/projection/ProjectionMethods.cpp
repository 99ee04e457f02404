#include "core/projection/ProjectionMethods.h"

namespace tavi::projection
{

QString methodName(ProjectionMethod method)
{
    switch (method) {
    case ProjectionMethod::Arithmetic:
        return QStringLiteral("Aritmético");
    case ProjectionMethod::Geometric:
        return QStringLiteral("Geométrico");
    case ProjectionMethod::DecreasingRate:
        return QStringLiteral("Taxa decrescente de crescimento");
    case ProjectionMethod::Logistic:
        return QStringLiteral("Curva logística");
    case ProjectionMethod::LinearTrend:
        return QStringLiteral("Tendência linear");
    case ProjectionMethod::ExponentialTrend:
        return QStringLiteral("Tendência exponencial");
    case ProjectionMethod::LogarithmicTrend:
        return QStringLiteral("Tendência logarítmica");
    case ProjectionMethod::PowerTrend:
        break;
    }
    return QStringLiteral("Tendência de potência");
}

bool isTrend(ProjectionMethod method)
{
    return method == ProjectionMethod::LinearTrend ||
           method == ProjectionMethod::ExponentialTrend ||
           method == ProjectionMethod::LogarithmicTrend || method == ProjectionMethod::PowerTrend;
}

} // namespace tavi::projection
