// Extended precision as the desktop's x87 unit computes it: 64-bit significands, each operation
// rounded to nearest, ties to even. Angles, their cosines and the pixel offsets of shots and circling
// enemies are worked out this way. On x86-64 `long double` is that format and every step is the plain
// operation. Where long double is IEEE quadruple (the browser's wasm), each step is computed in 113
// bits and rounded to 64, which gives the same result: a product or sum of 64-bit values is exact in
// 113 bits, and the functions' results are rounded once more from far beyond 64 bits. So the world
// moves by the same whole pixels on every machine. On Windows long double is the x87 format too, but
// its library's cosine, sine and arctangent (the unit's own fsin, fcos, fpatan) differ from the
// desktop's in the last bits: there the three are computed in quadruple precision and rounded to 64
// bits, like the browser's.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstring>
#if defined(_WIN32)
#include <quadmath.h>
#endif

namespace veltrano {

// Rounds an IEEE quadruple value (finite, normal) to a 64-bit significand, to nearest, ties to even.
template <typename Quad>
Quad RoundQuadTo64Bits(Quad x) {
    static_assert(sizeof(Quad) == 16, "a quadruple value is 16 bytes");
    unsigned __int128 bits;
    std::memcpy(&bits, &x, sizeof bits);
    constexpr int Dropped = 112 - 63;  // fraction bits beyond a 64-bit significand
    constexpr unsigned __int128 One = 1;
    const unsigned __int128 rest = bits & ((One << Dropped) - 1);
    const unsigned __int128 half = One << (Dropped - 1);
    bits -= rest;
    // A carry out of the fraction steps the exponent, as it should.
    if (rest > half || (rest == half && ((bits >> Dropped) & 1))) bits += One << Dropped;
    std::memcpy(&x, &bits, sizeof bits);
    return x;
}

// The operations over a wide type W with its functions (the policy P gives W, Round, Cos, Sin,
// Atan2 and Trunc). The game uses NativeExtended; the tests run the quadruple path on x86-64 too.
template <typename P>
struct ExtendedOps {
    using W = typename P::Wide;
    static W Mul(W a, W b) { return P::Round(a * b); }
    static W Add(W a, W b) { return P::Round(a + b); }
    static W Cos(W a) { return P::Round(P::Cos(a)); }
    static W Sin(W a) { return P::Round(P::Sin(a)); }
    static W Atan2(W y, W x) { return P::Round(P::Atan2(y, x)); }
    // The nearest integer, halves away from zero: truncate v + 0.5 (v - 0.5 below 0).
    static int RoundNearest(W v) {
        return static_cast<int>(v >= 0 ? P::Trunc(Add(v, W(0.5))) : P::Trunc(Add(v, W(-0.5))));
    }
};

struct NativeExtendedPolicy {
    using Wide = long double;
#if LDBL_MANT_DIG == 64
    static long double Round(long double x) {
        return x;
    }
#elif LDBL_MANT_DIG == 113
    static long double Round(long double x) {
        return RoundQuadTo64Bits(x);
    }
#else
#error "long double must be x87 extended or IEEE quadruple precision"
#endif
#if defined(_WIN32)
    static long double Cos(long double a) {
        return static_cast<long double>(RoundQuadTo64Bits(cosq(a)));
    }
    static long double Sin(long double a) {
        return static_cast<long double>(RoundQuadTo64Bits(sinq(a)));
    }
    static long double Atan2(long double y, long double x) {
        return static_cast<long double>(RoundQuadTo64Bits(atan2q(y, x)));
    }
#else
    static long double Cos(long double a) {
        return std::cos(a);
    }
    static long double Sin(long double a) {
        return std::sin(a);
    }
    static long double Atan2(long double y, long double x) {
        return std::atan2(y, x);
    }
#endif
    static long double Trunc(long double x) {
        return std::trunc(x);
    }
};

using NativeExtended = ExtendedOps<NativeExtendedPolicy>;

// The x87 unit rounds every long double step to the precision its control word names: Linux starts
// each thread at 64 bits, Windows may start one at 53. The world's thread sets 64 bits, rounding to
// nearest, whenever the world is reset; elsewhere (wasm) there is nothing to set.
#if defined(__x86_64__) || defined(__i386__)
inline unsigned short X87ControlWord() {
    unsigned short word = 0;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
}
inline void SetX87ControlWord(unsigned short word) {
    __asm__ volatile("fldcw %0" : : "m"(word));
}
inline void UseExtendedPrecision() {
    constexpr unsigned short PrecisionAndRounding = 0x0F00, SixtyFourBitsToNearest = 0x0300;
    SetX87ControlWord(
        static_cast<unsigned short>((X87ControlWord() & ~PrecisionAndRounding) | SixtyFourBitsToNearest));
}
inline bool ExtendedPrecisionInUse() {
    return (X87ControlWord() & 0x0F00) == 0x0300;
}
#else
inline void UseExtendedPrecision() {}
inline bool ExtendedPrecisionInUse() {
    return true;
}
#endif

// One degree in radians as x87 extended precision holds it (pi / 180, each rounded to 64 bits),
// written out so that every machine starts from the same bits.
constexpr long double DegreesToRadians = 0x8.efa351294e9c8aep-9L;

}  // namespace veltrano
