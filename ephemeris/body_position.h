// The body-position driver: the single entry point of the ephemeris engine.
//
// One Ephemeris object holds what a process keeps between calls: the driver's time
// arguments and working values, the working records of the solar, planetary and lunar
// theories, and the ephemeris-record cache. Two objects are fully independent.
//
// Calling order for one instant: body 0 (time arguments and nutation), then body 1 (the Sun,
// which leaves the Earth's vector in EarthX..EarthDY), then any other bodies. A body asked for
// without a body-0 call for its JD is computed with the previous instant's time arguments.
#pragma once

#include <span>
#include <string>

#include "ephemeris/ephemeris_files.h"
#include "ephemeris/orbital_elements.h"
#include "ephemeris/result_arrays.h"
#include "ephemeris/theories/lunar_theory.h"
#include "ephemeris/theories/planet_theory.h"

namespace orbelle::ephemeris {

// Body numbers.
inline constexpr Integer kTimeArguments = 0, kSun = 1, kMoon = 2, kMercury = 3, kVenus = 4, kMars = 5,
                         kCeres = 6, kPallas = 7, kJuno = 8, kVesta = 9, kJupiter = 10, kSaturn = 11,
                         kChiron = 12, kUranus = 13, kNeptune = 14, kPluto = 15, kNorthNode = 16,
                         kSouthNode = 17, kFirstMinorBody = 32;

// The DATE ERROR longitude.
inline constexpr float kDateError = -1.0f;

// Light travel time, days per AU (the light-time correction of the geocentric longitude).
inline constexpr double kLightDaysPerAU = 0.0057683;

// Name of a body in the system's texts, the base name of its ephemeris file for 6..15;
// empty where the body has none.
std::string BodyName(Integer body);

class Ephemeris {
 public:
  Ephemeris();

  // Fills the slot `Body` of the result arrays for the instant JD (see the file comment).
  // Mode 0: positions only; otherwise also the orbit points (heliocentric when |Mode| is 2),
  // and a negative Mode makes a file body skip its file. EphemPath is the directory of the
  // ephemeris files (bodies 6..15) or the full path of the body's file (bodies from 32).
  // Nutation receives the nutation in longitude from body 0 and is added to the longitude of
  // every body reduced here. Body -1 changes nothing; a body number below -1 or without a
  // slot in every array raises InvalidArgumentError before anything is written.
  void BodyPosition(Integer& Mode, Integer& Body, std::string& EphemPath, float& EarthX, float& EarthY,
                    float& EarthZ, float& EarthDX, float& EarthDY, double& JD, Integer& LunarOption,
                    float& Nutation, std::span<float> GeoLon, std::span<float> GeoLat, std::span<float> GeoDist,
                    std::span<float> GeoSpeed, std::span<float> HelioLon, std::span<float> HelioLat,
                    std::span<float> HelioDist, std::span<float> HelioSpeed, std::span<float> AscNodeLon,
                    std::span<float> DescNodeLon, std::span<float> PerihelionLon,
                    std::span<float> AphelionLon);

  // Where unusable ephemeris files are reported (once per failure, naming the file).
  void SetProblemReporter(ProblemReporter reporter) { files_.SetProblemReporter(std::move(reporter)); }

  // Time arguments of the last body-0 call: days and Julian centuries from JD 2415020.0.
  double Days() const { return days_; }
  double T() const { return t_; }
  double T2() const { return t2_; }

 private:
  struct Call;  // the arguments of the current call

  void TimeArguments(Call& c);
  void ReducePosition(Call& c, const HeliocentricState& h);
  void StoreOrbitPoints(Call& c);
  void FileBody(Call& c);
  void KeplerBody(Call& c);
  void MinorBody(Call& c);

  // Constants, set on every call (single precision).
  float full_circle_ = 360.0f, half_circle_ = 180.0f, pi_ = 3.1415927f;
  float deg_to_rad_ = 0, rad_to_deg_ = 0, arcsec_to_rad_ = 0;
  Integer mode_ = 0;
  double days_ = 0, t_ = 0, t2_ = 0;
  OrbitalElements elements_;
  HeliocentricState work_;  // heliocentric, then geocentric working position
  std::string body_name_;

  SolarPlanetaryTheory planets_;
  LunarTheory moon_;
  EphemerisFiles files_;
};

}  // namespace orbelle::ephemeris
