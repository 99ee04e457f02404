#include "core/base/Ext.h"

#include "core/base/TaviError.h"

#include <cfloat>
#include <cmath>

namespace tavi
{

namespace
{

[[noreturn]] __attribute__((cold, noinline)) void raise(FloatError::Kind kind)
{
    throw FloatError(kind);
}

// Called only when a result is not finite, so the common path costs one test. A NaN that
// came in stays quiet, as does an infinity that came in: only what the operation itself
// produced is an error.
__attribute__((cold, noinline)) void checkNonFinite(long double r, long double a, long double b)
{
    if (std::isnan(r)) {
        if (!std::isnan(a) && !std::isnan(b))
            raise(FloatError::InvalidOperation);
    } else if (std::isfinite(a) && std::isfinite(b)) {
        raise(FloatError::Overflow);
    }
}

inline Ext checked(long double r, long double a, long double b)
{
    if (__builtin_expect(!std::isfinite(r), 0))
        checkNonFinite(r, a, b);
    return Ext(r);
}

} // namespace

Ext operator+(Ext a, Ext b)
{
    return checked(a.m_v + b.m_v, a.m_v, b.m_v);
}

Ext operator-(Ext a, Ext b)
{
    return checked(a.m_v - b.m_v, a.m_v, b.m_v);
}

Ext operator*(Ext a, Ext b)
{
    return checked(a.m_v * b.m_v, a.m_v, b.m_v);
}

Ext operator/(Ext a, Ext b)
{
    if (__builtin_expect(b.m_v == 0, 0)) {
        if (a.m_v == 0 || std::isnan(a.m_v))
            raise(FloatError::InvalidOperation);
        raise(FloatError::DivisionByZero);
    }
    return checked(a.m_v / b.m_v, a.m_v, b.m_v);
}

Ext exp(Ext x)
{
    const long double r = std::exp(x.value());
    if (__builtin_expect(std::isinf(r), 0) && std::isfinite(x.value()))
        raise(FloatError::Overflow);
    return Ext(r);
}

double toDouble(Ext x)
{
    const long double v = x.value();
    if (__builtin_expect(std::fabs(v) > static_cast<long double>(DBL_MAX), 0))
        raise(FloatError::Overflow);
    return static_cast<double>(v);
}

} // namespace tavi
