#include "host/angles_table.h"

#include <cmath>

#include "ephemeris/checked_float.h"
#include "ephemeris/julian_day.h"

namespace orbelle::host {

using ephemeris::Integer;

const std::array<const char*, kRowCount> kRowNames = {"SUN/EARTH", "MOON",   "MERCURY", "VENUS",   "MARS",
                                                       "JUPITER",   "SATURN", "URANUS",  "NEPTUNE", "PLUTO",
                                                       "NORTH T.N."};
const std::array<Integer, kRowCount> kRowBodies = {1, 2, 3, 4, 5, 10, 11, 13, 14, 15, 16};
const std::array<int, kRowCount> kRowColours = {9, 0, 13, 11, 12, 10, 7, 2, 3, 8, 4};

namespace {

// The number as its integer decimal text, for values the cell arithmetic keeps whole.
QString WholeNumber(double v) { return QString::number(v, 'f', 0); }

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
  cell.minutes = WholeNumber(minutes + 100.0).right(2) + QLatin1Char(' ');
  return cell;
}

// Two decimals, rounded half away from zero, no group separator.
QString DecimalCell(float longitude, const QLocale& locale) {
  const double v = ephemeris::Checked(longitude, "decimal cell");
  QString text;
  if (std::fabs(v) < 1e15) {
    const double cents = std::round(v * 100.0);
    const double whole = std::floor(std::fabs(cents) / 100.0);
    const int fraction = static_cast<int>(std::fabs(cents) - whole * 100.0);
    text = (cents < 0 ? QStringLiteral("-") : QString()) + WholeNumber(whole) + locale.decimalPoint() +
           QStringLiteral("%1").arg(fraction, 2, 10, QLatin1Char('0'));
  } else {
    text = QString::number(v, 'f', 2).replace(QLatin1Char('.'), locale.decimalPoint());
  }
  return text + QStringLiteral("   ");
}

AnglesTable::AnglesTable() { LoadRows(); }

void AnglesTable::LoadRows() {
  RowNames.clear();
  for (const char* name : kRowNames) RowNames << QString::fromLatin1(name);
  RowColours = kRowColours;
}

// Mode and LunarOption are fresh zeros on every call. The nutation in longitude that body 0
// works out is handed on to the later bodies of the same instant, so that the bodies reduced
// by the driver (Jupiter to Pluto) get apparent longitudes of date like the Sun, the Moon and
// the inner planets, whose theories add a nutation of their own.
void AnglesTable::CallEngine(Integer body, double jd) {
  if (body == ephemeris::kTimeArguments) Instant.Nutation = 0;
  Instant.JD = jd;
  Engine.BodyPosition({.Body = body, .EphemPath = EphemerisDirectory}, Instant, Results.Spans());
}

// The preparatory body-0 call, then one call per row in row order, so that the Earth's vector
// left by body 1 is there for every later body.
void AnglesTable::ComputeRows(double jd) {
  CallEngine(ephemeris::kTimeArguments, jd);
  for (int row = 0; row < kRowCount; ++row) CallEngine(RowBodies[static_cast<std::size_t>(row)], jd);
}

void AnglesTable::PrintAngles(const QString& request, DrawingSurface& surface) {
  const RequestInstant instant = ReadRequest(request, Locale);
  RowBodies = {};
  std::copy(kRowBodies.begin(), kRowBodies.end(), RowBodies.begin());
  const double jd = ephemeris::JulianDay(instant.year, instant.month, instant.day, instant.Hours());
  ComputeRows(jd);
  jd_ = jd;
  DrawTable(request, surface);
}

void AnglesTable::DrawTable(const QString& request, DrawingSurface& surface) {
  const QString font = surface.FontName();
  surface.Clear();
  const float a = surface.TextWidth(QStringLiteral("NORTH TRUE N"));
  const float b = a + surface.TextWidth(QStringLiteral("0000000"));
  const float c = b + surface.TextWidth(QStringLiteral("  00000000000"));
  const float d = c + surface.TextWidth(QStringLiteral("0000000"));

  surface.SetColour(0);
  surface.Print(request, true);
  surface.Print(QString(), true);
  surface.Print(QStringLiteral("PLANET"), false);
  surface.SetX(a);
  surface.Print(QStringLiteral("GEOCENTRIC"), false);
  surface.SetX(c);
  surface.Print(QStringLiteral("HELIOCENTRIC"), true);

  auto print_sign_cell = [&](float longitude) {
    const SignCellText cell = SignCell(longitude);
    surface.Print(cell.degrees, false);
    surface.SetFontName(QString::fromLatin1(kSignFontName));
    surface.Print(QString(QChar(char16_t(cell.glyph_code < 0 ? 0xFFFD : cell.glyph_code))), false);
    surface.SetFontName(font);
    surface.Print(cell.minutes, false);
  };

  for (int row = 0; row < kRowCount; ++row) {
    const auto body = static_cast<std::size_t>(RowBodies[static_cast<std::size_t>(row)]);
    const bool helio_cells = row < kRowCount - 1;
    surface.SetColour(RowColours[static_cast<std::size_t>(row)]);
    surface.SetX(0);
    surface.Print(RowNames.value(row), false);
    surface.SetX(a);
    print_sign_cell(Results.GeoLon[body]);
    surface.SetX(b);
    surface.Print(DecimalCell(Results.GeoLon[body], Locale), !helio_cells);
    if (!helio_cells) break;
    surface.SetX(c);
    print_sign_cell(Results.HelioLon[body]);
    surface.SetX(d);
    surface.Print(DecimalCell(Results.HelioLon[body], Locale), true);
  }
}

}  // namespace orbelle::host
