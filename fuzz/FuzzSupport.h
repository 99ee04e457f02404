#pragma once

// Helpers shared by the fuzz targets: how input bytes become locales and values, and how a
// broken property is reported (a message on stderr, then abort(), which libFuzzer records
// as a crash and saves the input that caused it).

// A property that must hold; the detail (a QString expression) is only built when it does
// not, which keeps the many checks of every run cheap.
#define FUZZ_CHECK(holds, property, detail)                                                        \
    do {                                                                                           \
        if (!(holds))                                                                              \
            ::fuzz::fail(property, detail);                                                        \
    } while (false)

#include "core/base/LocaleSettings.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzz
{

// Bit 0 of a selector byte picks the decimal separator, so every target covers both.
inline tavi::LocaleSettings localeFor(uint8_t selector)
{
    return (selector & 1) ? tavi::LocaleSettings::decimalPoint()
                          : tavi::LocaleSettings::brazilian();
}

// Enough digits to tell any two extended values apart.
inline QString describe(long double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.21Le", v);
    return QString::fromLatin1(buf);
}

// Text with its non-printable characters escaped, so a report shows exactly what was read.
inline QString visible(const QString &text)
{
    QString shown = QStringLiteral("\"");
    for (QChar c : text) {
        if (c.unicode() < 32 || c.unicode() >= 127)
            shown += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown + QLatin1Char('"');
}

[[noreturn]] inline void fail(const char *property, const QString &detail)
{
    std::fprintf(stderr, "\n*** PROPERTY BROKEN: %s\n    %s\n", property,
                 detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

// An extended value from 10 raw bytes (x86-64 80-bit layout). The explicit integer bit is
// set from the exponent, so every byte pattern is a value the processor computes with
// rather than an unsupported encoding (unnormals and pseudo-denormals), which no arithmetic
// of the program can produce.
inline long double extendedFrom(const uint8_t *bytes)
{
    uint8_t raw[16] = {};
    std::memcpy(raw, bytes, 10);
    const bool exponentZero = raw[8] == 0 && (raw[9] & 0x7f) == 0;
    if (exponentZero)
        raw[7] &= 0x7f;
    else
        raw[7] |= 0x80;
    long double v;
    std::memcpy(&v, raw, sizeof v);
    return v;
}

// The distance from v to the next extended value away from zero: the most a correctly
// rounded read of a decimal near v can differ from that decimal, twice over.
inline long double ulpOf(long double v)
{
    const long double a = std::fabs(v);
    return std::nextafter(a, HUGE_VALL) - a;
}

// 10^n as an extended value; n within the extended range.
inline long double powerOfTen(int n)
{
    return std::pow(10.0L, static_cast<long double>(n));
}

} // namespace fuzz
