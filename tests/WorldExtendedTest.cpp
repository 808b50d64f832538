#include <gtest/gtest.h>
#include <quadmath.h>

#include <numbers>

#include "world/Extended.h"

using namespace veltrano;

namespace {

// The browser's way on this machine: every step in IEEE quadruple precision, rounded to 64 bits.
struct QuadPolicy {
    using Wide = __float128;
    static __float128 Round(__float128 x) { return RoundQuadTo64Bits(x); }
    static __float128 Cos(__float128 a) { return cosq(a); }
    static __float128 Sin(__float128 a) { return sinq(a); }
    static __float128 Atan2(__float128 y, __float128 x) { return atan2q(y, x); }
    static __float128 Trunc(__float128 x) { return truncq(x); }
};
using Quad = ExtendedOps<QuadPolicy>;
using Native = NativeExtended;

bool SameBits(long double native, __float128 quad) {
    return static_cast<__float128>(native) == quad;
}

}  // namespace

TEST(Extended, TheDegreeIsTheDesktopsPiOver180) {
    EXPECT_EQ(DegreesToRadians, std::numbers::pi_v<long double> / 180.0L);
}

TEST(Extended, RoundingAQuadrupleToSixtyFourBitsIsToNearestWithTiesToEven) {
    const __float128 one = 1, ulp = ldexpq(1, -63);
    struct Case {
        const char* What;
        __float128 In, Out;
    };
    const Case cases[] = {
        {"exact", one + ulp, one + ulp},
        {"below half an ulp", one + ulp * __float128(0.49), one},
        {"above half an ulp", one + ulp * __float128(0.51), one + ulp},
        {"a tie to the even one below", one + ulp / 2, one},
        {"a tie to the even one above", one + ulp * 3 / 2, one + 2 * ulp},
        {"a carry into the exponent", 2 - ulp / 2, 2},
        {"negative", -(one + ulp * __float128(0.51)), -(one + ulp)},
        {"a third", one / 3, static_cast<__float128>(1 / 3.0L)},
    };
    for (const Case& c : cases) EXPECT_TRUE(RoundQuadTo64Bits(c.In) == c.Out) << c.What;
}

// The quadruple path gives the desktop's whole pixels for every angle the game can make (whole
// degrees, the direction to the ship from places on and around the screen, both together, and the
// axes and diagonals turned by multiples of 15 degrees, whose cosines are exactly one half) at every
// distance a shot flies and every circle radius.
TEST(Extended, TheQuadruplePathGivesTheDesktopsPixels) {
    long checked = 0, lastBitsDiffer = 0, angleBitsDiffer = 0, angles = 0;
    auto compareAngle = [&](long double native, __float128 quad, const char* what, int a, int b) {
        if (!SameBits(native, quad)) ++angleBitsDiffer;
        ++angles;
        const long double nc = Native::Cos(native), ns = Native::Sin(native);
        const __float128 qc = Quad::Cos(quad), qs = Quad::Sin(quad);
        if (!SameBits(nc, qc) || !SameBits(ns, qs)) ++lastBitsDiffer;
        for (int d = 0; d <= 1200; d += (d < 64 ? 1 : 23)) {
            ASSERT_EQ(Native::RoundNearest(Native::Mul(nc, d)), Quad::RoundNearest(Quad::Mul(qc, d)))
                << what << " " << a << " " << b << " distance " << d;
            ASSERT_EQ(Native::RoundNearest(Native::Add(Native::Mul(ns, d), 320)),
                      Quad::RoundNearest(Quad::Add(Quad::Mul(qs, d), 320)))
                << what << " " << a << " " << b << " radius " << d;
            ++checked;
        }
    };
    for (int deg = -1080; deg <= 1080; ++deg)
        compareAngle(Native::Mul(deg, DegreesToRadians),
                     Quad::Mul(deg, static_cast<__float128>(DegreesToRadians)), "degrees", deg, 0);
    for (int dy = -520; dy <= 520; dy += 37)
        for (int dx = -700; dx <= 700; dx += 41) {
            const long double na = Native::Atan2(dy, dx);
            const __float128 qa = Quad::Atan2(dy, dx);
            compareAngle(na, qa, "aim", dx, dy);
            for (int deg : {-90, -45, -30, -15, 15, 30, 45, 60, 90, 180})
                compareAngle(Native::Add(na, Native::Mul(deg, DegreesToRadians)),
                             Quad::Add(qa, Quad::Mul(deg, static_cast<__float128>(DegreesToRadians))),
                             "aim and turn", dx * 1000 + dy, deg);
        }
    // The diagonals and axes, where a turn of 15 or 30 degrees gives cosines of exactly one half.
    for (int k = 1; k <= 600; k += k < 40 ? 1 : 37)
        for (auto [dx, dy] : {std::pair{k, k}, {-k, k}, {k, -k}, {-k, -k}, {k, 0}, {0, k}, {-k, 0}, {0, -k}})
            for (int deg = -180; deg <= 180; deg += 15)
                compareAngle(
                    Native::Add(Native::Mul(deg, DegreesToRadians), Native::Atan2(dy, dx)),
                    Quad::Add(Quad::Mul(deg, static_cast<__float128>(DegreesToRadians)), Quad::Atan2(dy, dx)),
                    "axis or diagonal", dx * 1000 + dy, deg);
    EXPECT_GT(checked, 1000000);
    // About one cosine in twenty-five differs in its last bit (the desktop's functions are not always
    // correctly rounded); not one pixel does.
    EXPECT_GT(angles, 20000);
    EXPECT_LT(angleBitsDiffer + lastBitsDiffer, angles / 10);
}
