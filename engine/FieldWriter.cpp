#include "FieldWriter.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "Format.h"

namespace keldar {

// Fields of more than 9 digits, and values that do not fit the integer arithmetic below (very
// small or very large values, subnormals), go through the general formatting.

static constexpr std::uint64_t power10(int k) {
    std::uint64_t p = 1;
    for (int i = 0; i < k; ++i) p *= 10;
    return p;
}

static constexpr std::uint64_t kPowers[] = {
    power10(0),  power10(1),  power10(2),  power10(3),  power10(4),  power10(5),  power10(6),
    power10(7),  power10(8),  power10(9),  power10(10), power10(11), power10(12), power10(13),
    power10(14), power10(15), power10(16), power10(17), power10(18), power10(19)};

// A real32 a > 0 is m x 2^q with m < 2^24.
struct Binary {
    std::uint64_t m;
    int q;
};

static inline bool splitValue(float a, Binary& b) {
    std::uint32_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int field = static_cast<int>((bits >> 23) & 0xFFu);
    if (field == 0 || field == 0xFF) return false;  // subnormal, infinite or not a number
    b.m = (bits & 0x7FFFFFu) | 0x800000u;
    b.q = field - 150;
    return true;
}

// m x 2^q x 10^k split into its whole part and whether the rest is below, at or above one
// half, exactly. False when the numbers would not fit 64 bits.
struct Scaled {
    std::uint64_t whole;
    int half;  // -1 below, 0 exactly at, 1 above one half
};

static int compareHalf(std::uint64_t rest, std::uint64_t unit) {
    // rest < unit <= 2^63, so twice the rest cannot overflow.
    const std::uint64_t twice = rest * 2;
    return twice < unit ? -1 : (twice == unit ? 0 : 1);
}

static inline bool scale(const Binary& b, int k, Scaled& out) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    if (k >= 0) {
        // m < 2^24 and 10^12 < 2^40: the product fits.
        if (k > 12) return false;
        const std::uint64_t num = b.m * kPowers[k];
        if (b.q >= 0) {
            if (b.q > 63 || num > (kMax >> b.q)) return false;
            out.whole = num << b.q;
            out.half = -1;
            return true;
        }
        const int shift = -b.q;
        if (shift > 63) return false;
        out.whole = num >> shift;
        const std::uint64_t unit = std::uint64_t{1} << shift;
        out.half = compareHalf(num & (unit - 1), unit);
        return true;
    }
    if (-k > 19) return false;
    std::uint64_t num = b.m, den = kPowers[-k];
    if (b.q >= 0) {
        if (b.q > 39) return false;  // m x 2^q < 2^63
        num <<= b.q;
    } else {
        const int shift = -b.q;
        if (shift > 63 || den > ((std::uint64_t{1} << 63) >> shift)) return false;
        den <<= shift;
    }
    out.whole = num / den;
    out.half = compareHalf(num % den, den);
    return true;
}

// Round half away from zero, as the general formatting does.
static std::uint64_t rounded(const Scaled& s) { return s.half >= 0 ? s.whole + 1 : s.whole; }

static char* putString(char* out, const std::string& text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

static char* putAsterisks(char* out, int width) {
    std::memset(out, '*', static_cast<std::size_t>(width));
    return out + width;
}

static constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// `count` digits of value, with leading zeros, written two at a time from the right.
template <class Unsigned>
static char* putDigits(char* out, Unsigned value, int count) {
    char* const end = out + count;
    char* p = end;
    for (; count >= 2; count -= 2) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (count == 1) p[-1] = static_cast<char>('0' + value % 10);
    return end;
}

static int digitCount(std::uint64_t value) {
    int n = 1;
    while (n < 20 && value >= kPowers[n]) ++n;
    return n;
}

// Powers of ten that a double holds exactly.
static constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// a x 10^k in double precision: one rounded operation, so within a relative 2^-53 of the exact
// value. NaN outside the powers that the integer arithmetic takes, so that the values it leaves
// to the general formatting still go there.
static inline double scaledQuickly(float a, int k) {
    if (k > 12 || k < -19) return std::numeric_limits<double>::quiet_NaN();
    return k >= 0 ? double(a) * kExactPowers[k] : double(a) / kExactPowers[-k];
}

// The scaled values stay below 10^10, where that error is below 2e-6: a value farther than
// this from a rounding boundary (one half, or the next decade) rounds as its exact value does.
static constexpr double kBoundaryMargin = 1e-5;

// The rounded mantissa of Digits digits: 0.999.. rounds up into the next decade, 0.100.. one
// exponent higher.
template <int Digits>
static std::uint32_t mantissaOf(std::uint64_t digits, int& exponent) {
    if (digits != kPowers[Digits]) return static_cast<std::uint32_t>(digits);
    ++exponent;
    return static_cast<std::uint32_t>(kPowers[Digits - 1]);
}

// exponentForm by way of the double product, for the values far from every rounding boundary
// (nearly all); false when the exact integer arithmetic has to decide.
template <int Digits>
static bool exponentFormQuickly(float a, std::uint32_t& mantissa, int& exponent) {
    constexpr double kDecade = double(kPowers[Digits]);
    double y = scaledQuickly(a, Digits - exponent);
    if (!(std::fabs(y - kDecade) > kBoundaryMargin)) return false;  // also NaN
    if (y > kDecade) {
        ++exponent;
        y = scaledQuickly(a, Digits - exponent);
        if (!(y == y)) return false;
    }
    const double whole = std::floor(y);
    const double rest = y - whole;  // exact: y is below 2^52
    if (std::fabs(rest - 0.5) <= kBoundaryMargin) return false;
    mantissa =
        mantissaOf<Digits>(static_cast<std::uint64_t>(whole) + (rest > 0.5 ? 1 : 0), exponent);
    return true;
}

// The mantissa (Digits digits, or 0 for zero) and the decimal exponent of the form 0.ddddE+xx;
// false when the value needs the general formatting. Digits is a constant, so that the
// powers of ten and the digit loop are fixed for each field kind.
template <int Digits>
static bool exponentForm(float a, std::uint32_t& mantissa, int& exponent) {
    mantissa = 0;
    exponent = 0;
    if (a == 0.0f) return true;
    Binary b{};
    if (!splitValue(a, b)) return false;
    // 2^(q+23) <= a < 2^(q+24), so a lies in the decade that holds 2^(q+23) or in the next.
    exponent = ((b.q + 23) * 78913 >> 18) + 1;
    const int estimate = exponent;
    if (exponentFormQuickly<Digits>(a, mantissa, exponent)) return true;
    exponent = estimate;
    Scaled s{};
    if (!scale(b, Digits - exponent, s)) return false;
    if (s.whole >= kPowers[Digits]) {
        ++exponent;
        if (!scale(b, Digits - exponent, s)) return false;
    }
    mantissa = mantissaOf<Digits>(rounded(s), exponent);
    return true;
}

template <int Digits>
static char* putExponentWith(char* out, float value, int width) {
    std::uint32_t mantissa = 0;
    int exponent = 0;
    if (width < 1 || !exponentForm<Digits>(std::fabs(value), mantissa, exponent))
        return putString(out, formatExponent(value, width, Digits));
    // [-]0.dddE+xx; a real32 never needs more than two exponent digits.
    const bool negative = std::signbit(value);
    const int full = (negative ? 1 : 0) + 2 + Digits + 4;
    const bool zero = full <= width;  // the leading zero only where there is room for it
    const int length = zero ? full : full - 1;
    if (length > width) return putAsterisks(out, width);
    out = putBlanks(out, width - length);
    if (negative) *out++ = '-';
    if (zero) *out++ = '0';
    *out++ = '.';
    out = putDigits(out, mantissa, Digits);
    out[0] = 'E';
    out[1] = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    std::memcpy(out + 2, kDigitPairs + 2 * magnitude, 2);
    return out + 4;
}

// Each digit count has its own writer, so that its powers of ten and digit loop are fixed.
using FieldPutter = char* (*)(char* out, float value, int width);
static constexpr int kMaxQuickDigits = 9;

char* putExponent(char* out, float value, int width, int digits) {
    // Indexed by digits - 1: an exponent field has at least one digit.
    static constexpr FieldPutter kPutters[kMaxQuickDigits] = {
        putExponentWith<1>, putExponentWith<2>, putExponentWith<3>,
        putExponentWith<4>, putExponentWith<5>, putExponentWith<6>,
        putExponentWith<7>, putExponentWith<8>, putExponentWith<9>};
    if (digits < 1 || digits > kMaxQuickDigits)
        return putString(out, formatExponent(value, width, digits));
    return kPutters[digits - 1](out, value, width);
}

template <int Decimals>
static char* putFixedWith(char* out, float value, int width) {
    const float a = std::fabs(value);
    std::uint64_t units = 0;
    if (a != 0.0f) {
        Binary b{};
        Scaled s{};
        if (width < 1 || !splitValue(a, b) || !scale(b, Decimals, s) || s.whole >= kPowers[19])
            return putString(out, formatFixed(value, width, Decimals));
        units = rounded(s);
    } else if (width < 1) {
        return putString(out, formatFixed(value, width, Decimals));
    }
    const std::uint64_t whole = units / kPowers[Decimals];
    const bool negative = std::signbit(value);
    const int wholeDigits = digitCount(whole);
    const int full = (negative ? 1 : 0) + wholeDigits + 1 + Decimals;
    // The leading zero of a value below one is written only where there is room for it.
    const bool dropZero = full > width && whole == 0;
    const int length = dropZero ? full - 1 : full;
    if (length > width) return putAsterisks(out, width);
    out = putBlanks(out, width - length);
    if (negative) *out++ = '-';
    if (!dropZero) out = putDigits(out, whole, wholeDigits);
    *out++ = '.';
    return putDigits(out, units % kPowers[Decimals], Decimals);
}

char* putFixed(char* out, float value, int width, int decimals) {
    static constexpr FieldPutter kPutters[kMaxQuickDigits + 1] = {
        putFixedWith<0>, putFixedWith<1>, putFixedWith<2>, putFixedWith<3>, putFixedWith<4>,
        putFixedWith<5>, putFixedWith<6>, putFixedWith<7>, putFixedWith<8>, putFixedWith<9>};
    if (decimals < 0 || decimals > kMaxQuickDigits)
        return putString(out, formatFixed(value, width, decimals));
    return kPutters[decimals](out, value, width);
}

}  // namespace keldar
