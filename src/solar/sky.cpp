#include "solar/sky.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ses::sky {

namespace {

constexpr double kPi = std::numbers::pi;

double rad(double deg) {
    return deg * kPi / 180;
}
double deg(double r) {
    return r * 180 / kPi;
}

// Spencer's day angle, radians.
double dayAngle(int dayOfYear) {
    return 2 * kPi * (dayOfYear - 1) / 365;
}

// acos of a value held within [-1, 1] (rounding may take a cosine a hair past 1).
double clampedAcos(double x) {
    return std::acos(std::clamp(x, -1.0, 1.0));
}

// cos of the angle of incidence from latitude, declination, hour angle, tilt and surface
// azimuth (Duffie & Beckman eq. 1.6.2).
double incidence(double phi, double delta, double omega, double beta, double gamma) {
    const double sd = std::sin(delta), cd = std::cos(delta);
    const double sp = std::sin(phi), cp = std::cos(phi);
    const double sb = std::sin(beta), cb = std::cos(beta);
    const double sg = std::sin(gamma), cg = std::cos(gamma);
    const double so = std::sin(omega), co = std::cos(omega);
    return sd * sp * cb - sd * cp * sb * cg + cd * cp * cb * co + cd * sp * sb * cg * co +
           cd * sb * sg * so;
}

} // namespace

double declination(int dayOfYear) {
    const double b = dayAngle(dayOfYear);
    return deg(0.006918 - 0.399912 * std::cos(b) + 0.070257 * std::sin(b) -
               0.006758 * std::cos(2 * b) + 0.000907 * std::sin(2 * b) -
               0.002697 * std::cos(3 * b) + 0.00148 * std::sin(3 * b));
}

double extraterrestrialNormal(int dayOfYear) {
    const double b = dayAngle(dayOfYear);
    return kSolarConstant * (1.000110 + 0.034221 * std::cos(b) + 0.001280 * std::sin(b) +
                             0.000719 * std::cos(2 * b) + 0.000077 * std::sin(2 * b));
}

double sunsetHourAngle(double latitude, double declination, double altitude) {
    const double phi = rad(latitude), delta = rad(declination);
    const double c = (std::sin(rad(altitude)) - std::sin(phi) * std::sin(delta)) /
                     (std::cos(phi) * std::cos(delta));
    if (c >= 1)
        return 0; // the sun stays below
    if (c <= -1)
        return 180; // the sun stays above
    return deg(std::acos(c));
}

SunTimes sunTimes(double latitude, int dayOfYear) {
    // The almanacs' sunrise: the upper limb on the horizon with 34' of refraction, 16' of
    // semidiameter, so the centre stands 50' below.
    const double w = sunsetHourAngle(latitude, declination(dayOfYear), -50.0 / 60);
    return {12 - w / 15, 12 + w / 15};
}

double extraterrestrialDaily(double latitude, int dayOfYear) {
    const double phi = rad(latitude), delta = rad(declination(dayOfYear));
    const double ws = rad(sunsetHourAngle(latitude, declination(dayOfYear)));
    // 24 h / pi times the normal irradiance, W*h/m2.
    return 24 / kPi * extraterrestrialNormal(dayOfYear) *
           (std::cos(phi) * std::cos(delta) * std::sin(ws) + ws * std::sin(phi) * std::sin(delta));
}

int meanDayOfMonth(int month) {
    static constexpr int days[] = {17, 47, 75, 105, 135, 162, 198, 228, 258, 288, 318, 344};
    return days[std::clamp(month, 1, 12) - 1];
}

SunPosition sunPosition(double latitude, int dayOfYear, double hourAngle) {
    const double phi = rad(latitude), delta = rad(declination(dayOfYear)), omega = rad(hourAngle);
    const double cz =
        std::cos(phi) * std::cos(delta) * std::cos(omega) + std::sin(phi) * std::sin(delta);
    SunPosition s;
    s.zenith = deg(clampedAcos(cz));
    const double sz = std::sin(rad(s.zenith));
    if (sz > 1e-12 && std::abs(std::cos(phi)) > 1e-12) {
        const double a =
            deg(clampedAcos((cz * std::sin(phi) - std::sin(delta)) / (sz * std::cos(phi))));
        s.azimuth = hourAngle < 0 ? -a : a;
    }
    return s;
}

double incidenceCosine(double zenith, double sunAzimuth, double tilt, double surfaceAzimuth) {
    return std::cos(rad(zenith)) * std::cos(rad(tilt)) +
           std::sin(rad(zenith)) * std::sin(rad(tilt)) * std::cos(rad(sunAzimuth - surfaceAzimuth));
}

double groundAlbedo(double monthMeanTemperature) {
    return monthMeanTemperature < 0 ? 0.7 : 0.2;
}

double monthlyDiffuseFraction(double clearness, double sunsetHourAngle) {
    const double k = std::clamp(clearness, 0.3, 0.8);
    if (sunsetHourAngle <= 81.4)
        return 1.391 - 3.560 * k + 4.189 * k * k - 2.137 * k * k * k;
    return 1.311 - 3.022 * k + 3.427 * k * k - 1.821 * k * k * k;
}

double monthlyBeamRatio(double latitude, int month, double tilt, double surfaceAzimuth) {
    const int n = meanDayOfMonth(month);
    const double phi = rad(latitude), delta = rad(declination(n));
    const double beta = rad(tilt), gamma = rad(surfaceAzimuth);
    const double ws = sunsetHourAngle(latitude, declination(n));
    if (ws <= 0)
        return 0;
    // Midpoint sums over the sunlit day: both integrands are smooth, and 720 steps keep the
    // ratio within 2e-5 of the closed forms (steep winter planes, Rb about 30: a millionth of it).
    constexpr int kSteps = 720;
    const double step = 2 * rad(ws) / kSteps;
    double onPlane = 0, onHorizontal = 0;
    for (int i = 0; i < kSteps; ++i) {
        const double omega = -rad(ws) + (i + 0.5) * step;
        onPlane += std::max(0.0, incidence(phi, delta, omega, beta, gamma));
        onHorizontal += std::max(0.0, incidence(phi, delta, omega, 0, 0));
    }
    return onHorizontal > 0 ? onPlane / onHorizontal : 0;
}

MonthlyPlane monthlyPlane(double latitude, int month, double horizontal, double tilt,
                          double surfaceAzimuth, double albedo, std::optional<double> diffuse) {
    MonthlyPlane r;
    const int n = meanDayOfMonth(month);
    const double h0 = extraterrestrialDaily(latitude, n) / 1000; // kW*h/(m2*day)
    if (h0 <= 0 || horizontal <= 0) {
        r.plane = horizontal; // polar night: nothing to transpose
        return r;
    }
    r.clearness = horizontal / h0;
    r.diffuseFraction =
        diffuse ? std::clamp(*diffuse, 0.0, 1.0)
                : monthlyDiffuseFraction(r.clearness, sunsetHourAngle(latitude, declination(n)));
    r.beamRatio = monthlyBeamRatio(latitude, month, tilt, surfaceAzimuth);
    const double cb = std::cos(rad(tilt));
    r.ratio = (1 - r.diffuseFraction) * r.beamRatio + r.diffuseFraction * (1 + cb) / 2 +
              albedo * (1 - cb) / 2;
    r.plane = r.ratio * horizontal;
    return r;
}

double regionPlaneValue(double latitude, int month, double horizontal,
                        std::optional<double> diffuse, double tilt, double monthMeanTemperature) {
    return monthlyPlane(latitude, month, horizontal, tilt, latitude >= 0 ? 0 : 180,
                        groundAlbedo(monthMeanTemperature), diffuse)
        .plane;
}

HourlySplit erbsSplit(double ghi, double zenith, int dayOfYear) {
    HourlySplit s;
    if (ghi <= 0)
        return s;
    const double cz = std::cos(rad(zenith));
    s.clearness =
        std::clamp(ghi / (extraterrestrialNormal(dayOfYear) * std::max(cz, 0.065)), 0.0, 2.0);
    const double k = s.clearness;
    const double fraction = k <= 0.22   ? 1 - 0.09 * k
                            : k <= 0.80 ? 0.9511 - 0.1604 * k + 4.388 * k * k - 16.638 * k * k * k +
                                              12.336 * k * k * k * k
                                        : 0.165;
    s.dhi = fraction * ghi;
    // Beyond 87 degrees the beam is not told apart from the diffuse.
    s.dni = zenith < 87 && cz > 0 ? std::max(0.0, (ghi - s.dhi) / cz) : 0;
    if (s.dni == 0)
        s.dhi = ghi;
    return s;
}

double hayDaviesSky(double dhi, double dni, double dniExtra, double zenith, double sunAzimuth,
                    double tilt, double surfaceAzimuth) {
    if (dhi <= 0)
        return 0;
    const double anisotropy = dniExtra > 0 ? std::clamp(dni / dniExtra, 0.0, 1.0) : 0;
    const double cosTheta =
        std::max(0.0, incidenceCosine(zenith, sunAzimuth, tilt, surfaceAzimuth));
    const double rb = cosTheta / std::max(std::cos(rad(zenith)), 0.01745);
    return dhi * (anisotropy * rb + (1 - anisotropy) * (1 + std::cos(rad(tilt))) / 2);
}

double planeIrradiance(double ghi, double dni, double dhi, double dniExtra, double zenith,
                       double sunAzimuth, double tilt, double surfaceAzimuth, double albedo) {
    const double cosTheta =
        std::max(0.0, incidenceCosine(zenith, sunAzimuth, tilt, surfaceAzimuth));
    const double beam = zenith < 90 ? dni * cosTheta : 0;
    return beam + hayDaviesSky(dhi, dni, dniExtra, zenith, sunAzimuth, tilt, surfaceAzimuth) +
           ghi * albedo * (1 - std::cos(rad(tilt))) / 2;
}

} // namespace ses::sky
