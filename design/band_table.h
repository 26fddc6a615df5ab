#ifndef MERID_DESIGN_BAND_TABLE_H_
#define MERID_DESIGN_BAND_TABLE_H_

// The amateur bands from 160 m to 2 m, and a design of any network at the
// lower edge, the centre and the upper edge of each, with what the
// amplifier options add to each row.

#include <array>
#include <string_view>
#include <vector>

#include "base/amplifier_options.h"
#include "design/amplifier_report.h"
#include "design/load_swr.h"
#include "design/network.h"
#include "text/catalogue.h"

namespace merid {

// Frequencies in MHz, each the float that the same decimal typed at the
// dialogue gives.
struct AmateurBand {
  std::string_view name;   // "160m", for the machine-readable outputs
  LocalText label;         // for the text table and the page
  std::array<float, 3> f;  // lower edge, centre, upper edge
};

std::span<const AmateurBand> amateur_bands();

enum class BandEdge { kLow, kCentre, kHigh };

// "low", "centre", "high".
std::string_view edge_name(BandEdge edge);

// One row of the table: a fresh calculation at one frequency and its
// report.  An infeasible row carries only its inputs.
struct BandRow {
  const AmateurBand* band;
  BandEdge edge;
  TankDesign design;
  AmplifierReport report;
  // With an SWR asked for, the figures of a feasible row under it.
  std::optional<LoadSwr> swr;
};

// The design of `inputs` (its frequency ignored) at the three frequencies
// of every band, in ascending order, under `options`: with a fixed coil,
// each band's lower edge and centre keep the coils of its upper edge, and
// a row the coils cannot match is infeasible with coil kQnAboveRange or
// kQnBelowRange.
// With `swr` each feasible row has its figures under that mismatched load
// too.  The bands are calculated on the machine's cores, each row the same
// as on one.
std::vector<BandRow> band_table(const DesignModel& inputs,
                                const AmplifierOptions& options,
                                const std::optional<SwrRequest>& swr = {});

// Whether any row has no network to show.
bool has_infeasible_row(const std::vector<BandRow>& rows);

}  // namespace merid

#endif  // MERID_DESIGN_BAND_TABLE_H_
