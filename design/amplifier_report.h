#ifndef MERID_DESIGN_AMPLIFIER_REPORT_H_
#define MERID_DESIGN_AMPLIFIER_REPORT_H_

// What the amplifier options add to each design of any network: the loaded
// Q a minimum C1 forces, the coil fixed across a band, and the design's
// warnings; and the fields that carry them in JSON and CSV, after the
// network's own.

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/amplifier_options.h"
#include "calc/amplifier.h"
#include "calc/design_warnings.h"
#include "design/emissions.h"
#include "design/field.h"
#include "design/swr_analysis.h"

namespace merid {

class DesignModel;

// A tuned capacitor against the range the bench's capacitor has.
struct CapacitorFit {
  bool fits = false;
  double miss = 0.0;  // pF outside the range, 0 when it fits
};

// The design's tuned capacitors (Network::tuned_capacitors) against the
// ranges given, none where none is.
struct PartsFit {
  std::array<std::optional<CapacitorFit>, kTunedCapacitors> capacitors;
};

// `value` (pF) against `range`: inside at both ends.
CapacitorFit capacitor_fit(double value, const CapacitorRange& range);

struct AmplifierReport {
  // With --cmin: the lowest loaded Q giving C1 >= Cmin, none when no
  // accepted one does; and C1 - Cmin of a feasible design, pF.
  std::optional<float> qn_for_cmin;
  std::optional<double> c1_margin;
  CoilFit coil = CoilFit::kNone;
  float l_fixed = 0.0f;  // uH, unless coil is kNone
  // With --c1-range or --c2-range, of a feasible design.
  std::optional<PartsFit> parts;
  // With the emission options, of a feasible design.
  std::optional<Emissions> emissions;
  std::vector<DesignWarning> warnings;
};

// The report on `d` under `options`; nothing but the loaded Q for Cmin
// when it is infeasible.
AmplifierReport amplifier_report(const DesignModel& d,
                                 const AmplifierOptions& options);

// One field that the amplifier options add to JSON and CSV, after the
// network's fields and before "warnings".
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

// A warning's code in the "warnings" array ("c1_negative", ...) and what it
// means and which figure it gives, for --help.
struct WarningDescription {
  WarningCode code;
  std::string_view name;
  std::string_view meaning;
};

// In the order of WarningCode.
std::span<const WarningDescription> warning_descriptions();

std::string_view warning_code(WarningCode code);

}  // namespace merid

#endif  // MERID_DESIGN_AMPLIFIER_REPORT_H_
