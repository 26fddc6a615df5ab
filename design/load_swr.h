#ifndef MERID_DESIGN_LOAD_SWR_H_
#define MERID_DESIGN_LOAD_SWR_H_

// The fields of the stresses under a mismatched load (--swr), one table
// for every drive: each value's key, meaning and place in the text block.

#include <span>
#include <string_view>

#include "calc/mismatch.h"

namespace merid {

struct SwrField {
  std::string_view name;     // JSON key, the last part of the CSV column
  std::string_view meaning;  // for --help
  float (*get)(const MismatchStresses&);
  // The row of the text block, left or right, and the label.
  int row;
  int column;
  std::string_view label;
};

// Every value of one drive in output order: RMS and peak voltages and
// currents, the powers, the input impedance's and |S11|'s limits.
std::span<const SwrField> swr_fields();

// One drive of the stresses: its name (JSON key, CSV column prefix), the
// end of its text block's heading and its figures.
struct SwrDrive {
  std::string_view name;
  std::string_view heading_end;
  const MismatchStresses& stresses;
};

// The drives of `s` in output order: matched, then high-impedance.
std::array<SwrDrive, 2> swr_drives(const SwrStresses& s);

// Their names alone, for the CSV header.
inline constexpr std::array<std::string_view, 2> kSwrDriveNames = {
    "matched", "high_impedance"};

}  // namespace merid

#endif  // MERID_DESIGN_LOAD_SWR_H_
