#include "core/numbers/ExactDecimal.h"

#include <cfloat>
#include <cmath>
#include <cstring>

static_assert(LDBL_MANT_DIG == 64, "the digits are worked out for the x87 extended format");

namespace tavi::exact
{

namespace
{

using Limb = std::uint64_t;
using Wide = unsigned __int128;

constexpr std::uint64_t kPowers[20] = {1ULL,
                                       10ULL,
                                       100ULL,
                                       1000ULL,
                                       10000ULL,
                                       100000ULL,
                                       1000000ULL,
                                       10000000ULL,
                                       100000000ULL,
                                       1000000000ULL,
                                       10000000000ULL,
                                       100000000000ULL,
                                       1000000000000ULL,
                                       10000000000000ULL,
                                       100000000000000ULL,
                                       1000000000000000ULL,
                                       10000000000000000ULL,
                                       100000000000000000ULL,
                                       1000000000000000000ULL,
                                       10000000000000000000ULL};

// Exact in the extended format up to 10^27 (5^27 < 2^64).
constexpr long double kLongPowers[28] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                         1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                         1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L,
                                         1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

constexpr std::uint64_t kLowest18 = 100000000000000000ULL;  // 10^17
constexpr std::uint64_t kBeyond18 = 1000000000000000000ULL; // 10^18
constexpr int kLimbs = 20; // 1280 bits: the mantissa times 10^(17 + 300) and more

// An unsigned integer of up to kLimbs 64-bit limbs, lowest first.
struct Big {
    Limb limb[kLimbs];
    int used;
};

// Multiplies in place; false when the product would not fit.
bool multiply(Big &n, Limb factor)
{
    Limb carry = 0;
    for (int i = 0; i < n.used; ++i) {
        const Wide p = Wide(n.limb[i]) * factor + carry;
        n.limb[i] = Limb(p);
        carry = Limb(p >> 64);
    }
    if (carry == 0)
        return true;
    if (n.used == kLimbs)
        return false;
    n.limb[n.used++] = carry;
    return true;
}

Limb limbAt(const Big &n, int i)
{
    return i < n.used ? n.limb[i] : 0;
}

// The bits [shift, shift + 64) of n, whether bit shift - 1 is set, and whether any bit
// below that one is.
struct Shifted {
    Limb value;
    bool half;
    bool sticky;
    bool overflow;
};

Shifted shiftRight(const Big &n, int shift)
{
    Shifted out{};
    const int whole = shift / 64;
    const int part = shift % 64;
    const Limb low = limbAt(n, whole);
    const Limb high = limbAt(n, whole + 1);
    out.value = part == 0 ? low : (low >> part) | (high << (64 - part));
    const Limb above = part == 0 ? high : high >> part;
    out.overflow = above != 0;
    for (int i = whole + 2; i < n.used; ++i)
        out.overflow = out.overflow || n.limb[i] != 0;
    if (shift == 0)
        return out;
    const int halfBit = shift - 1;
    out.half = (limbAt(n, halfBit / 64) >> (halfBit % 64)) & 1;
    const Limb mask = (Limb(1) << (halfBit % 64)) - 1;
    out.sticky = (limbAt(n, halfBit / 64) & mask) != 0;
    for (int i = 0; i < halfBit / 64 && !out.sticky; ++i)
        out.sticky = n.limb[i] != 0;
    return out;
}

// The same where the product fits 128 bits (a power of ten up to 10^19 and a shift below
// 128): the values a run writes, from hundredths up.
bool scaledNarrow(Limb mantissa, int scale, int shift, Limb *out)
{
    const Wide product = Wide(mantissa) * kPowers[scale];
    const Wide q = product >> shift;
    if (q >> 64)
        return false;
    const Wide rest = product & ((Wide(1) << shift) - 1);
    const Wide half = Wide(1) << (shift - 1);
    Limb rounded = Limb(q);
    if (rest > half || (rest == half && (rounded & 1))) {
        if (rounded == ~Limb(0))
            return false;
        ++rounded;
    }
    *out = rounded;
    return true;
}

// mantissa × 10^scale ÷ 2^shift, rounded to the nearest integer, ties to even; false when it
// does not fit 64 bits or the product outgrows the limbs.
bool scaled(Limb mantissa, int scale, int shift, Limb *out)
{
    if (scale <= 19 && shift >= 1 && shift < 128)
        return scaledNarrow(mantissa, scale, shift, out);
    Big n;
    n.limb[0] = mantissa;
    n.used = 1;
    for (; scale >= 19; scale -= 19)
        if (!multiply(n, kPowers[19]))
            return false;
    if (scale > 0 && !multiply(n, kPowers[scale]))
        return false;
    const Shifted s = shiftRight(n, shift);
    if (s.overflow)
        return false;
    Limb q = s.value;
    if (s.half && (s.sticky || (q & 1))) {
        if (q == ~Limb(0))
            return false;
        ++q;
    }
    *out = q;
    return true;
}

} // namespace

std::uint64_t powerOfTen(int n)
{
    return kPowers[n];
}

bool eighteenDigits(long double v, std::uint64_t *digits, int *exponent)
{
    if (!std::isfinite(v) || v == 0)
        return false;
    // The extended format's explicit 64-bit significand and its 15-bit biased exponent.
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &v, sizeof v);
    Limb mantissa = 0;
    std::memcpy(&mantissa, bytes, sizeof mantissa);
    unsigned biased = (unsigned(bytes[9] & 0x7F) << 8) | bytes[8];
    if (biased == 0 || !(mantissa >> 63))
        return false; // subnormal: far below the range worked here
    // |v| = mantissa × 2^(biased - 16383 - 63), and 2^power <= |v| < 2^(power + 1).
    const int power = int(biased) - 16383;
    if (power >= 63 || power < -1000)
        return false;
    const int shift = 63 - power;
    // floor(log10 |v|) is this or one more.
    int e10 = int(std::floor(power * 0.30102999566398119521));
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int scale = 17 - e10;
        if (scale < 0)
            return false;
        Limb q = 0;
        if (!scaled(mantissa, scale, shift, &q))
            return false;
        if (q > kBeyond18) {
            ++e10;
            continue;
        }
        if (q < kLowest18) {
            --e10;
            continue;
        }
        // Rounding carried into a nineteenth digit: 10^18 is 1 followed by zeros, one place up.
        if (q == kBeyond18) {
            q = kLowest18;
            ++e10;
        }
        *digits = q;
        *exponent = e10;
        return true;
    }
    return false;
}

long double fromDecimal(std::uint64_t digits, int places)
{
    return static_cast<long double>(digits) / kLongPowers[places];
}

} // namespace tavi::exact
