// Spline arithmetic: Catmull-Rom and end-quadratic coefficients, and their evaluation in double.
#include <gtest/gtest.h>

#include <tuple>

#include "lattice/spline.h"

namespace {

TEST(Spline, CoefficientsOfLinesParabolasAndSteps) {
    struct Case {
        float p[4];
        float a, b, c, d;  ///< Catmull-Rom through p1 … p2 (d = p1); quadratic a, b, c of p0 … p2
        float qa, qb, qc;
    };
    const Case cases[] = {{{0, 40, 80, 120}, 0, 0, 40, 40, 0, 40, 0},
                          {{0, 0, 1, 1}, -1, 1.5f, 0.5f, 0, 0.5f, -0.5f, 0},
                          {{0, 1, 4, 9}, 0, 1, 2, 1, 1, 0, 0}};
    for (const Case& k : cases) {
        float a, b, c, d;
        catmullRomCoefficients(k.p[0], k.p[1], k.p[2], k.p[3], a, b, c, d);
        EXPECT_EQ(std::make_tuple(a, b, c, d), std::make_tuple(k.a, k.b, k.c, k.d));
        quadraticCoefficients(k.p[0], k.p[1], k.p[2], a, b, c);
        EXPECT_EQ(std::make_tuple(a, b, c), std::make_tuple(k.qa, k.qb, k.qc));
        for (int t = 0; t <= 2; ++t) {  // the quadratic passes through p0, p1, p2 at 0, 1, 2
            EXPECT_EQ(evalQuadratic(static_cast<float>(t), a, b, c), k.p[t]);
            EXPECT_EQ(quadraticThrough(static_cast<float>(t), k.p[0], k.p[1], k.p[2]), k.p[t]);
        }
    }
}

TEST(Spline, CatmullRomInterpolatesWithHalfDifferenceTangentsEvaluatedInDouble) {
    const float p[4] = {3.0f, -7.5f, 12.25f, 1.0f};
    float a, b, c, d;
    catmullRomCoefficients(p[0], p[1], p[2], p[3], a, b, c, d);
    EXPECT_FLOAT_EQ(evalCubic(0.0f, a, b, c, d), p[1]);
    EXPECT_NEAR(evalCubic(1.0f, a, b, c, d), p[2], 1e-5);
    // Derivative 3a·t² + 2b·t + c at the ends.
    EXPECT_NEAR(evalQuadratic(0.0f, 3 * a, 2 * b, c), (p[2] - p[0]) / 2, 1e-5);
    EXPECT_NEAR(evalQuadratic(1.0f, 3 * a, 2 * b, c), (p[3] - p[1]) / 2, 1e-4);
    EXPECT_EQ(catmullRomThrough(0.3f, p[0], p[1], p[2], p[3]), evalCubic(0.3f, a, b, c, d));
    // In float, (1e8·1 + 1) − 1e8 loses the 1; the evaluator carries it through in double.
    EXPECT_EQ(evalCubic(1.0f, 0.0f, 1e8f, 1.0f, -1e8f), 1.0f);
}

}  // namespace
