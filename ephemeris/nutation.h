// The nutation in longitude, in the three forms the driver and the theories use. Each
// reproduces its user's series and roundings; all return degrees in single precision.
//
// The series is the older one, of E. W. Woolard, Theory of the Rotation of the Earth around its
// Center of Mass, Astronomical Papers of the American Ephemeris vol. 15 part 1 (1953), as
// the Explanatory Supplement to the Astronomical Ephemeris (HMSO, 1961) gives it for the
// nutation in longitude: leading term -(17.2327" + 0.01737" T) sin Omega, T in Julian
// centuries from 1900.0. (The IAU 1980 series, of Wahr, leads with -17.1996" and is not
// used here.)
#pragma once

#include "ephemeris/fundamental_arguments.h"

namespace orbelle::ephemeris {

// The six principal terms of Woolard's series, arguments in degrees, summed in double and
// rounded once (the driver).
float NutationSixTerms(const NutationArguments& a, double T);
// The same from the driver's mean arguments of the instant.
float DriverNutation(const TimeArguments& t);

// The same six terms with the running sum rounded to single after every two terms (the lunar
// theory).
float NutationSixTermsLineByLine(const NutationArguments& a, double T);

// The thirteen leading terms of Woolard's series, arguments in radians, the running sum
// rounded to single after each group of three (the solar and planetary theory).
struct NutationRadians {
  double sun_longitude, sun_anomaly, moon_longitude, moon_anomaly, moon_node, moon_elongation;
};
float NutationThirteenTerms(const NutationRadians& a, double T);

}  // namespace orbelle::ephemeris
