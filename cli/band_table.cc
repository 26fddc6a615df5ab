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

std::vector<BandRow> band_table(const Design& inputs) {
  return band_table([&inputs](float f_mhz) {
    return calculate(make_design(f_mhz, inputs.qn, inputs.q0, inputs.rin,
                                 inputs.rout, inputs.pin));
  });
}

}  // namespace merid
