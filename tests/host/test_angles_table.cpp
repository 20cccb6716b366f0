// The angles table: cell texts, layout, colours and the handling of unreadable requests.
#include <gtest/gtest.h>

#include <vector>

#include "ephemeris/engine_error.h"
#include "host/core/angles_table.h"
#include "host/core/text_surface.h"

namespace orbelle::host {
namespace {

std::string Shown(float longitude) {
  const SignCellText cell = SignCell(longitude);
  return cell.degrees + std::to_string(cell.glyph_code) + "|" + cell.minutes;
}

// Expected cells worked out by hand from the longitude: degrees within the sign, the sign's
// glyph code (94 Aries), minutes rounded to the nearest whole minute.
TEST(SignCell, DegreesGlyphAndMinutesCarried) {
  EXPECT_EQ(Shown(0.0f), "094|00 ");
  EXPECT_EQ(Shown(75.5f), "1596|30 ");     // 15 Gemini 30
  EXPECT_EQ(Shown(29.9999f), "095|00 ");   // 29 Aries 59.994' carries into 0 Taurus
  EXPECT_EQ(Shown(59.9999f), "096|00 ");   // into 0 Gemini
  EXPECT_EQ(Shown(304.9999f), "5104|00 "); // 4 Aquarius 59.99' is 5 Aquarius 00
  EXPECT_EQ(Shown(359.9999f), "094|00 ");  // a full turn carries to 0 Aries
  EXPECT_EQ(Shown(29.99f), "2994|59 ");    // 29 Aries 59.4': no carry
  EXPECT_EQ(Shown(360.0f), "0106|00 ");    // exactly 360: one past Pisces
  EXPECT_EQ(Shown(-1.0f), "2993|00 ");     // the DATE ERROR position
  EXPECT_EQ(Shown(359.75f), "29105|45 ");  // 29 Pisces 45
  EXPECT_THROW(SignCell(std::nanf("")), ephemeris::CalculationError);
  EXPECT_EQ(SignCell(75.5f).Shown(), "15\u264A30 ");
  EXPECT_EQ(SignCell(-1e6f).Shown(), "20\uFFFD00 ");  // -1e6 = -33334 * 30 + 20: no sign glyph
}

TEST(DecimalCell, TwoDecimalsRegionalSeparator) {
  const RegionalConventions c;
  RegionalConventions de;
  de.decimal_separator = ",";
  EXPECT_EQ(DecimalCell(0.0f, c), "0.00   ");
  EXPECT_EQ(DecimalCell(75.5f, c), "75.50   ");
  EXPECT_EQ(DecimalCell(360.0f, c), "360.00   ");
  EXPECT_EQ(DecimalCell(-1.0f, c), "-1.00   ");
  EXPECT_EQ(DecimalCell(0.125f, c), "0.13   ");  // an exact half rounds away from zero
  EXPECT_EQ(DecimalCell(359.996f, c), "0.00   ");   // reads like its sign cell, 0 Aries 00
  EXPECT_EQ(DecimalCell(359.9999f, de), "0,00   ");
  EXPECT_EQ(DecimalCell(360.0f, de), "360,00   ");
  EXPECT_EQ(DecimalCell(359.994f, de), "359,99   ");
  EXPECT_EQ(DecimalCell(123.456f, de), "123,46   ");
  RegionalConventions arabic;
  arabic.decimal_separator = "\u066B";
  EXPECT_EQ(DecimalCell(123.456f, arabic), "123\u066B46   ");
  // Beyond 1e15 the exact decimal value of the single (1e20f is 100000002004087734272).
  EXPECT_EQ(DecimalCell(-1e20f, de), "-100000002004087734272,00   ");
}

// A worked example against the reference ephemeris: 2000 January 1, 12:00 TT (11:58:56 UT),
// apparent geocentric longitudes from Swiss Ephemeris with its JPL files (swetest -p0 and
// -p1): the Sun 280.3681636, the Moon 223.3148465 degrees. The table rounds them to minutes
// (10 Capricorn 22.09', 13 Scorpio 18.89') and to hundredths.
TEST(PrintAngles, WorkedExampleAgainstTheReference) {
  AnglesTable table;
  TextSurface surface;
  table.PrintAngles("2000-01-01 12:00", surface);
  const std::vector<std::string> lines = surface.Lines();
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_TRUE(lines[3].starts_with("SUN/EARTH   10\u2651" "22 280.37   ")) << lines[3];
  EXPECT_TRUE(lines[4].starts_with("MOON        13\u264F" "19 223.31   ")) << lines[4];
}

// Records every drawing operation, to check what the table does on the surface.
class RecordingSurface : public TextSurface {
 public:
  std::vector<std::string> ops;
  void Clear() override { ops.push_back("clear"); TextSurface::Clear(); }
  void SetColour(int i) override { ops.push_back("colour " + std::to_string(i)); TextSurface::SetColour(i); }
  void SetFontName(const std::string& n) override { ops.push_back("font " + n); TextSurface::SetFontName(n); }
  void Print(const std::string& t, bool end) override { ops.push_back("print " + t); TextSurface::Print(t, end); }
};

TEST(PrintAngles, LayoutOfTheTable) {
  AnglesTable table;
  // The layout does not depend on the positions: whatever the engine gives, the cells start
  // at the four column positions of the text surface.
  TextSurface surface;
  table.PrintAngles("12/25/2026 10:30", surface);
  const std::vector<std::string> lines = surface.Lines();
  ASSERT_EQ(lines.size(), 14);
  EXPECT_EQ(lines[0], "12/25/2026 10:30");
  EXPECT_EQ(lines[1], "");
  // Columns: A = 12 ("NORTH TRUE N"), B = A + 7, C = B + 13, D = C + 7.
  EXPECT_EQ(lines[2], "PLANET      GEOCENTRIC          HELIOCENTRIC");
  EXPECT_EQ(lines[2].find("GEOCENTRIC"), 12u);
  EXPECT_EQ(lines[2].find("HELIOCENTRIC"), 32u);
  const char* labels[] = {"SUN/EARTH", "MOON", "MERCURY", "VENUS", "MARS", "JUPITER",
                          "SATURN", "URANUS", "NEPTUNE", "PLUTO", "NORTH T.N."};
  for (int row = 0; row < kRowCount; ++row) EXPECT_TRUE(lines[3 + row].starts_with(labels[row])) << lines[3 + row];
  EXPECT_EQ(table.Rows().jd, 2461399.9375);

  // Colours: the first lines black, each row in its own, the last row's left in force.
  const auto& pieces = surface.Pieces();
  EXPECT_EQ(pieces[0][0].colour, 0);
  EXPECT_EQ(pieces[2][0].colour, 0);
  for (int row = 0; row < kRowCount; ++row) EXPECT_EQ(pieces[3 + row][0].colour, kRowColours[row]) << row;
  EXPECT_EQ(surface.Colour(), 4);
  // The true node has geocentric cells only: label, degrees, glyph, minutes, decimal.
  EXPECT_EQ(pieces[13].size(), 5u);
  EXPECT_EQ(pieces[12].size(), 9u);
  EXPECT_EQ(pieces[3][1].column, 12);
  EXPECT_EQ(pieces[3][4].column, 19);
  EXPECT_EQ(pieces[3][5].column, 32);
  EXPECT_EQ(pieces[3][8].column, 39);
}

TEST(PrintAngles, GlyphFontSwitchedAndRestored) {
  AnglesTable table;
  RecordingSurface surface;
  surface.SetFontName("Sans");
  surface.ops.clear();
  table.PrintAngles("2026-12-25 10:30", surface);
  int switches = 0;
  for (std::size_t k = 0; k < surface.ops.size(); ++k) {
    if (surface.ops[k] == "font WingDings") {
      ++switches;
      EXPECT_TRUE(surface.ops[k + 1].starts_with("print ")) << surface.ops[k + 1];
      EXPECT_EQ(surface.ops[k + 2], "font Sans");
    }
  }
  EXPECT_EQ(switches, 21);  // ten rows with two sign cells, the node with one
  EXPECT_EQ(surface.FontName(), "Sans");
  EXPECT_EQ(surface.ops.front(), "clear");
}

TEST(PrintAngles, UnreadableRequestLeavesThePreviousTable) {
  AnglesTable table;
  RecordingSurface surface;
  table.PrintAngles("2026-12-25 10:30", surface);
  const std::vector<std::string> before = surface.Lines();
  const double jd = table.Rows().jd;
  surface.ops.clear();
  EXPECT_THROW(table.PrintAngles("not a date", surface), RequestError);
  EXPECT_TRUE(surface.ops.empty());
  EXPECT_EQ(surface.Lines(), before);
  EXPECT_EQ(table.Rows().jd, jd);
}

}  // namespace
}  // namespace orbelle::host
