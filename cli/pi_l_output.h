#ifndef MERID_CLI_PI_L_OUTPUT_H_
#define MERID_CLI_PI_L_OUTPUT_H_

// merid-calc's outputs of the pi-L network: its fields for JSON and CSV,
// and the text in the results screen's two-column form (UTF-8, CR LF).

#include <span>
#include <string>
#include <string_view>

#include "base/byte_io.h"
#include "calc/pi_l.h"

namespace merid {

// The value of "network" in JSON and CSV.
inline constexpr std::string_view kPiLNetworkName = "pi-l";

struct PiLField {
  std::string_view name;     // JSON key and CSV column
  std::string_view meaning;  // with the unit, for --help
  float (*get)(const PiLDesign&);
  bool input = false;  // known without a calculation
};

// Every field, in output order, after "network".
std::span<const PiLField> pi_l_fields();

// The input block: the heading, then F (with `with_frequency`), QN, Q0,
// RIN, ROUT, PIN and RMID in the screen's form.
void write_pi_l_inputs(ByteSink& out, const PiLDesign& d, bool with_frequency);

// The inputs with RMID, the elements, RMS values, reactive powers, the
// efficiency, S11 and S22, the peak values and KU and KI at 2F to 5F.  `d`
// is feasible.
void write_pi_l_text(ByteSink& out, const PiLDesign& d);

// Under the dialogue's message for an infeasible design: the pi section's
// transformation, RIN to RMID, that the loaded Q cannot make.
void write_pi_l_infeasible_note(ByteSink& out, const PiLDesign& d);

}  // namespace merid

#endif  // MERID_CLI_PI_L_OUTPUT_H_
