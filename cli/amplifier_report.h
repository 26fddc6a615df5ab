#ifndef MERID_CLI_AMPLIFIER_REPORT_H_
#define MERID_CLI_AMPLIFIER_REPORT_H_

// What merid-calc's amplifier options add to each design it writes: the
// loaded Q a minimum C1 forces, the coil fixed across a band, and the
// design's warnings; and the fields that carry them in JSON and CSV, a
// table beside the design's own.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/amplifier.h"
#include "calc/design_warnings.h"
#include "calc/pi_l.h"
#include "calc/synthesis.h"
#include "cli/amplifier_options.h"
#include "cli/band_table.h"

namespace merid {

// How a row of a band with a fixed coil came out.
enum class CoilFit {
  kNone,          // no --fixed-coil, or the band's top design is infeasible
  kTap,           // the band's top: the design that fixes the coil
  kMatched,       // the coil matched at a loaded Q of its own
  kQnAboveRange,  // only a loaded Q above the accepted range would match
  kQnBelowRange,  // only one below it would (a pi-L network's pi section)
};

struct AmplifierReport {
  // With --cmin: the lowest loaded Q giving C1 >= Cmin, none when no
  // accepted one does; and C1 - Cmin of a feasible design, pF.
  std::optional<float> qn_for_cmin;
  std::optional<double> c1_margin;
  CoilFit coil = CoilFit::kNone;
  float l_fixed = 0.0f;  // uH, unless coil is kNone
  std::vector<DesignWarning> warnings;
};

// The loaded Q values the inputs accept with the unloaded Q `q0`.
LoadedQRange accepted_loaded_q(float q0);

// The report on `d`, a design calculate() or pi_l_synthesis() gave, under
// `options`; nothing but the loaded Q for Cmin when it is infeasible.  The
// loaded Q for Cmin of a pi-L design is its pi section's, with its RMID.
AmplifierReport amplifier_report(const Design& d,
                                 const AmplifierOptions& options);
AmplifierReport amplifier_report(const PiLDesign& d,
                                 const AmplifierOptions& options);

// A row of --bands and its report.
template <typename NetworkDesign>
struct AmplifierRowOf {
  BandRowOf<NetworkDesign> row;
  AmplifierReport report;
};
using AmplifierRow = AmplifierRowOf<Design>;
using PiLAmplifierRow = AmplifierRowOf<PiLDesign>;

// The band table of `inputs` (f is ignored) under `options`: with a fixed
// coil, each band's lower edge and centre keep the coil of its upper edge
// (with the pi-L network both coils and the output capacitor), and a row
// the coils cannot match is marked infeasible with coil kQnAboveRange or
// kQnBelowRange.
std::vector<AmplifierRow> amplifier_band_table(const Design& inputs,
                                               const AmplifierOptions& options);
std::vector<PiLAmplifierRow> amplifier_band_table(
    const PiLDesign& inputs, const AmplifierOptions& options);

// Whether a row has no network to show.
template <typename NetworkDesign>
bool has_no_network(const AmplifierRowOf<NetworkDesign>& r) {
  return r.row.design.infeasible;
}

// A value of an output field: null, a number, or a word.
using FieldCell =
    std::variant<std::monostate, float, std::int32_t, double, std::string_view>;

// One field that the amplifier options add to JSON and CSV, after the
// design's fields and before "warnings".
struct AmplifierField {
  std::string_view name;
  std::string_view meaning;  // with the unit, for --help
  bool (*shown)(const AmplifierOptions&);
  FieldCell (*get)(const AmplifierReport&, const AmplifierOptions&);
};

std::span<const AmplifierField> amplifier_fields();

// "none", "tap", "matched", "qn_above_range", "qn_below_range": a row's
// coil_fit.
std::string_view coil_fit_name(CoilFit fit);

inline constexpr std::size_t kWarningCodeCount =
    static_cast<std::size_t>(WarningCode::kC1BelowCmin) + 1;

// "c1_negative", "ku_negative", ...: the codes of the warnings array.
std::string_view warning_code(WarningCode code);

// What a code means and which figure it gives, for --help.
std::string_view warning_meaning(WarningCode code);

// The warning in words, with its figures.
std::string warning_text(const DesignWarning& w,
                         const AmplifierOptions& options);

}  // namespace merid

#endif  // MERID_CLI_AMPLIFIER_REPORT_H_
