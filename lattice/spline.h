#pragma once
// Spline arithmetic shared by every curve of a Lattice: uniform Catmull-Rom segments in the
// interior, quadratics through three points at the ends of an open sequence. Each function works
// on one coordinate; callers apply it to x and y separately. Inputs and results are floats, the
// arithmetic inside is done in double and rounded to float where it is stored.
//
// Defined here, inline: the Lattice pictures evaluate them tens of thousands of times a frame when
// a black hole bends the arena, and a call per evaluation cost more than the arithmetic.

/// Cubic coefficients (a, b, c, d) of the Catmull-Rom segment from p1 (t = 0) to p2 (t = 1).
inline void catmullRomCoefficients(float p0, float p1, float p2, float p3, float& a, float& b,
                                   float& c, float& d) {
    const double q0 = p0;
    const double q1 = p1;
    const double q2 = p2;
    const double q3 = p3;
    a = static_cast<float>(((0.5 * q3 - 1.5 * q2) + 1.5 * q1) - 0.5 * q0);
    b = static_cast<float>(((2.0 * q2 - 2.5 * q1) - 0.5 * q3) + q0);
    c = static_cast<float>(0.5 * q2 - 0.5 * q0);
    d = p1;
}

/// Coefficients (a, b, c) of the quadratic through p0, p1, p2 at t = 0, 1, 2.
inline void quadraticCoefficients(float p0, float p1, float p2, float& a, float& b, float& c) {
    const double q0 = p0;
    const double q1 = p1;
    const double q2 = p2;
    a = static_cast<float>((0.5 * q2 - q1) + 0.5 * q0);
    b = static_cast<float>((2.0 * q1 - 1.5 * q0) - 0.5 * q2);
    c = p0;
}

/// ((a·t + b)·t + c)·t + d.
inline float evalCubic(float t, float a, float b, float c, float d) {
    const double s = t;
    return static_cast<float>(((a * s + b) * s + c) * s + d);
}

/// (a·t + b)·t + c.
inline float evalQuadratic(float t, float a, float b, float c) {
    const double s = t;
    return static_cast<float>((a * s + b) * s + c);
}

/// a·t + b.
inline float evalLinear(float t, float a, float b) {
    return static_cast<float>(a * static_cast<double>(t) + b);
}

/// The Catmull-Rom segment from p1 to p2, fitted into float coefficients and evaluated at t.
inline float catmullRomThrough(float t, float p0, float p1, float p2, float p3) {
    float a, b, c, d;
    catmullRomCoefficients(p0, p1, p2, p3, a, b, c, d);
    return evalCubic(t, a, b, c, d);
}

/// The quadratic through p0, p1, p2, fitted into float coefficients and evaluated at t.
inline float quadraticThrough(float t, float p0, float p1, float p2) {
    float a, b, c;
    quadraticCoefficients(p0, p1, p2, a, b, c);
    return evalQuadratic(t, a, b, c);
}
