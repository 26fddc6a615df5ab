#ifndef MERID_CLI_ANALYSIS_OUTPUT_H_
#define MERID_CLI_ANALYSIS_OUTPUT_H_

// What merid-calc adds to the results screen: the harmonics 3F to 5F and
// the stresses under a mismatched load, as text blocks and as JSON and CSV.

#include <span>
#include <string>
#include <string_view>

#include "base/byte_io.h"
#include "calc/mismatch.h"
#include "calc/synthesis.h"

namespace merid {

// One value of the stresses of one drive: its key in JSON, the last part
// of its CSV column, and its meaning for --help.
struct SwrField {
  std::string_view name;
  std::string_view meaning;
  float (*get)(const MismatchStresses&);
};

// Every value of one drive in output order: RMS and peak voltages and
// currents, the powers, the input impedance's and |S11|'s limits.
std::span<const SwrField> swr_fields();

// The two drives' names: JSON keys and CSV column prefixes.
inline constexpr std::string_view kMatchedDrive = "matched";
inline constexpr std::string_view kHighImpedanceDrive = "high_impedance";

// The text blocks under the peaks, lines ending in CR LF like the screen's.
void write_harmonics_text(ByteSink& out, const Design& d);
void write_swr_text(ByteSink& out, const SwrStresses& s);

// "load_swr": {"swr": S, "matched": {...}, "high_impedance": {...}}, a
// member on each line after `indent`, or all on one line for an empty
// `indent`; no line end.
std::string swr_json_member(const SwrStresses& s, std::string_view indent);

// CSV: "load_swr" and then "matched_uc1" ... "high_impedance_s11_max".
std::string swr_csv_header();
std::string swr_csv_values(const SwrStresses& s);

}  // namespace merid

#endif  // MERID_CLI_ANALYSIS_OUTPUT_H_
