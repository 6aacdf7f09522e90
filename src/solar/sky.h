#pragma once
// The sun and the sky: solar geometry, the split of global radiation into beam and diffuse, and
// the radiation on a plane of any tilt and orientation, for a month's mean day (the monthly
// method) and for one hour (the hourly method). Plain numbers in and out.
//
// Conventions (Duffie & Beckman, "Solar Engineering of Thermal Processes", 4th ed., 2013,
// section 1.6): angles in degrees; latitude north positive; hour angle omega 15 degrees per hour
// of solar time, negative in the morning; azimuths measured from south, west positive (a surface
// facing south has azimuth 0, one facing east -90); tilt from the horizontal.

#include <optional>

namespace ses::sky {

// The solar constant, W/m2 (World Radiation Center value used by Duffie & Beckman).
inline constexpr double kSolarConstant = 1367;

// Declination of the sun on a day of the year (1..365), degrees: the Fourier series of Spencer
// (1971), "Fourier series representation of the position of the sun", Search 2(5), 172; within
// about 0,035 degree of the ephemeris.
double declination(int dayOfYear);

// Extraterrestrial irradiance on a plane normal to the beam, W/m2: the solar constant times
// Spencer's (1971) series for the square of the earth's mean distance over its distance.
double extraterrestrialNormal(int dayOfYear);

// Hour angle at which the sun's centre stands at `altitude` degrees above the horizon, degrees
// (0 .. 180): 0 in polar night, 180 in polar day. Altitude 0 gives the geometric sunset of the
// radiation formulas; -0,833 the sunset of the almanacs (refraction and the sun's semidiameter).
double sunsetHourAngle(double latitude, double declination, double altitude = 0);

// Sunrise and sunset as the almanacs give them (upper limb on the horizon, standard refraction),
// in hours of local solar time; both are 12 when the sun does not rise, 0 and 24 when it does
// not set.
struct SunTimes {
    double sunrise = 12, sunset = 12;
    double length() const { return sunset - sunrise; }
};
SunTimes sunTimes(double latitude, int dayOfYear);

// Extraterrestrial irradiation on a horizontal plane over the day, W*h/m2 (Duffie & Beckman
// eq. 1.10.3).
double extraterrestrialDaily(double latitude, int dayOfYear);

// The day whose extraterrestrial irradiation equals the month's mean (Klein 1977, "Calculation
// of monthly average insolation on tilted surfaces", Solar Energy 19, 325; Duffie & Beckman table
// 1.6.1): 17, 47, 75, 105, 135, 162, 198, 228, 258, 288, 318, 344.
int meanDayOfMonth(int month);

// The sun at an hour angle of a day: zenith angle and azimuth, degrees (Duffie & Beckman eqs.
// 1.6.5 and 1.6.6).
struct SunPosition {
    double zenith = 90, azimuth = 0;
};
SunPosition sunPosition(double latitude, int dayOfYear, double hourAngle);

// Cosine of the angle of incidence of the beam on a plane (Duffie & Beckman eq. 1.6.3 in terms of
// the sun's zenith and azimuth); negative when the sun is behind the plane.
double incidenceCosine(double zenith, double sunAzimuth, double tilt, double surfaceAzimuth);

// Reflectance of the ground: 0,2 without snow, 0,7 with snow cover (Duffie & Beckman section
// 2.15); a month whose mean air temperature is below 0 degrees C is taken as snow-covered.
double groundAlbedo(double monthMeanTemperature);

// ---------------------------------------------------------------- the month's mean day

// Diffuse fraction Hd/H of the monthly mean daily irradiation from the monthly clearness index,
// by the correlation of Erbs, Klein and Duffie (1982), "Estimation of the diffuse radiation
// fraction for hourly, daily and monthly-average global radiation", Solar Energy 28, 293
// (Duffie & Beckman eq. 2.12.1); the clearness index is held within the correlation's range
// 0,3 .. 0,8.
double monthlyDiffuseFraction(double clearness, double sunsetHourAngle);

// Ratio of the mean day's beam irradiation on the plane to that on the horizontal: the hour by
// hour ratio integrated over the day, which for a surface facing the equator is the closed form
// of Liu and Jordan (Duffie & Beckman eq. 2.19.3) and for any other orientation the ratio that
// Klein and Theilacker (1981) integrate in closed form.
double monthlyBeamRatio(double latitude, int month, double tilt, double surfaceAzimuth);

// The month's mean daily irradiation on a plane from that on the horizontal (Klein 1977 with
// the isotropic diffuse sky of Liu and Jordan, Duffie & Beckman eq. 2.19.1).
struct MonthlyPlane {
    double clearness = 0;       // KT = H / H0
    double diffuseFraction = 0; // Hd / H, given or from Erbs et al.
    double beamRatio = 0;       // Rb
    double ratio = 1;           // R = HT / H
    double plane = 0;           // HT, in the units of H
};
// horizontal: H in kW*h/(m2*day); diffuse: Hd/H where a source gives it.
MonthlyPlane monthlyPlane(double latitude, int month, double horizontal, double tilt,
                          double surfaceAzimuth, double albedo,
                          std::optional<double> diffuse = std::nullopt);

// E of a region's month, kW*h/(m2*day): the mean daily radiation on a plane facing the equator
// at the month's tilt, from the horizontal value (and its diffuse share where the source gives
// it), the ground reflecting as groundAlbedo says for the month's mean temperature.
double regionPlaneValue(double latitude, int month, double horizontal,
                        std::optional<double> diffuse, double tilt, double monthMeanTemperature);

// ---------------------------------------------------------------- one hour

// Beam normal and diffuse horizontal irradiance from the global horizontal, W/m2, by the hourly
// correlation of Erbs, Klein and Duffie (1982); the clearness index kt = GHI / (I0 cos z) with
// cos z held at 0,065 or above.
struct HourlySplit {
    double dni = 0, dhi = 0, clearness = 0;
};
HourlySplit erbsSplit(double ghi, double zenith, int dayOfYear);

// Diffuse irradiance from the sky on a plane, W/m2, by the anisotropic model of Hay and Davies
// (1980), "Calculation of the solar radiation incident on an inclined surface", Proc. First
// Canadian Solar Radiation Data Workshop, 59 (Duffie & Beckman eq. 2.16.4 without the ground
// term); cos z held at 0,01745 or above in the beam ratio.
double hayDaviesSky(double dhi, double dni, double dniExtra, double zenith, double sunAzimuth,
                    double tilt, double surfaceAzimuth);

// Global irradiance on the plane, W/m2: beam, Hay-Davies sky diffuse and isotropic ground
// reflection.
double planeIrradiance(double ghi, double dni, double dhi, double dniExtra, double zenith,
                       double sunAzimuth, double tilt, double surfaceAzimuth, double albedo);

} // namespace ses::sky
