#include "ephemeris/angles.h"

#include <cmath>

#include "ephemeris/checked_float.h"

namespace orbelle::ephemeris {

namespace {

double DegToRad(double angle) { return angle * kDecimalPi / 180.0; }

// The common core of Atan2Deg and Atan2Rad; `half_turn` is 180 or the decimal pi.
// Quadrants follow from the signs: the arc tangent of A / B lies in -90..90, half a turn is
// added when A * B is negative or when the vector points along -x, and
// another half turn when A is negative. For B = 0 the guard 1e-7 stands in for B, so A > 0
// gives just under a quarter turn; A < 0 with B = 0 is taken with the same positive guard
// as the fourth quadrant, just over three quarters of a turn (the direction of -y).
double Atan2Core(float A, float B, double half_turn, const char* what) {
  const double a = Checked(A, what);
  const double b = Checked(B, what);
  const double b_guarded = (b == 0.0) ? b + kZeroGuard : b;
  double x = std::atan(a / b_guarded);
  if (half_turn == 180.0) x = x * 180.0 / kDecimalPi;
  // The sign of the product A * B is taken from the signs of A and B: the product of two tiny
  // components rounded to single underflows to zero and would lose the quadrant.
  const bool opposite_signs = (a < 0.0 && b > 0.0) || (a > 0.0 && b < 0.0);
  if (b == 0.0 && a < 0.0) return x + 2.0 * half_turn;
  if (opposite_signs || (a == 0.0 && b < 0.0)) x += half_turn;
  if (a < 0.0) x += half_turn;
  return x;
}

}  // namespace

float SinDeg(const float& angle) { return ToSingle(std::sin(DegToRad(Checked(angle, "SinDeg"))), "SinDeg"); }
float CosDeg(const float& angle) { return ToSingle(std::cos(DegToRad(Checked(angle, "CosDeg"))), "CosDeg"); }
double SinDegD(const double& angle) { return Checked(std::sin(DegToRad(Checked(angle, "SinDegD"))), "SinDegD"); }
double CosDegD(const double& angle) { return Checked(std::cos(DegToRad(Checked(angle, "CosDegD"))), "CosDegD"); }

float Norm360(const float& angle) {
  const double quotient = Checked(angle, "Norm360") / 360.0;
  const float rounded = static_cast<float>(quotient);
  const double turns = std::floor(quotient);
  const float reduced = ToSingle((static_cast<double>(rounded) - turns) * 360.0, "Norm360");
  // Beyond about 2^24 turns the single quotient has lost whole turns and the difference is no
  // longer within one turn: reduce in double precision instead.
  if (reduced < 0.0f || reduced > 360.0f) return ToSingle(Norm360D(angle), "Norm360");
  return reduced;
}

double Norm360D(const double& angle) {
  const double quotient = Checked(angle, "Norm360D") / 360.0;
  return (quotient - std::floor(quotient)) * 360.0;
}

float LongitudeBelowFullTurn(const float& angle) {
  const float reduced = Norm360(angle);
  return reduced == 360.0f ? 0.0f : reduced;
}

float LongitudeShiftedOneTurn(double longitude, const char* what) {
  if (longitude >= 360.0) longitude -= 360.0;
  if (longitude < 0.0) longitude += 360.0;
  const float stored = ToSingle(longitude, what);
  return stored == 360.0f ? 0.0f : stored;
}

double MotionWrappedFromHalfTurn(double motion) {
  if (std::fabs(motion) >= 180.0) motion -= 360.0 * (motion > 0 ? 1.0 : -1.0);
  return motion;
}

double MotionWrappedBeyondHalfTurn(double motion) {
  if (std::fabs(motion) > 180.0) motion -= (motion > 0 ? 1.0 : -1.0) * 360.0;
  return motion;
}

double MotionWrappedBelowHalfTurnBack(double motion) { return motion < -180.0 ? motion + 360.0 : motion; }

float ArcSinDeg(const float& x) {
  const double v = Checked(x, "ArcSinDeg");
  const double radicand = 1.0 - v * v;
  if (radicand < 0.0) throw CalculationError("ArcSinDeg: sine value outside -1..1");
  const double s = std::sqrt(radicand);
  const double guard = (std::fabs(x) == 1.0f) ? kZeroGuard : 0.0;
  return ToSingle(std::atan(v / (s + guard)) * 180.0 / kDecimalPi, "ArcSinDeg");
}

// A direction a hair below a full turn rounds to exactly one turn in single precision; it is
// returned as 0, so that the result stays below one turn.
float Atan2Deg(const float& A, const float& B) {
  const float direction = ToSingle(Atan2Core(A, B, 180.0, "Atan2Deg"), "Atan2Deg");
  return direction >= 360.0f ? 0.0f : direction;
}

float Atan2Rad(const float& A, const float& B) {
  const float direction = ToSingle(Atan2Core(A, B, kDecimalPi, "Atan2Rad"), "Atan2Rad");
  return direction >= static_cast<float>(2.0 * kDecimalPi) ? 0.0f : direction;
}

}  // namespace orbelle::ephemeris
