#include "cli/amplifier_report.h"

#include <array>
#include <cmath>
#include <string>

#include "base/inputs.h"
#include "base/number_text.h"
#include "calc/bisection.h"

namespace merid {
namespace {

// The float just below a positive x.
float before(float x) { return std::nextafter(x, 0.0f); }

std::optional<float> cmin_loaded_q(const Design& inputs,
                                   const AmplifierOptions& options) {
  if (!options.cmin) return std::nullopt;
  return loaded_q_for_cmin(inputs, *options.cmin, accepted_loaded_q(inputs.q0));
}

CoilFit coil_fit_of(FixedCoilFit fit) {
  switch (fit) {
    case FixedCoilFit::kMatched:
      return CoilFit::kMatched;
    case FixedCoilFit::kAboveRange:
      return CoilFit::kQnAboveRange;
    case FixedCoilFit::kBelowRange:
      break;
  }
  return CoilFit::kQnBelowRange;
}

// The row at the frequency of `at` with the coils of `top`.
FixedCoilRow coil_row(const Design& top, const Design& at, LoadedQRange range) {
  return fixed_coil_row(top, at, range);
}
PiLFixedCoilRow coil_row(const PiLDesign& top, const PiLDesign& at,
                         LoadedQRange range) {
  return pi_l_fixed_coil_row(top, at.f, range);
}

// The tapped coil of a band's top design, uH.
float tapped_coil(const Design& top) { return top.results.l; }
float tapped_coil(const PiLDesign& top) { return top.results.l1; }

// What the report says of a feasible design with the warning figures `f`.
void add_figures(AmplifierReport& report, const WarningFigures& f,
                 const AmplifierOptions& options) {
  std::optional<double> cmin;
  if (options.cmin) {
    cmin = *options.cmin;
    report.c1_margin = static_cast<double>(f.c1) - *cmin;
  }
  report.warnings = design_warnings(f, cmin);
}

// The three rows of `band` with the coil of its upper edge.
template <typename NetworkDesign>
void fixed_coil_band(const AmateurBand& band, const NetworkDesign& inputs,
                     const AmplifierOptions& options,
                     std::vector<AmplifierRowOf<NetworkDesign>>& rows) {
  const NetworkDesign top = calculated(inputs_at(inputs, band.f[2]));
  const LoadedQRange range = accepted_loaded_q(inputs.q0);
  for (const BandEdge edge : {BandEdge::kLow, BandEdge::kCentre}) {
    const NetworkDesign at =
        inputs_at(inputs, band.f[static_cast<std::size_t>(edge)]);
    if (top.infeasible) {
      const NetworkDesign d = calculated(at);
      rows.push_back({{&band, edge, d}, amplifier_report(d, options)});
      continue;
    }
    const auto coil = coil_row(top, at, range);
    const NetworkDesign& d = coil.design;
    AmplifierReport report = amplifier_report(d, options);
    report.coil = coil_fit_of(coil.fit);
    report.l_fixed = coil.l_fixed;
    rows.push_back({{&band, edge, d}, std::move(report)});
  }
  AmplifierReport report = amplifier_report(top, options);
  if (!top.infeasible) {
    report.coil = CoilFit::kTap;
    report.l_fixed = tapped_coil(top);
  }
  rows.push_back({{&band, BandEdge::kHigh, top}, std::move(report)});
}

template <typename NetworkDesign>
std::vector<AmplifierRowOf<NetworkDesign>> band_rows(
    const NetworkDesign& inputs, const AmplifierOptions& options) {
  std::vector<AmplifierRowOf<NetworkDesign>> rows;
  if (!options.fixed_coil) {
    for (const BandRowOf<NetworkDesign>& row : band_table(inputs)) {
      rows.push_back({row, amplifier_report(row.design, options)});
    }
    return rows;
  }
  for (const AmateurBand& band : kAmateurBands) {
    fixed_coil_band(band, inputs, options, rows);
  }
  return rows;
}

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
     "with --cmin: the lowest accepted loaded Q (steps of 0.001)\n"
     "                giving C1 >= CMIN; null when none",
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
     "with --fixed-coil: tap (the band's top row, which fixes the\n"
     "                coil), matched, or qn_above_range or qn_below_range\n"
     "                (no accepted loaded Q matches: only a higher, or a\n"
     "                lower one would); none without a coil",
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
     "with --rin-from: the estimate in double precision, ohm; rin\n"
     "                is it rounded to single precision",
     with_rin_from,
     [](const R&, const O& o) -> FieldCell { return o.rin_from->resistance; }},
});

std::string three(double x) { return fixed(x, 3); }

struct WarningDescription {
  std::string_view code;
  std::string_view meaning;
};

// In the order of WarningCode.
constexpr std::array<WarningDescription, kWarningCodeCount> kWarnings = {{
    {"c1_negative", "C1 < 0: a shunt inductor is needed there (its uH)"},
    {"ku_negative", "KU < 0 dB: the second harmonic passes better than F"},
    {"ki_negative", "KI < 0 dB: the same under the current drive"},
    {"bw_u_at_window_bottom",
     "the voltage response's -1 dB band is cut by the bottom"},
    {"bw_u_at_window_top", "... by the top of the sweep window"},
    {"bw_i_at_window_bottom", "the same for the current response"},
    {"bw_i_at_window_top", "... and the top"},
    {"bw_s11_one_crossing",
     "bw_s11 is the frequency of one crossing, not a width"},
    {"bw_s11_no_width",
     "bw_s11 = 0: no crossing of 0.1, or more than three (pi-L:\n"
     "                         fewer than two points within 0.1 around F)"},
    {"s11_above_limit", "S11 at F above 0.01: the network misses RIN"},
    {"c1_below_cmin", "C1 below --cmin (by how many pF)"},
}};

}  // namespace

LoadedQRange accepted_loaded_q(float q0) {
  const float low = first_float_where(kMinLoadedQ, kMaxLoadedQ, [](float qn) {
    return !refused(Input::kQn, qn, NAN);
  });
  const auto q0_refused = [q0](float qn) {
    return refused(Input::kQ0, q0, qn);
  };
  float high = kMaxLoadedQ;
  if (q0_refused(high)) high = before(first_float_where(low, high, q0_refused));
  return LoadedQRange{low, high};
}

AmplifierReport amplifier_report(const Design& d,
                                 const AmplifierOptions& options) {
  AmplifierReport report;
  report.qn_for_cmin = cmin_loaded_q(inputs_at(d, d.fmhz), options);
  if (d.infeasible) return report;
  add_figures(report, warning_figures(d, window_reach(d)), options);
  return report;
}

AmplifierReport amplifier_report(const PiLDesign& d,
                                 const AmplifierOptions& options) {
  AmplifierReport report;
  report.qn_for_cmin = cmin_loaded_q(pi_section_inputs(d), options);
  if (d.infeasible) return report;
  add_figures(report, warning_figures(d), options);
  return report;
}

std::vector<AmplifierRow> amplifier_band_table(
    const Design& inputs, const AmplifierOptions& options) {
  return band_rows(inputs, options);
}

std::vector<PiLAmplifierRow> amplifier_band_table(
    const PiLDesign& inputs, const AmplifierOptions& options) {
  return band_rows(inputs, options);
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

std::string_view warning_code(WarningCode code) {
  return kWarnings[static_cast<std::size_t>(code)].code;
}

std::string_view warning_meaning(WarningCode code) {
  return kWarnings[static_cast<std::size_t>(code)].meaning;
}

std::string warning_text(const DesignWarning& w,
                         const AmplifierOptions& options) {
  switch (w.code) {
    case WarningCode::kC1Negative:
      return concat({"C1 = ", three(w.context),
                     " pF is negative: the network needs a shunt inductor of ",
                     three(w.figure), " uH there"});
    case WarningCode::kKuNegative:
      return concat({"KU = ", three(w.figure),
                     " dB is negative: under the matched drive the network "
                     "passes the second harmonic better than the "
                     "fundamental"});
    case WarningCode::kKiNegative:
      return concat({"KI = ", three(w.figure),
                     " dB is negative: under the high-impedance drive the "
                     "network passes the second harmonic better than the "
                     "fundamental"});
    case WarningCode::kBandUAtBottom:
    case WarningCode::kBandIAtBottom:
    case WarningCode::kBandUAtTop:
    case WarningCode::kBandIAtTop: {
      const bool voltage = w.code == WarningCode::kBandUAtBottom ||
                           w.code == WarningCode::kBandUAtTop;
      const bool bottom = w.code == WarningCode::kBandUAtBottom ||
                          w.code == WarningCode::kBandIAtBottom;
      return concat({"the -1 dB band of the ", voltage ? "voltage" : "current",
                     " response (", voltage ? "bw_u" : "bw_i", " = ",
                     three(w.figure), " kHz) is cut by the ",
                     bottom ? "bottom" : "top", " of the sweep window (",
                     bottom ? three(1e-3 * w.context) + " kHz"
                            : three(1e-6 * w.context) + " MHz",
                     "): it is not a band around F"});
    }
    case WarningCode::kS11OneCrossing:
      return concat({"S11 crosses 0.1 only once, at ", three(w.figure),
                     " kHz: bw_s11 is that frequency, not a width"});
    case WarningCode::kS11NoWidth:
      if (w.context > 0.0) {
        return concat(
            {"|S11| <= 0.1 at ", std::to_string(static_cast<long>(w.figure)),
             " point(s) around F of the sweep's ", three(1e-3 * w.context),
             " kHz steps: bw_s11 = 0 is no width"});
      }
      return concat({"the S11 sweep found ",
                     std::to_string(static_cast<long>(w.figure)),
                     " crossings of 0.1: bw_s11 = 0 is no width"});
    case WarningCode::kS11AtF:
      return concat({"S11 at F is ", fixed(w.figure, 4),
                     ", above 0.01: the network does not match RIN"});
    case WarningCode::kC1BelowCmin:
      break;
  }
  return concat({"C1 = ", three(w.context),
                 " pF is below CMIN = ", plain(options.cmin.value_or(0.0f)),
                 " pF by ", three(-w.figure), " pF"});
}

}  // namespace merid
