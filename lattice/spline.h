#pragma once
// Spline arithmetic shared by every curve of a Lattice: uniform Catmull-Rom segments in the
// interior, quadratics through three points at the ends of an open sequence. Each function works
// on one coordinate; callers apply it to x and y separately. Inputs and results are floats, the
// arithmetic inside is done in double and rounded to float where it is stored.

/// Cubic coefficients (a, b, c, d) of the Catmull-Rom segment from p1 (t = 0) to p2 (t = 1).
void catmullRomCoefficients(float p0, float p1, float p2, float p3, float& a, float& b, float& c,
                            float& d);

/// Coefficients (a, b, c) of the quadratic through p0, p1, p2 at t = 0, 1, 2.
void quadraticCoefficients(float p0, float p1, float p2, float& a, float& b, float& c);

/// ((a·t + b)·t + c)·t + d.
float evalCubic(float t, float a, float b, float c, float d);

/// (a·t + b)·t + c.
float evalQuadratic(float t, float a, float b, float c);

/// a·t + b.
float evalLinear(float t, float a, float b);

/// The Catmull-Rom segment from p1 to p2, fitted into float coefficients and evaluated at t.
float catmullRomThrough(float t, float p0, float p1, float p2, float p3);

/// The quadratic through p0, p1, p2, fitted into float coefficients and evaluated at t.
float quadraticThrough(float t, float p0, float p1, float p2);
