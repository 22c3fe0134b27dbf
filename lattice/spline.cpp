#include "lattice/spline.h"

void catmullRomCoefficients(float p0, float p1, float p2, float p3, float& a, float& b, float& c,
                            float& d) {
    const double q0 = p0;
    const double q1 = p1;
    const double q2 = p2;
    const double q3 = p3;
    a = static_cast<float>(((0.5 * q3 - 1.5 * q2) + 1.5 * q1) - 0.5 * q0);
    b = static_cast<float>(((2.0 * q2 - 2.5 * q1) - 0.5 * q3) + q0);
    c = static_cast<float>(0.5 * q2 - 0.5 * q0);
    d = p1;
}

void quadraticCoefficients(float p0, float p1, float p2, float& a, float& b, float& c) {
    const double q0 = p0;
    const double q1 = p1;
    const double q2 = p2;
    a = static_cast<float>((0.5 * q2 - q1) + 0.5 * q0);
    b = static_cast<float>((2.0 * q1 - 1.5 * q0) - 0.5 * q2);
    c = p0;
}

float evalCubic(float t, float a, float b, float c, float d) {
    const double s = t;
    return static_cast<float>(((a * s + b) * s + c) * s + d);
}

float evalQuadratic(float t, float a, float b, float c) {
    const double s = t;
    return static_cast<float>((a * s + b) * s + c);
}

float evalLinear(float t, float a, float b) {
    return static_cast<float>(a * static_cast<double>(t) + b);
}

float catmullRomThrough(float t, float p0, float p1, float p2, float p3) {
    float a, b, c, d;
    catmullRomCoefficients(p0, p1, p2, p3, a, b, c, d);
    return evalCubic(t, a, b, c, d);
}

float quadraticThrough(float t, float p0, float p1, float p2) {
    float a, b, c;
    quadraticCoefficients(p0, p1, p2, a, b, c);
    return evalQuadratic(t, a, b, c);
}
