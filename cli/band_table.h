#ifndef MERID_CLI_BAND_TABLE_H_
#define MERID_CLI_BAND_TABLE_H_

// The amateur bands from 160 m to 2 m, and one design at the lower edge,
// the centre and the upper edge of each.

#include <array>
#include <string_view>
#include <vector>

#include "calc/synthesis.h"

namespace merid {

// Frequencies in MHz, each the float that the same decimal typed at the
// dialogue gives.
struct AmateurBand {
  std::string_view name;   // "160m", for the machine-readable outputs
  std::string_view label;  // "160 м", for the text table
  std::array<float, 3> f;  // lower edge, centre, upper edge
};

enum class BandEdge { kLow, kCentre, kHigh };

// "low", "centre", "high".
std::string_view edge_name(BandEdge edge);

inline constexpr std::array<AmateurBand, 11> kAmateurBands = {{
    {"160m", "160 м", {1.8f, 1.9f, 2.0f}},
    {"80m", "80 м", {3.5f, 3.65f, 3.8f}},
    {"40m", "40 м", {7.0f, 7.1f, 7.2f}},
    {"30m", "30 м", {10.1f, 10.125f, 10.15f}},
    {"20m", "20 м", {14.0f, 14.175f, 14.35f}},
    {"17m", "17 м", {18.068f, 18.118f, 18.168f}},
    {"15m", "15 м", {21.0f, 21.225f, 21.45f}},
    {"12m", "12 м", {24.89f, 24.94f, 24.99f}},
    {"10m", "10 м", {28.0f, 28.85f, 29.7f}},
    {"6m", "6 м", {50.0f, 52.0f, 54.0f}},
    {"2m", "2 м", {144.0f, 146.0f, 148.0f}},
}};

// One row of the table: a fresh calculation at one frequency.
struct BandRow {
  const AmateurBand* band;
  BandEdge edge;
  Design design;  // infeasible rows carry only their inputs
};

// The design `inputs` (its qn, q0, rin, rout and pin; f is ignored) at the
// three frequencies of every band, in ascending order.
std::vector<BandRow> band_table(const Design& inputs);

}  // namespace merid

#endif  // MERID_CLI_BAND_TABLE_H_
