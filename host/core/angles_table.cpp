#include "host/core/angles_table.h"

#include <charconv>
#include <cmath>

#include "ephemeris/checked_float.h"
#include "ephemeris/julian_day.h"
#include "host/core/utf8.h"

namespace orbelle::host {

using ephemeris::Integer;

const std::array<const char*, kRowCount> kRowNames = {"SUN/EARTH", "MOON",   "MERCURY", "VENUS",   "MARS",
                                                       "JUPITER",   "SATURN", "URANUS",  "NEPTUNE", "PLUTO",
                                                       "NORTH T.N."};
const std::array<Integer, kRowCount> kRowBodies = {1, 2, 3, 4, 5, 10, 11, 13, 14, 15, 16};
const std::array<int, kRowCount> kRowColours = {9, 0, 13, 11, 12, 10, 7, 2, 3, 8, 4};

namespace {

// The number in fixed notation with `decimals` decimals, '.' as the separator.
std::string Fixed(double v, int decimals) {
  char buf[400];
  const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  return std::string(buf, result.ptr);
}

// The number as its integer decimal text, for values the cell arithmetic keeps whole.
std::string WholeNumber(double v) { return Fixed(v, 0); }

}  // namespace

// Degrees within the sign d = Int(L - Int(L/30)*30) and the sign index Int(L/30), Int being
// the floor; minutes Int(frac(L)*60 + 0.499), rounded a hair below one half so that a
// fraction of exactly 0.5' still rounds down, and never carried into the degrees.
SignCellText SignCell(float longitude) {
  const double l = ephemeris::Checked(longitude, "sign cell");
  const double sign_index = std::floor(l / 30.0);
  const double degrees = std::floor(l - sign_index * 30.0);
  const double minutes = std::floor((l - std::floor(l)) * 60.0 + 0.499);
  const double code = sign_index + 94.0;
  SignCellText cell;
  cell.degrees = WholeNumber(degrees);
  cell.glyph_code = (code >= 0.0 && code <= 0xFFFF) ? static_cast<int>(code) : -1;
  const std::string hundred_and_minutes = WholeNumber(minutes + 100.0);
  cell.minutes = hundred_and_minutes.substr(hundred_and_minutes.size() - std::min<std::size_t>(2, hundred_and_minutes.size())) + " ";
  return cell;
}

// Two decimals, rounded half away from zero, no group separator.
std::string DecimalCell(float longitude, const RegionalConventions& region) {
  const double v = ephemeris::Checked(longitude, "decimal cell");
  std::string text;
  if (std::fabs(v) < 1e15) {
    const double cents = std::round(v * 100.0);
    const double whole = std::floor(std::fabs(cents) / 100.0);
    const int fraction = static_cast<int>(std::fabs(cents) - whole * 100.0);
    if (cents < 0) text += '-';
    text += WholeNumber(whole);
    text += region.decimal_separator;
    if (fraction < 10) text += '0';
    text += std::to_string(fraction);
  } else {
    text = Fixed(v, 2);
    text.replace(text.size() - 3, 1, region.decimal_separator);
  }
  return text + "   ";
}

AnglesTable::AnglesTable() { LoadRows(); }

void AnglesTable::LoadRows() {
  std::copy(kRowNames.begin(), kRowNames.end(), RowNames.begin());
  RowColours = kRowColours;
}

// Mode and LunarOption are fresh zeros on every call. The nutation in longitude that body 0
// works out is handed on to the later bodies of the same instant, so that the bodies reduced
// by the driver (Jupiter to Pluto) get apparent longitudes of date like the Sun, the Moon and
// the inner planets, whose theories add a nutation of their own.
void AnglesTable::CallEngine(Integer body, double jd) {
  if (body == ephemeris::kTimeArguments) Nutation = 0;
  auto r = Results.Spans();
  Integer mode = 0, lunar_option = 0;
  Engine.BodyPosition(mode, body, EphemerisDirectory, EarthX, EarthY, EarthZ, EarthDX, EarthDY, jd, lunar_option,
                      Nutation, r.GeoLon, r.GeoLat, r.GeoDist, r.GeoSpeed, r.HelioLon, r.HelioLat, r.HelioDist,
                      r.HelioSpeed, r.AscNodeLon, r.DescNodeLon, r.PerihelionLon, r.AphelionLon);
}

// The preparatory body-0 call, then one call per row in row order, so that the Earth's vector
// left by body 1 is there for every later body.
void AnglesTable::ComputeRows(double jd) {
  CallEngine(ephemeris::kTimeArguments, jd);
  for (int row = 0; row < kRowCount; ++row) CallEngine(RowBodies[static_cast<std::size_t>(row)], jd);
}

void AnglesTable::PrintAngles(const std::string& request, DrawingSurface& surface) {
  const RequestInstant instant = ReadRequest(request, Region);
  RowBodies = {};
  std::copy(kRowBodies.begin(), kRowBodies.end(), RowBodies.begin());
  const double jd = ephemeris::JulianDay(instant.year, instant.month, instant.day, instant.Hours());
  ComputeRows(jd);
  jd_ = jd;
  DrawTable(request, surface);
}

void AnglesTable::DrawTable(const std::string& request, DrawingSurface& surface) {
  const std::string font = surface.FontName();
  surface.Clear();
  const float a = surface.TextWidth("NORTH TRUE N");
  const float b = a + surface.TextWidth("0000000");
  const float c = b + surface.TextWidth("  00000000000");
  const float d = c + surface.TextWidth("0000000");

  surface.SetColour(0);
  surface.Print(request, true);
  surface.Print("", true);
  surface.Print("PLANET", false);
  surface.SetX(a);
  surface.Print("GEOCENTRIC", false);
  surface.SetX(c);
  surface.Print("HELIOCENTRIC", true);

  auto print_sign_cell = [&](float longitude) {
    const SignCellText cell = SignCell(longitude);
    surface.Print(cell.degrees, false);
    surface.SetFontName(kSignFontName);
    surface.Print(Utf8(cell.glyph_code < 0 ? kReplacementCharacter : static_cast<char32_t>(cell.glyph_code)), false);
    surface.SetFontName(font);
    surface.Print(cell.minutes, false);
  };

  for (int row = 0; row < kRowCount; ++row) {
    const auto body = static_cast<std::size_t>(RowBodies[static_cast<std::size_t>(row)]);
    const bool helio_cells = row < kRowCount - 1;
    surface.SetColour(RowColours[static_cast<std::size_t>(row)]);
    surface.SetX(0);
    surface.Print(RowNames[static_cast<std::size_t>(row)], false);
    surface.SetX(a);
    print_sign_cell(Results.GeoLon[body]);
    surface.SetX(b);
    surface.Print(DecimalCell(Results.GeoLon[body], Region), !helio_cells);
    if (!helio_cells) break;
    surface.SetX(c);
    print_sign_cell(Results.HelioLon[body]);
    surface.SetX(d);
    surface.Print(DecimalCell(Results.HelioLon[body], Region), true);
  }
}

}  // namespace orbelle::host
