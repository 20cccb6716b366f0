// The nutation in longitude, in the three forms the driver and the theories use. Each
// reproduces its user's series and roundings; all return degrees in single precision.
#pragma once

#include "ephemeris/fundamental_arguments.h"

namespace orbelle::ephemeris {

// The six principal terms of the IAU 1980 series in the older form of the Explanatory
// Supplement (1961), arguments in degrees, summed in double and rounded once (the driver).
float NutationSixTerms(const NutationArguments& a, double T);

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
