// The angles table: cell texts, layout, colours and the handling of unreadable requests.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ephemeris/engine_error.h"
#include "host/core/angles_table.h"
#include "host/core/text_surface.h"

namespace orbelle::host {
namespace {

// Expected cells worked out by hand from the longitude: degrees within the sign, the sign's
// glyph code (94 Aries), minutes rounded to the nearest whole minute that carry into the
// degrees and the sign; the decimal cell reads like its sign cell.
TEST(AngleCells, SignAndDecimalCellsCarryAlike) {
  RegionalConventions de;
  de.decimal_separator = ",";
  const struct { float longitude; const char *sign, *decimal; } cases[] = {
      {0.0f, "094|00 ", "0,00   "},
      {75.5f, "1596|30 ", "75,50   "},       // 15 Gemini 30
      {29.9999f, "095|00 ", "30,00   "},     // 29 Aries 59.994' carries into 0 Taurus
      {304.9999f, "5104|00 ", "305,00   "},  // 4 Aquarius 59.99' is 5 Aquarius 00
      {359.9999f, "094|00 ", "0,00   "},     // a full turn carries to 0 Aries
      {359.996f, "094|00 ", "0,00   "},
      {29.99f, "2994|59 ", "29,99   "},      // 29 Aries 59.4': no carry
      {10.0416667f, "1094|02 ", "10,04   "},  // 2.50002': half a minute rounds down
      {0.1f, "094|06 ", "0,10   "},           // ten hundredths: one leading zero
      {360.0f, "0106|00 ", "360,00   "},    // exactly 360: one past Pisces
      {-1.0f, "2993|00 ", "-1,00   "},      // the DATE ERROR position
  };
  for (const auto& c : cases) {
    const SignCellText cell = SignCell(c.longitude);
    EXPECT_EQ(cell.degrees + std::to_string(cell.glyph_code) + "|" + cell.minutes, c.sign) << c.longitude;
    EXPECT_EQ(DecimalCell(c.longitude, de), c.decimal) << c.longitude;
  }
  EXPECT_THROW(SignCell(std::nanf("")), ephemeris::CalculationError);
  EXPECT_EQ(SignCell(75.5f).Shown(), "15\u264A30 ");
  EXPECT_EQ(SignCell(-1e6f).Shown(), "20\uFFFD00 ");  // -1e6 = -33334 * 30 + 20: no sign glyph
  EXPECT_EQ(DecimalCell(123.456f, RegionalConventions{}), "123.46   ");
  EXPECT_EQ(DecimalCell(0.125f, de), "0,13   ");  // an exact half rounds away from zero
  EXPECT_EQ(DecimalCell(359.994f, de), "359,99   ");
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

// Layout, colours and fonts do not depend on the positions; an unreadable request afterwards
// draws nothing and leaves the table as it was.
TEST(PrintAngles, LayoutColoursFontsAndAnUnreadableRequest) {
  AnglesTable table;
  RecordingSurface surface;
  surface.SetFontName("Sans");
  surface.ops.clear();
  table.PrintAngles("12/25/2026 10:30", surface);
  const std::vector<std::string> lines = surface.Lines();
  ASSERT_EQ(lines.size(), 14);
  EXPECT_EQ(lines[0], "12/25/2026 10:30");
  EXPECT_EQ(lines[1], "");
  // Columns: A = 12 ("NORTH TRUE N"), B = A + 7, C = B + 13, D = C + 7.
  EXPECT_EQ(lines[2], "PLANET      GEOCENTRIC          HELIOCENTRIC");
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
  EXPECT_EQ(pieces[12][5].column, 32);

  // Each glyph in the sign font, the caller's font back after it.
  int switches = 0;
  for (std::size_t k = 0; k < surface.ops.size(); ++k) {
    if (surface.ops[k] == "font WingDings") {
      ++switches;
      EXPECT_TRUE(surface.ops[k + 1].starts_with("print ")) << surface.ops[k + 1];
      EXPECT_EQ(surface.ops[k + 2], "font Sans");
    }
  }
  EXPECT_EQ(switches, 21);  // ten rows with two sign cells, the node with one
  EXPECT_EQ(surface.ops.front(), "clear");

  surface.ops.clear();
  EXPECT_THROW(table.PrintAngles("not a date", surface), RequestError);
  EXPECT_TRUE(surface.ops.empty());
  EXPECT_EQ(surface.Lines(), lines);
  EXPECT_EQ(table.Rows().jd, 2461399.9375);
}

}  // namespace
}  // namespace orbelle::host
