#include "host/core/angles_table.h"

#include <algorithm>

#include "ephemeris/julian_day.h"
#include "host/core/utf8.h"

namespace orbelle::host {

using ephemeris::Integer;

AnglesTable::AnglesTable() {
  LoadRows();
  FillRowBodies();
}

void AnglesTable::FillRowBodies() {
  RowBodies = {};
  std::copy(ephemeris::kTableRows.begin(), ephemeris::kTableRows.end(), RowBodies.begin());
}

void AnglesTable::LoadRows() {
  for (std::size_t k = 0; k < RowNames.size(); ++k) RowNames[k] = ephemeris::BodyName(ephemeris::kTableRows[k]);
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
TableRows AnglesTable::ComputeRows(const std::string& request, double jd) {
  CallEngine(ephemeris::kTimeArguments, jd);
  for (int row = 0; row < kRowCount; ++row) CallEngine(RowBodies[static_cast<std::size_t>(row)], jd);
  return RowsOfResults(request, jd);
}

TableRows AnglesTable::RowsOfResults(const std::string& request, double jd) const {
  return RowsOf(request, jd, Results, RowBodies, RowNames, RowColours, Region);
}

void AnglesTable::PrintAngles(const std::string& request, DrawingSurface& surface, bool retrograde_marks) {
  const RequestInstant instant = ReadRequest(request, Region);
  FillRowBodies();
  const double jd = ephemeris::JulianDay(instant.year, instant.month, instant.day, instant.Hours());
  rows_ = ComputeRows(request, jd);
  DrawTable(rows_, surface, retrograde_marks);
}

void DrawTable(const TableRows& table, DrawingSurface& surface, bool retrograde_marks) {
  const std::string font = surface.FontName();
  surface.Clear();
  const float a = surface.TextWidth("NORTH TRUE N");
  const float b = a + surface.TextWidth("0000000");
  const float c = b + surface.TextWidth("  00000000000");
  const float d = c + surface.TextWidth("0000000");

  surface.SetColour(0);
  surface.Print(table.request, true);
  surface.Print("", true);
  surface.Print("PLANET", false);
  surface.SetX(a);
  surface.Print("GEOCENTRIC", false);
  surface.SetX(c);
  surface.Print("HELIOCENTRIC", true);

  // Degrees and minutes in the table's font, the glyph in the sign font.
  auto print_cells = [&](const LongitudeCells& cells, float decimal_x, bool end_line) {
    surface.Print(cells.sign.degrees, false);
    surface.SetFontName(kSignFontName);
    surface.Print(Utf8(cells.sign.GlyphCharacter()), false);
    surface.SetFontName(font);
    surface.Print(cells.sign.minutes, false);
    surface.SetX(decimal_x);
    surface.Print(cells.decimal, end_line);
  };

  for (const TableRow& row : table.rows) {
    surface.SetColour(row.colour);
    surface.SetX(0);
    surface.Print(row.label, false);
    surface.SetX(a);
    print_cells(row.geo, b, !row.helio);
    if (!row.helio) continue;
    const bool planet = row.body >= ephemeris::kMercury && row.body <= ephemeris::kPluto;
    if (retrograde_marks && planet && row.Retrograde()) {
      surface.SetX(b + surface.TextWidth(kRetrogradeMarkOffset));
      surface.Print(kRetrogradeMark, false);
    }
    surface.SetX(c);
    print_cells(*row.helio, d, true);
  }
}

}  // namespace orbelle::host
