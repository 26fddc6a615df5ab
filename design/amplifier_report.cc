#include "design/amplifier_report.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "design/network.h"

namespace merid {
namespace {

bool with_cmin(const AmplifierOptions& o) { return o.cmin.has_value(); }
bool with_fixed_coil(const AmplifierOptions& o) { return o.fixed_coil; }
bool with_rin_from(const AmplifierOptions& o) { return o.rin_from.has_value(); }

using R = AmplifierReport;
using O = AmplifierOptions;

constexpr auto kFields = std::to_array<AmplifierField>({
    {"cmin", "with --cmin: the smallest C1 the amplifier side allows, pF",
     with_cmin, [](const R&, const O& o) -> FieldCell { return *o.cmin; }},
    {"c1_margin", "with --cmin: C1 - CMIN, pF (below 0: C1 cannot be built)",
     with_cmin,
     [](const R& r, const O&) -> FieldCell {
       if (!r.c1_margin) return std::monostate{};
       return *r.c1_margin;
     }},
    {"qn_for_cmin",
     "with --cmin: the lowest accepted loaded Q (steps of 0.001) "
     "giving C1 >= CMIN; null when none",
     with_cmin,
     [](const R& r, const O&) -> FieldCell {
       if (!r.qn_for_cmin) return std::monostate{};
       return *r.qn_for_cmin;
     }},
    {"l_fixed", "with --fixed-coil: the band's coil, uH", with_fixed_coil,
     [](const R& r, const O&) -> FieldCell {
       if (r.coil == CoilFit::kNone) return std::monostate{};
       return r.l_fixed;
     }},
    {"coil_fit",
     "with --fixed-coil: tap (the band's top row, which fixes the "
     "coil), matched, or qn_above_range or qn_below_range "
     "(no accepted loaded Q matches: only a higher, or a "
     "lower one would); none without a coil",
     with_fixed_coil,
     [](const R& r, const O&) -> FieldCell { return coil_fit_name(r.coil); }},
    {"rin_from", "with --rin-from: tube or transistor", with_rin_from,
     [](const R&, const O& o) -> FieldCell {
       return o.rin_from->device == RinEstimate::Device::kTube
                  ? std::string_view("tube")
                  : std::string_view("transistor");
     }},
    {"rin_k", "with --rin-from tube: k of RIN = EA / (k IA)", with_rin_from,
     [](const R&, const O& o) -> FieldCell {
       if (o.rin_from->device != RinEstimate::Device::kTube) {
         return std::monostate{};
       }
       return tube_class_factor(o.rin_from->tube_class);
     }},
    {"rin_estimate",
     "with --rin-from: the estimate in double precision, ohm; rin "
     "is it rounded to single precision",
     with_rin_from,
     [](const R&, const O& o) -> FieldCell { return o.rin_from->resistance; }},
});

using W = WarningCode;
constexpr auto kWarnings = std::to_array<WarningDescription>({
    {W::kC1Negative, "c1_negative",
     "C1 < 0: a shunt inductor is needed there (its uH)"},
    {W::kKuNegative, "ku_negative",
     "KU < 0 dB: the second harmonic passes better than F"},
    {W::kKiNegative, "ki_negative",
     "KI < 0 dB: the same under the current drive"},
    {W::kBandUAtBottom, "bw_u_at_window_bottom",
     "the voltage response's -1 dB band is cut by the bottom"},
    {W::kBandUAtTop, "bw_u_at_window_top",
     "... by the top of the sweep window"},
    {W::kBandIAtBottom, "bw_i_at_window_bottom",
     "the same for the current response"},
    {W::kBandIAtTop, "bw_i_at_window_top", "... and the top"},
    {W::kS11OneCrossing, "bw_s11_one_crossing",
     "bw_s11 is the frequency of one crossing, not a width"},
    {W::kS11NoWidth, "bw_s11_no_width",
     "bw_s11 = 0: no crossing of 0.1, or more than three (pi-L: "
     "fewer than two points within 0.1 around F)"},
    {W::kS11AtF, "s11_above_limit",
     "S11 at F above 0.01: the network misses RIN"},
    {W::kC1BelowCmin, "c1_below_cmin", "C1 below --cmin (by how many pF)"},
    {W::kLowEfficiency, "low_efficiency",
     "the tank's efficiency below 80 % (the watts the coils lose)"},
    {W::kCapacitorTooLarge, "capacitor_too_large",
     "a capacitor above 10000 pF (which, and its value)"},
    {W::kCoilTooSmall, "coil_too_small", "a coil below 0.1 uH"},
    {W::kCurrentTooLarge, "current_too_large",
     "an RMS current in a part above 30 A"},
    {W::kRmidLow, "rmid_low",
     "pi-L: RMID at or below both RIN and ROUT: the sections transform past "
     "and back, and KU can fall below the pi network's"},
    {W::kRmidHigh, "rmid_high", "pi-L: RMID at or above both"},
    {W::kRinEqualsRout, "rin_equals_rout",
     "pi-L: RIN = ROUT, nothing for the L section to transform"},
    {W::kRinEstimateLow, "rin_estimate_low",
     "the --rin-from estimate below 1 ohm"},
    {W::kRinEstimateHigh, "rin_estimate_high",
     "the --rin-from estimate above 20000 ohm"},
    {W::kRinEstimatePower, "rin_estimate_power",
     "the --rin-from estimate's power (P, or for a tube (0.9 EA)^2 / (2 "
     "RIN)) more than 10 % from PIN"},
    {W::kHarmonicAboveCoilSrf, "harmonic_above_coil_srf",
     "with --coil-c: a harmonic up to 5F at or above the coils' "
     "self-resonance (MHz, and which harmonic): the coil is a capacitor "
     "there, and the level only as good as the strays given"},
    {W::kHarmonicAboveLimit, "harmonic_above_limit",
     "with --limit or --limit-dbc: a harmonic at the load above the limit "
     "(its level and the limit, dBc, and which harmonic), one warning each"},
});

// What real parts allow, one limit for each kind of figure.
struct PartLimit {
  PartFigure::Kind kind;
  WarningCode code;
  double limit;
  bool above;  // a figure above the limit warns, else one below it
};
constexpr PartLimit kPartLimits[] = {
    {PartFigure::Kind::kCapacitance, W::kCapacitorTooLarge, 10000.0, true},
    {PartFigure::Kind::kInductance, W::kCoilTooSmall, 0.1, false},
    {PartFigure::Kind::kCurrent, W::kCurrentTooLarge, 30.0, true},
};

// Where an estimated RIN stops being an amplifier's, ohm, and how far its
// power may lie from PIN.
constexpr double kMinRinEstimate = 1.0;
constexpr double kMaxRinEstimate = 20000.0;
constexpr double kEstimatePowerTolerance = 0.1;

// The parts of `d` beyond what real parts allow, in code order.
void add_part_warnings(const DesignModel& d, std::vector<DesignWarning>& out) {
  for (const PartLimit& limit : kPartLimits) {
    for (const PartFigure& part : d.network().parts) {
      if (part.kind != limit.kind) continue;
      const double value = d.number(*find_field(d.network(), part.key));
      const bool beyond =
          limit.above ? value > limit.limit : value < limit.limit;
      if (beyond) out.push_back({limit.code, value, limit.limit, part.name});
    }
  }
}

// The efficiency of `d` (any network has eta and ploss) below the limit.
void add_efficiency_warning(const DesignModel& d,
                            std::vector<DesignWarning>& out) {
  const double eta = d.number(*find_field(d.network(), "eta"));
  const double ploss = d.number(*find_field(d.network(), "ploss"));
  if (eta < kMinEfficiency) {
    out.push_back({W::kLowEfficiency, eta, ploss});
  }
}

// The first harmonic at or above the coils' self-resonance, where the
// coil is a capacitor and the harmonic analysis only as good as the
// strays given.
void add_resonance_warning(const Emissions& e,
                           std::vector<DesignWarning>& out) {
  if (!e.coil_srf_mhz) return;
  for (const HarmonicEmission& h : e.harmonics) {
    if (h.f_mhz >= *e.coil_srf_mhz) {
      out.push_back({W::kHarmonicAboveCoilSrf, *e.coil_srf_mhz,
                     static_cast<double>(h.n)});
      return;
    }
  }
}

// Each harmonic above the limit asked for: the rule is not met, however
// the rest of the design looks.
void add_limit_warnings(const Emissions& e, std::vector<DesignWarning>& out) {
  static constexpr std::string_view kNames[] = {"", "", "2F", "3F", "4F", "5F"};
  for (const HarmonicEmission& h : e.harmonics) {
    if (h.pass && !*h.pass && h.limit_dbc && h.n >= 2 && h.n <= 5) {
      out.push_back({W::kHarmonicAboveLimit, h.dbc, *h.limit_dbc,
                     kNames[static_cast<std::size_t>(h.n)]});
    }
  }
}

// The estimate of --rin-from beyond what amplifiers have, or for a power
// other than PIN.
void add_estimate_warnings(const RinEstimate& e, float pin,
                           std::vector<DesignWarning>& out) {
  if (e.resistance < kMinRinEstimate) {
    out.push_back({W::kRinEstimateLow, e.resistance, kMinRinEstimate});
  } else if (e.resistance > kMaxRinEstimate) {
    out.push_back({W::kRinEstimateHigh, e.resistance, kMaxRinEstimate});
  }
  const double power = e.device == RinEstimate::Device::kTube
                           ? tube_output_power(e.ratings[0], e.resistance)
                           : e.ratings[2];
  if (std::fabs(power - pin) > kEstimatePowerTolerance * pin) {
    out.push_back({W::kRinEstimatePower, power, pin});
  }
}

consteval bool in_code_order() {
  for (std::size_t i = 0; i < kWarnings.size(); ++i) {
    if (static_cast<std::size_t>(kWarnings[i].code) != i) return false;
  }
  return kWarnings.size() ==
         static_cast<std::size_t>(W::kHarmonicAboveLimit) + 1;
}
static_assert(in_code_order());

// The tuned capacitors of the feasible `d` against the bench's ranges.
PartsFit parts_fit(const DesignModel& d, const CapacitorRanges& bench) {
  const std::array<const std::optional<CapacitorRange>*, kTunedCapacitors>
      ranges = {&bench.c1, &bench.c2};
  PartsFit fit;
  for (std::size_t i = 0; i < kTunedCapacitors; ++i) {
    if (!*ranges[i]) continue;
    const Field* field =
        find_field(d.network(), d.network().tuned_capacitors[i]);
    fit.capacitors[i] = capacitor_fit(d.number(*field), **ranges[i]);
  }
  return fit;
}

}  // namespace

CapacitorFit capacitor_fit(double value, const CapacitorRange& range) {
  CapacitorFit f;
  if (std::isnan(value)) return CapacitorFit{false, NAN};
  if (value < range.low) {
    f.miss = range.low - value;
  } else if (value > range.high) {
    f.miss = value - range.high;
  }
  f.fits = f.miss == 0.0;
  return f;
}

AmplifierReport amplifier_report(const DesignModel& d,
                                 const AmplifierOptions& options) {
  AmplifierReport report;
  if (options.cmin) report.qn_for_cmin = d.loaded_q_for_cmin(*options.cmin);
  if (!d.feasible()) return report;
  const WarningFigures figures = d.warning_figures();
  std::optional<double> cmin;
  if (options.cmin) {
    cmin = *options.cmin;
    report.c1_margin = static_cast<double>(figures.c1) - *cmin;
  }
  if (options.capacitors.any()) {
    report.parts = parts_fit(d, options.capacitors);
  }
  report.warnings = design_warnings(figures, cmin);
  add_efficiency_warning(d, report.warnings);
  add_part_warnings(d, report.warnings);
  for (const DesignWarning& w : d.network_warnings()) {
    report.warnings.push_back(w);
  }
  if (options.rin_from) {
    add_estimate_warnings(*options.rin_from, d.inputs().pin, report.warnings);
  }
  if (options.emissions) {
    report.emissions = emissions(d, options);
    add_resonance_warning(*report.emissions, report.warnings);
    add_limit_warnings(*report.emissions, report.warnings);
  }
  return report;
}

std::span<const AmplifierField> amplifier_fields() { return kFields; }

std::string_view coil_fit_name(CoilFit fit) {
  switch (fit) {
    case CoilFit::kNone:
      return "none";
    case CoilFit::kTap:
      return "tap";
    case CoilFit::kMatched:
      return "matched";
    case CoilFit::kQnAboveRange:
      return "qn_above_range";
    case CoilFit::kQnBelowRange:
      break;
  }
  return "qn_below_range";
}

std::span<const WarningDescription> warning_descriptions() { return kWarnings; }

std::string_view warning_code(WarningCode code) {
  return kWarnings[static_cast<std::size_t>(code)].name;
}

}  // namespace merid
