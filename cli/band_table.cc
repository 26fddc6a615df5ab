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
  constexpr BandEdge kEdges[] = {BandEdge::kLow, BandEdge::kCentre,
                                 BandEdge::kHigh};
  std::vector<BandRow> rows;
  for (const AmateurBand& band : kAmateurBands) {
    for (const BandEdge edge : kEdges) {
      // Nothing of an earlier row may stand in a later one.
      const Design d = calculate(
          make_design(band.f[static_cast<std::size_t>(edge)], inputs.qn,
                      inputs.q0, inputs.rin, inputs.rout, inputs.pin));
      rows.push_back(BandRow{&band, edge, d});
    }
  }
  return rows;
}

}  // namespace merid
