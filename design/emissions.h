#ifndef MERID_DESIGN_EMISSIONS_H_
#define MERID_DESIGN_EMISSIONS_H_

// The harmonics a design of any network puts into the load, in dB below
// the carrier: the tank driven by the cosine pulses of the device's
// current at each harmonic, with the strays of real parts, against a rule
// or a limit of one's own, and the loaded Q (pi) or RMID (pi-L) that meets
// the limit with a margin.

#include <array>
#include <optional>
#include <string_view>

#include "base/amplifier_options.h"
#include "calc/harmonics.h"

namespace merid {

class DesignModel;

// One harmonic at the load.
struct HarmonicEmission {
  int n = 0;
  double f_mhz = 0.0;
  // Relative to the carrier in the load, dB; minus infinity where the
  // pulses have no such harmonic (the odd ones at 180 degrees).
  double dbc = 0.0;
  double watts = 0.0;  // at the carrier power the tank gives from PIN
  double dbm = 0.0;
  // With a limit: its level (dBc), the margin to it (positive: below
  // it) and whether the harmonic meets it.
  std::optional<double> limit_dbc;
  std::optional<double> margin;
  std::optional<bool> pass;
};

// What the search for the limit found: the key of the parameter it varies
// ("qn_for_limit" or "rmid_for_limit"), the value that meets the limit
// with the margin asked for, or the shortfall of the best value, dB.
struct LimitSearch {
  std::string_view key;
  std::optional<double> value;
  std::optional<double> shortfall;
};

struct Emissions {
  double conduction = 0.0;  // degrees
  // The rule's name, "dbc" for a limit of one's own, empty without.
  std::string_view rule;
  std::array<HarmonicEmission, kHarmonicCount> harmonics;
  double carrier_watts = 0.0;
  // With a coil self-capacitance: the lowest coil self-resonance, MHz.
  std::optional<double> coil_srf_mhz;
  // With a limit: the least margin over the harmonics, and the search.
  std::optional<double> worst_margin;
  std::optional<LimitSearch> search;
};

// The conduction angle that `options` stand for: --conduction, else that
// of --rin-from's class, else class AB's.
double conduction_of(const AmplifierOptions& options);

// The emissions of the feasible design `d` as `options.emissions` asks.
Emissions emissions(const DesignModel& d, const AmplifierOptions& options);

}  // namespace merid

#endif  // MERID_DESIGN_EMISSIONS_H_
