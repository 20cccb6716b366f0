// Errors raised by the ephemeris engine.
//
// The engine never stores or returns an infinity or a NaN: a floating-point fault (an
// invalid operation, a division by zero, an overflow, also on rounding to single) ends the
// current request with a CalculationError. Arguments outside what a procedure can serve
// (a body number with no slot in the caller's arrays, for instance) raise
// InvalidArgumentError before anything is written.
#pragma once

#include <stdexcept>
#include <string>

namespace orbelle::ephemeris {

class EngineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CalculationError : public EngineError {
 public:
  using EngineError::EngineError;
};

class InvalidArgumentError : public EngineError {
 public:
  using EngineError::EngineError;
};

}  // namespace orbelle::ephemeris
