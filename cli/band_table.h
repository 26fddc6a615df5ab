#ifndef MERID_CLI_BAND_TABLE_H_
#define MERID_CLI_BAND_TABLE_H_

// The amateur bands from 160 m to 2 m, and one design at the lower edge,
// the centre and the upper edge of each.

#include <array>
#include <string_view>
#include <vector>

#include "calc/pi_l.h"
#include "calc/synthesis.h"
#include "text/calc_texts.h"

namespace merid {

// Frequencies in MHz, each the float that the same decimal typed at the
// dialogue gives.
struct AmateurBand {
  std::string_view name;   // "160m", for the machine-readable outputs
  std::string_view label;  // for the text table, in Russian
  std::array<float, 3> f;  // lower edge, centre, upper edge
};

enum class BandEdge { kLow, kCentre, kHigh };

// "low", "centre", "high".
std::string_view edge_name(BandEdge edge);

inline constexpr std::array<AmateurBand, kBandLabels.size()> kAmateurBands = {{
    {"160m", kBandLabels[0], {1.8f, 1.9f, 2.0f}},
    {"80m", kBandLabels[1], {3.5f, 3.65f, 3.8f}},
    {"40m", kBandLabels[2], {7.0f, 7.1f, 7.2f}},
    {"30m", kBandLabels[3], {10.1f, 10.125f, 10.15f}},
    {"20m", kBandLabels[4], {14.0f, 14.175f, 14.35f}},
    {"17m", kBandLabels[5], {18.068f, 18.118f, 18.168f}},
    {"15m", kBandLabels[6], {21.0f, 21.225f, 21.45f}},
    {"12m", kBandLabels[7], {24.89f, 24.94f, 24.99f}},
    {"10m", kBandLabels[8], {28.0f, 28.85f, 29.7f}},
    {"6m", kBandLabels[9], {50.0f, 52.0f, 54.0f}},
    {"2m", kBandLabels[10], {144.0f, 146.0f, 148.0f}},
}};

// One row of the table: a fresh calculation at one frequency, of the pi
// network (Design) or the pi-L network (PiLDesign).
template <typename NetworkDesign>
struct BandRowOf {
  const AmateurBand* band;
  BandEdge edge;
  NetworkDesign design;  // infeasible rows carry only their inputs
};
using BandRow = BandRowOf<Design>;

// The frequency a row shows, MHz: as the calculation found it (the pi
// network's), or as typed (the pi-L network's).
inline float shown_mhz(const Design& d) { return d.fmhz; }
inline float shown_mhz(const PiLDesign& d) { return d.f; }

// The inputs of `inputs` at `f_mhz`, nothing calculated.
Design inputs_at(const Design& inputs, float f_mhz);
PiLDesign inputs_at(const PiLDesign& inputs, float f_mhz);

// Those inputs calculated: calculate() of the pi network, pi_l_synthesis()
// of the pi-L network.
Design calculated(const Design& inputs);
PiLDesign calculated(const PiLDesign& inputs);

// The design `inputs` (its inputs but f) at the three frequencies of every
// band, in ascending order.
template <typename NetworkDesign>
std::vector<BandRowOf<NetworkDesign>> band_table(const NetworkDesign& inputs) {
  constexpr BandEdge kEdges[] = {BandEdge::kLow, BandEdge::kCentre,
                                 BandEdge::kHigh};
  std::vector<BandRowOf<NetworkDesign>> rows;
  for (const AmateurBand& band : kAmateurBands) {
    for (const BandEdge edge : kEdges) {
      // Nothing of an earlier row may stand in a later one.
      rows.push_back({&band, edge,
                      calculated(inputs_at(
                          inputs, band.f[static_cast<std::size_t>(edge)]))});
    }
  }
  return rows;
}

}  // namespace merid

#endif  // MERID_CLI_BAND_TABLE_H_
