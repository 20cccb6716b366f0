// The angles table: one request text in, the table of zodiacal positions drawn out.
//
// AnglesTable holds what the window keeps for the life of the process: the engine with its
// working state, the Earth's vector that body 1 leaves for the later bodies, the twelve
// result arrays, the ephemeris directory, and the row labels and colours.
#pragma once

#include <array>
#include <string>

#include "ephemeris/body_position.h"
#include "ephemeris/result_arrays.h"
#include "host/core/drawing_surface.h"
#include "host/core/request_text.h"

namespace orbelle::host {

inline constexpr int kRowCount = 11;

// Row labels, body numbers and palette indices of the eleven rows.
extern const std::array<const char*, kRowCount> kRowNames;
extern const std::array<ephemeris::Integer, kRowCount> kRowBodies;
extern const std::array<int, kRowCount> kRowColours;

// The three pieces of a sign cell: degrees within the sign, the sign font's character code
// (94 Aries .. 105 Pisces) and the two-digit minutes followed by a blank. Minutes are rounded
// without carry into the degrees (29.999 gives 29, Aries, 60).
struct SignCellText {
  std::string degrees;
  int glyph_code = 0;
  std::string minutes;
};
SignCellText SignCell(float longitude);

// The longitude with two decimals and the regional decimal separator, then three blanks.
std::string DecimalCell(float longitude, const RegionalConventions& region);

class AnglesTable {
 public:
  AnglesTable();

  // Fills the row labels and colours (the window's load step).
  void LoadRows();

  // Reads the request, computes the eleven rows and draws the table on `surface`. A text
  // holding no date throws RequestError before anything is computed or drawn; an engine
  // fault throws the engine's error before anything is drawn.
  void PrintAngles(const std::string& request, DrawingSurface& surface);

  // Draws the table for `request` from the result arrays as they stand: the request line, an
  // empty line, the header and one row per body, in the rows' colours.
  void DrawTable(const std::string& request, DrawingSurface& surface);

  // One engine call as the table makes it, for `body` at `jd` (body 0 first for a new
  // instant, then body 1 before any geocentric position).
  void CallEngine(ephemeris::Integer body, double jd);

  // Julian day of the last request drawn.
  double LastJulianDay() const { return jd_; }

  std::string EphemerisDirectory;  // directory of the ephemeris files, with its separator
  std::array<std::string, kRowCount> RowNames;
  std::array<int, kRowCount> RowColours{};
  std::array<ephemeris::Integer, 16> RowBodies{1, 2, 3, 4, 5, 10, 11, 13, 14, 15, 16};
  float EarthX = 0, EarthY = 0, EarthZ = 0, EarthDX = 0, EarthDY = 0;
  float Nutation = 0;  // from body 0, handed on to the bodies of the same instant
  ephemeris::ResultArrays Results;
  ephemeris::Ephemeris Engine;
  RegionalConventions Region;  // the host hands in the user's; C/POSIX until then

 private:
  void ComputeRows(double jd);
  double jd_ = 0;
};

}  // namespace orbelle::host
