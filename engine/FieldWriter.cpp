#include "FieldWriter.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "Format.h"

namespace keldar {

#if defined(__SIZEOF_INT128__)

__extension__ typedef unsigned __int128 Wide;

// Binary exponents of real32 values handled here; the rest (very small or very large values,
// subnormals) go through the general formatting. Within these the scaled values fit 128 bits.
static constexpr int kLowestExponent = -100;
static constexpr int kHighestExponent = 40;
static constexpr int kMaxDigits = 9;

static constexpr Wide power10(int k) {
    Wide p = 1;
    for (int i = 0; i < k; ++i) p *= 10;
    return p;
}

static constexpr Wide kPowers[] = {
    power10(0),  power10(1),  power10(2),  power10(3),  power10(4),  power10(5),  power10(6),
    power10(7),  power10(8),  power10(9),  power10(10), power10(11), power10(12), power10(13),
    power10(14), power10(15), power10(16), power10(17), power10(18), power10(19), power10(20),
    power10(21), power10(22), power10(23), power10(24), power10(25), power10(26), power10(27),
    power10(28), power10(29), power10(30), power10(31), power10(32), power10(33), power10(34),
    power10(35), power10(36), power10(37), power10(38)};

// A positive real32 as m x 2^q.
struct Binary {
    std::uint32_t m;
    int q;
};

static bool splitValue(float a, Binary& b) {
    std::uint32_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int field = static_cast<int>((bits >> 23) & 0xFFu);
    if (field == 0 || field == 0xFF) return false;  // subnormal, infinite or not a number
    b.m = (bits & 0x7FFFFFu) | 0x800000u;
    b.q = field - 150;
    return b.q >= kLowestExponent && b.q <= kHighestExponent;
}

// m x 2^q x 10^k split into its whole part and whether the rest is below, at or above one half.
struct Scaled {
    Wide whole;
    int half;  // -1 below, 0 exactly at, 1 above one half
};

static bool scale(const Binary& b, int k, Scaled& out) {
    if (k > 38 || k < -38) return false;
    Wide num = b.m, den = 1;
    if (k >= 0)
        num *= kPowers[k];
    else
        den = kPowers[-k];
    if (b.q >= 0)
        num <<= b.q;
    else
        den <<= -b.q;
    Wide rest;
    if ((num >> 64) == 0 && (den >> 64) == 0) {
        const auto n = static_cast<std::uint64_t>(num), d = static_cast<std::uint64_t>(den);
        out.whole = n / d;
        rest = n % d;
    } else {
        out.whole = num / den;
        rest = num % den;
    }
    const Wide twice = rest * 2;
    out.half = twice < den ? -1 : (twice == den ? 0 : 1);
    return true;
}

// Round half away from zero, as the general formatting does.
static Wide rounded(const Scaled& s) { return s.half >= 0 ? s.whole + 1 : s.whole; }

static char* putText(char* out, const char* text, int length, int width) {
    if (length > width) {
        std::memset(out, '*', static_cast<std::size_t>(width));
        return out + width;
    }
    out = putBlanks(out, width - length);
    std::memcpy(out, text, static_cast<std::size_t>(length));
    return out + length;
}

static char* putString(char* out, const std::string& text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

static char* putDigits(char* out, Wide value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    }
    return out + count;
}

char* putBlanks(char* out, int count) {
    if (count <= 0) return out;
    std::memset(out, ' ', static_cast<std::size_t>(count));
    return out + count;
}

char* putExponent(char* out, float value, int width, int digits) {
    const float a = std::fabs(value);
    Binary b{};
    if (digits < 1 || digits > kMaxDigits || (a != 0.0f && !splitValue(a, b)))
        return putString(out, formatExponent(value, width, digits));

    Wide mantissa = 0;
    int exponent = 0;
    if (a != 0.0f) {
        // a lies in [10^(e-1), 10^e); start from the binary exponent and correct.
        exponent = ((b.q + 23) * 78913 >> 18) + 1;
        Scaled s{};
        for (int tries = 0;; ++tries) {
            if (tries > 4 || !scale(b, digits - exponent, s))
                return putString(out, formatExponent(value, width, digits));
            if (s.whole >= kPowers[digits])
                ++exponent;
            else if (s.whole < kPowers[digits - 1])
                --exponent;
            else
                break;
        }
        mantissa = rounded(s);
        if (mantissa == kPowers[digits]) {  // 0.999.. rounds up into the next decade
            mantissa = kPowers[digits - 1];
            ++exponent;
        }
    }
    char text[32];
    char* p = text;
    if (std::signbit(value)) *p++ = '-';
    char* zero = p;
    *p++ = '0';
    *p++ = '.';
    p = putDigits(p, mantissa, digits);
    *p++ = 'E';
    *p++ = exponent < 0 ? '-' : '+';
    p = putDigits(p, static_cast<Wide>(std::abs(exponent)), 2);
    int length = static_cast<int>(p - text);
    if (length > width) {  // no room for the leading zero
        std::memmove(zero, zero + 1, static_cast<std::size_t>(p - zero - 1));
        --length;
    }
    return putText(out, text, length, width);
}

char* putFixed(char* out, float value, int width, int decimals) {
    const float a = std::fabs(value);
    Binary b{};
    if (decimals < 0 || decimals > kMaxDigits || (a != 0.0f && !splitValue(a, b)))
        return putString(out, formatFixed(value, width, decimals));
    Wide units = 0;
    if (a != 0.0f) {
        Scaled s{};
        if (!scale(b, decimals, s)) return putString(out, formatFixed(value, width, decimals));
        units = rounded(s);
    }
    const Wide whole = units / kPowers[decimals];
    int wholeDigits = 1;
    while (wholeDigits < 39 && whole >= kPowers[wholeDigits]) ++wholeDigits;
    char text[64];
    char* p = text;
    if (std::signbit(value)) *p++ = '-';
    char* zero = p;
    p = putDigits(p, whole, wholeDigits);
    *p++ = '.';
    p = putDigits(p, units % kPowers[decimals], decimals);
    int length = static_cast<int>(p - text);
    if (length > width && whole == 0) {  // no room for the leading zero
        std::memmove(zero, zero + 1, static_cast<std::size_t>(p - zero - 1));
        --length;
    }
    return putText(out, text, length, width);
}

#else

// Without 128-bit integers (32-bit targets) the general formatting writes the text; it is the
// same text, only slower.
static char* putString(char* out, const std::string& text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* putBlanks(char* out, int count) {
    if (count <= 0) return out;
    std::memset(out, ' ', static_cast<std::size_t>(count));
    return out + count;
}

char* putExponent(char* out, float value, int width, int digits) {
    return putString(out, formatExponent(value, width, digits));
}

char* putFixed(char* out, float value, int width, int decimals) {
    return putString(out, formatFixed(value, width, decimals));
}

#endif

}  // namespace keldar
