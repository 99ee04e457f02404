#pragma once

namespace tavi
{

// An extended-precision (80-bit on x86-64) value whose arithmetic raises FloatError
// where the processor would trap: division by zero, invalid operations (0/0, inf - inf)
// and overflow beyond the extended range. Underflow and loss of precision pass silently.
class Ext
{
public:
    Ext() = default;
    Ext(long double v) : m_v(v) {} // implicit: mixes freely with plain numbers
    long double value() const { return m_v; }

    friend Ext operator+(Ext a, Ext b);
    friend Ext operator-(Ext a, Ext b);
    friend Ext operator*(Ext a, Ext b);
    friend Ext operator/(Ext a, Ext b);
    Ext operator-() const { return Ext(-m_v); }

private:
    long double m_v = 0;
};

// e^x, raising an overflow for a result beyond the extended range.
Ext exp(Ext x);
// The value as a 64-bit double, raising an overflow when it lies beyond the double range.
double toDouble(Ext x);

} // namespace tavi
