// Trapped floating-point arithmetic.
//
// The engine computes in double and stores single-precision quantities as float. Every
// value that is stored passes through one of these checks, so that a fault shows as a
// CalculationError naming the quantity instead of an infinity or a NaN in a result.
#pragma once

#include <cmath>
#include <limits>

#include "ephemeris/engine_error.h"

namespace orbelle::ephemeris {

// Throws CalculationError when v is not finite. `what` names the quantity in the message.
inline double Checked(double v, const char* what = "value") {
  if (!std::isfinite(v)) {
    throw CalculationError(std::string("floating-point fault in ") + what +
                           (std::isnan(v) ? ": invalid operation" : ": overflow or division by zero"));
  }
  return v;
}

// Rounds a double to single precision, trapping a non-finite input and an overflow of the
// single range.
inline float ToSingle(double v, const char* what = "value") {
  Checked(v, what);
  if (std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) {
    // Values between FLT_MAX and the rounding boundary still round to FLT_MAX; anything
    // further out is an overflow of the single-precision store.
    const float f = static_cast<float>(v);
    if (!std::isfinite(f)) throw CalculationError(std::string("overflow storing ") + what + " in single precision");
    return f;
  }
  return static_cast<float>(v);
}

// Quotient with the division-by-zero trap.
inline double Divide(double num, double den, const char* what = "quotient") {
  if (den == 0.0) throw CalculationError(std::string("division by zero in ") + what);
  return Checked(num / den, what);
}

// Square root with the invalid-operation trap for negative arguments.
inline double SquareRoot(double v, const char* what = "square root") {
  if (v < 0.0) throw CalculationError(std::string("square root of a negative number in ") + what);
  return Checked(std::sqrt(v), what);
}

}  // namespace orbelle::ephemeris
