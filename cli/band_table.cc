#include "cli/band_table.h"

#include "base/inputs.h"

namespace merid {

std::string_view edge_name(BandEdge edge) {
  switch (edge) {
    case BandEdge::kLow:
      return "low";
    case BandEdge::kCentre:
      return "centre";
    case BandEdge::kHigh:
      break;
  }
  return "high";
}

Design inputs_at(const Design& inputs, float f_mhz) {
  return make_design(f_mhz, inputs.qn, inputs.q0, inputs.rin, inputs.rout,
                     inputs.pin);
}

PiLDesign inputs_at(const PiLDesign& inputs, float f_mhz) {
  return make_pi_l_design(f_mhz, inputs.qn, inputs.q0, inputs.rin, inputs.rout,
                          inputs.pin, inputs.rmid);
}

Design calculated(const Design& inputs) { return calculate(inputs); }

PiLDesign calculated(const PiLDesign& inputs) { return pi_l_synthesis(inputs); }

}  // namespace merid
