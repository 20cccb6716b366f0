// The angles table: one request text in, the table of zodiacal positions drawn out.
//
// AnglesTable holds what the window keeps for the life of the process: the engine with its
// working state, the Earth's vector that body 1 leaves for the later bodies, the twelve
// result arrays, the ephemeris directory, the row labels and colours, and the rows of the
// last request drawn.
#pragma once

#include <array>
#include <string>

#include "ephemeris/body_position.h"
#include "ephemeris/result_arrays.h"
#include "host/core/drawing_surface.h"
#include "host/core/request_text.h"
#include "host/core/table_rows.h"

namespace orbelle::host {

class AnglesTable {
 public:
  AnglesTable();

  // Fills the row labels and colours (the window's load step).
  void LoadRows();

  // Reads the request, computes the eleven rows and draws the table on `surface`. A text
  // holding no date throws RequestError, and an engine fault the engine's error, before
  // anything is drawn; the rows of the previous request then stay. `retrograde_marks` as for
  // DrawTable.
  void PrintAngles(const std::string& request, DrawingSurface& surface, bool retrograde_marks = false);

  // One engine call as the table makes it, for `body` at `jd` (body 0 first for a new
  // instant, then body 1 before any geocentric position).
  void CallEngine(ephemeris::Integer body, double jd);

  // The rows for `request` at `jd` from the result arrays as they stand.
  TableRows RowsOfResults(const std::string& request, double jd) const;

  // The rows of the last request drawn.
  const TableRows& Rows() const { return rows_; }

  std::string EphemerisDirectory;  // directory of the ephemeris files, with its separator
  std::array<std::string, kRowCount> RowNames;
  std::array<int, kRowCount> RowColours{};
  std::array<ephemeris::Integer, 16> RowBodies{};  // the first kRowCount hold ephemeris::kTableRows
  ephemeris::InstantState Instant;                 // the Earth's vector and the nutation, handed on within an instant
  ephemeris::ResultArrays Results;
  ephemeris::Ephemeris Engine;
  RegionalConventions Region;  // the host hands in the user's; C/POSIX until then

 private:
  void FillRowBodies();
  TableRows ComputeRows(const std::string& request, double jd);
  TableRows rows_;
};

// Draws `table` on `surface`: the request line, an empty line, the header and one row per
// body in the row's colour, at the four column positions that the surface's widths of
// "NORTH TRUE N", "0000000" and "  00000000000" give. With `retrograde_marks`, a planet
// (Mercury to Pluto) whose geocentric daily motion is negative gets "℞" in the free space
// after its geocentric decimal cell, before the heliocentric column: nothing else moves.
void DrawTable(const TableRows& table, DrawingSurface& surface, bool retrograde_marks = false);

// The retrograde mark, drawn after the width of this text from the decimal cell's start.
inline constexpr const char* kRetrogradeMark = "℞";
inline constexpr const char* kRetrogradeMarkOffset = "000.00 ";

}  // namespace orbelle::host
