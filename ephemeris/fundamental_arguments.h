// The time arguments and the fundamental arguments of the Sun and the Moon.
//
// Three components of the engine use mean arguments of the Sun and the Moon, each in its own
// classical form and precision, and their results depend on each one's roundings:
// - the driver: Brown's mean longitudes and node in revolutions, evaluated term by term, and
//   the two mean anomalies as degree polynomials in T (for the nutation of the instant);
// - the lunar theory: Brown's eight mean arguments in revolutions, in Horner form;
// - the solar and planetary theory: Newcomb's Sun and Brown's Moon in degrees and arc-seconds.
#pragma once

namespace orbelle::ephemeris {

// Days and Julian centuries from 1900 January 0.5 (JD 2415020.0), T2 = T * T.
struct TimeArguments {
  double days = 0, T = 0, T2 = 0;
};
TimeArguments TimeArgumentsAt(double jd);

// A mean argument in revolutions, c0 + c1 d + c2 d^2 + c3 d^3 with d in days from
// JD 2415020.0: Brown's mean arguments of the Moon (Tables of the Motion of the Moon, 1919)
// and Newcomb's of the Sun (Tables of the Sun, 1895), turned from degrees and centuries into
// revolutions and days.
struct RevolutionPolynomial {
  double c0, c1, c2, c3;
};
inline constexpr RevolutionPolynomial kMoonMeanLongitude{0.7512060108, 0.036601101463356, -2.3598e-15, 1.077e-22};
inline constexpr RevolutionPolynomial kMoonPerigee{0.92869320988, 0.00030945577864, -2.149845e-14, -7.125e-22};
inline constexpr RevolutionPolynomial kMoonNode{0.71995354167, -0.000147094228332, 4.3263e-15, 1.266e-22};
inline constexpr RevolutionPolynomial kMoonElongation{0.97427079475, 0.033863192198393, -2.99023e-15, 1.077e-22};
inline constexpr RevolutionPolynomial kMoonMeanAnomaly{0.82251280093, 0.036291645684716, 1.913865e-14, 8.203e-22};
inline constexpr RevolutionPolynomial kMoonArgLatitude{0.03125246914, 0.036748195691688, -6.68609e-15, -1.9e-23};
inline constexpr RevolutionPolynomial kSunMeanLongitude{0.77693521605, 0.002737909264963, 6.3044e-16, 0.0};
inline constexpr RevolutionPolynomial kSunMeanAnomaly{0.9957662037, 0.002737778519279, -3.1233e-16, -1.9e-22};

// Single-precision degrees of the arguments that the six-term nutation series takes.
struct NutationArguments {
  float moon_node = 0, sun_longitude = 0, moon_longitude = 0, sun_anomaly = 0, moon_anomaly = 0;
};

// The driver's: the Moon's node, the Sun's and the Moon's mean longitudes in revolutions
// evaluated term by term (c0 + c1 d + c2 d d + c3 d d d), the mean anomalies from degree
// polynomials in T with the whole turns of the linear term taken off first.
NutationArguments DriverArguments(const TimeArguments& t);

// The lunar theory's: Brown's mean arguments in single-precision degrees, 0 <= x < 360, each
// revolution polynomial in Horner form with its constant term added last.
struct BrownArguments {
  float moon_longitude, perigee, node, elongation, moon_anomaly, arg_latitude, sun_longitude, sun_anomaly;
};
BrownArguments LunarTheoryArguments(double days);

// The solar and planetary theory's, degrees 0 <= x < 360 in double: the Sun's mean longitude
// and anomaly (Newcomb), the Moon's mean longitude, anomaly and node (Brown), and the Moon's
// mean elongation from the Sun.
struct NewcombBrownArguments {
  double sun_longitude, sun_anomaly, moon_longitude, moon_anomaly, moon_node, moon_elongation;
};
NewcombBrownArguments PlanetTheoryArguments(double T, double T2, double T3);

}  // namespace orbelle::ephemeris
