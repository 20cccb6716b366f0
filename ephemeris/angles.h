// Angle helpers shared by every computing part of the engine.
//
// Degrees are converted to radians as angle * 3.1415926535898 / 180 (a decimal pi of 14
// digits, not the library's M_PI), in double precision. The single-precision variants take
// and return float; their arithmetic is done in double and rounded once on return. The
// two-argument arc tangents take the sine part first (A = y) and the cosine part second
// (B = x). The 1e-7 guards keep arcsin at |x| = 1 and the arc tangent at B = 0 away from a
// division by zero.
#pragma once

#include "ephemeris/constants.h"

namespace orbelle::ephemeris {

inline constexpr double kZeroGuard = 1e-7;

float SinDeg(const float& angle);
float CosDeg(const float& angle);
double SinDegD(const double& angle);
double CosDegD(const double& angle);

// Reduces to 0 <= result < 360. The single variant rounds the quotient angle / 360 to single
// before subtracting the whole turns, so an angle a hair below a multiple of 360 may come
// back as exactly 360.
float Norm360(const float& angle);
double Norm360D(const double& angle);

// The rules by which the driver and the theories bring longitudes and daily motions back into
// range. Each reproduces its user's own edge cases, so they are not interchangeable.
//
// Longitude by Norm360, a result of exactly 360 stored as 0 (the driver, the lunar theory).
float LongitudeBelowFullTurn(const float& angle);
// Longitude within one turn of 0..360 (after a small correction) brought back by a single
// turn, rounded to single, 360 stored as 0 (the solar and planetary theory).
float LongitudeShiftedOneTurn(double longitude, const char* what);
// Daily motion as a difference of directions: 180 degrees or more in magnitude loses a turn
// with its sign (the driver).
double MotionWrappedFromHalfTurn(double motion);
// The same for more than 180 degrees in magnitude (the planetary and the lunar theory).
double MotionWrappedBeyondHalfTurn(double motion);
// Only a motion below -180 degrees, a jump back across 0/360, gains a turn: the Sun's
// apparent motion is always forward (the solar theory).
double MotionWrappedBelowHalfTurnBack(double motion);

// Arcsine in degrees, -90..+90. |x| > 1 raises CalculationError.
float ArcSinDeg(const float& x);

// Direction of the vector (B, A): degrees 0 <= result < 360, or radians 0 <= result < 2 pi.
float Atan2Deg(const float& A, const float& B);
float Atan2Rad(const float& A, const float& B);

}  // namespace orbelle::ephemeris
