#include <gtest/gtest.h>

#include "lattice/spline.h"

namespace {

struct Block {
    float a, b, c, d;
};

Block catmullRom(float p0, float p1, float p2, float p3) {
    Block k{};
    catmullRomCoefficients(p0, p1, p2, p3, k.a, k.b, k.c, k.d);
    return k;
}

TEST(SplineCoefficients, EquallySpacedPointsReproduceTheLine) {
    const Block line = catmullRom(0, 40, 80, 120);
    EXPECT_EQ(line.a, 0.0f);
    EXPECT_EQ(line.b, 0.0f);
    EXPECT_EQ(line.c, 40.0f);
    EXPECT_EQ(line.d, 40.0f);

    float a, b, c;
    quadraticCoefficients(0, 40, 80, a, b, c);
    EXPECT_EQ(a, 0.0f);
    EXPECT_EQ(b, 40.0f);
    EXPECT_EQ(c, 0.0f);

    quadraticCoefficients(40, 80, 120, a, b, c);
    EXPECT_EQ(evalQuadratic(1.0f, a, b, c), 80.0f);
    EXPECT_EQ(evalQuadratic(2.0f, a, b, c), 120.0f);
}

TEST(SplineCoefficients, ParabolaAndStep) {
    float a, b, c;
    quadraticCoefficients(0, 1, 4, a, b, c);
    EXPECT_EQ(a, 1.0f);
    EXPECT_EQ(b, 0.0f);
    EXPECT_EQ(c, 0.0f);

    const Block step = catmullRom(0, 0, 1, 1);
    EXPECT_EQ(step.a, -1.0f);
    EXPECT_EQ(step.b, 1.5f);
    EXPECT_EQ(step.c, 0.5f);
    EXPECT_EQ(step.d, 0.0f);
    EXPECT_FLOAT_EQ(evalCubic(0.5f, step.a, step.b, step.c, step.d), 0.5f);
}

TEST(SplineCoefficients, CatmullRomInterpolatesWithHalfDifferenceTangents) {
    const float p[4] = {3.0f, -7.5f, 12.25f, 1.0f};
    const Block k = catmullRom(p[0], p[1], p[2], p[3]);
    EXPECT_FLOAT_EQ(evalCubic(0.0f, k.a, k.b, k.c, k.d), p[1]);
    EXPECT_NEAR(evalCubic(1.0f, k.a, k.b, k.c, k.d), p[2], 1e-5);
    // Derivative 3a·t² + 2b·t + c at the ends.
    EXPECT_NEAR(evalQuadratic(0.0f, 3 * k.a, 2 * k.b, k.c), (p[2] - p[0]) / 2, 1e-5);
    EXPECT_NEAR(evalQuadratic(1.0f, 3 * k.a, 2 * k.b, k.c), (p[3] - p[1]) / 2, 1e-4);
    EXPECT_NEAR(catmullRomThrough(0.3f, p[0], p[1], p[2], p[3]),
                evalCubic(0.3f, k.a, k.b, k.c, k.d), 0.0f);
}

TEST(SplineEvaluation, HornerFormsAndThroughHelpers) {
    EXPECT_FLOAT_EQ(evalCubic(2.0f, 1, 2, 3, 4), 8 + 8 + 6 + 4);
    EXPECT_FLOAT_EQ(evalQuadratic(-3.0f, 1, 2, 3), 9 - 6 + 3);
    EXPECT_FLOAT_EQ(evalLinear(0.25f, 8, 1), 3.0f);
    EXPECT_FLOAT_EQ(quadraticThrough(0.0f, 5, 9, -2), 5.0f);
    EXPECT_FLOAT_EQ(quadraticThrough(1.0f, 5, 9, -2), 9.0f);
    EXPECT_FLOAT_EQ(quadraticThrough(2.0f, 5, 9, -2), -2.0f);
}

TEST(SplineEvaluation, InnerArithmeticIsDouble) {
    // In float, (1e8·1 + 1) − 1e8 loses the 1; the evaluator carries it through in double.
    EXPECT_EQ(evalCubic(1.0f, 0.0f, 1e8f, 1.0f, -1e8f), 1.0f);
}

}  // namespace
