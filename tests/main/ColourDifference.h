// SPDX-License-Identifier: MIT
#pragma once
// How far apart two colours look: CIEDE2000 on CIELAB (D65), from sRGB.

#include <cmath>
#include <cstdint>

namespace lumarin::app::test {

struct Lab {
    double L, a, b;
};

inline Lab LabOf(int red, int green, int blue) {
    const auto linear = [](int channel) {
        const double u = channel / 255.0;
        return u <= 0.04045 ? u / 12.92 : std::pow((u + 0.055) / 1.055, 2.4);
    };
    const double r = linear(red), g = linear(green), b = linear(blue);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const auto f = [](double t) {
        constexpr double d = 6.0 / 29.0;
        return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29.0;
    };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// An OLE colour (0x00BBGGRR), as the list's colours are given.
inline Lab LabOfOle(std::int32_t ole) {
    return LabOf(ole & 0xFF, (ole >> 8) & 0xFF, (ole >> 16) & 0xFF);
}

inline double DeltaE2000(const Lab& one, const Lab& two) {
    constexpr double pi = 3.14159265358979323846;
    const auto rad = [](double degrees) { return degrees * pi / 180; };
    const auto deg = [](double radians) { return radians * 180 / pi; };
    const auto pow7 = [](double v) { return std::pow(v, 7); };
    const double c1 = std::hypot(one.a, one.b), c2 = std::hypot(two.a, two.b);
    const double cMean = (c1 + c2) / 2;
    const double g = 0.5 * (1 - std::sqrt(pow7(cMean) / (pow7(cMean) + pow7(25))));
    const double a1 = (1 + g) * one.a, a2 = (1 + g) * two.a;
    const double cp1 = std::hypot(a1, one.b), cp2 = std::hypot(a2, two.b);
    const auto hue = [&](double b, double a) {
        if (a == 0 && b == 0) return 0.0;
        const double h = deg(std::atan2(b, a));
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(one.b, a1), h2 = hue(two.b, a2);
    const double dL = two.L - one.L, dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        if (dh > 180) dh -= 360;
        if (dh < -180) dh += 360;
    }
    const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(rad(dh / 2));
    const double lMean = (one.L + two.L) / 2, cpMean = (cp1 + cp2) / 2;
    double hMean = h1 + h2;
    if (cp1 * cp2 != 0) {
        if (std::abs(h1 - h2) <= 180) {
            hMean = (h1 + h2) / 2;
        } else {
            hMean = h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
        }
    }
    const double t = 1 - 0.17 * std::cos(rad(hMean - 30)) + 0.24 * std::cos(rad(2 * hMean)) +
                     0.32 * std::cos(rad(3 * hMean + 6)) - 0.20 * std::cos(rad(4 * hMean - 63));
    const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double rc = 2 * std::sqrt(pow7(cpMean) / (pow7(cpMean) + pow7(25)));
    const double sl = 1 + 0.015 * std::pow(lMean - 50, 2) / std::sqrt(20 + std::pow(lMean - 50, 2));
    const double sc = 1 + 0.045 * cpMean, sh = 1 + 0.015 * cpMean * t;
    const double rt = -std::sin(rad(2 * dTheta)) * rc;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) +
                     rt * (dC / sc) * (dH / sh));
}

} // namespace lumarin::app::test
