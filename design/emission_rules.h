#ifndef MERID_DESIGN_EMISSION_RULES_H_
#define MERID_DESIGN_EMISSION_RULES_H_

// The emission rules of design/emission_rules.txt: the limit each puts on
// a harmonic, by the frequency the station transmits on and its power.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace merid {

// One range of a rule, as its "band" line gives it.
struct RuleBand {
  double f_low = 0.0;   // MHz, inclusive
  double f_high = 0.0;  // MHz, exclusive
  double p_low = 0.0;   // W, exclusive
  double p_high = 0.0;  // W, inclusive; infinity: no bound
  double db = 0.0;      // below the fundamental's mean power
  std::optional<double> max_uw;
  std::optional<double> floor_uw;
};

struct EmissionRule {
  std::string_view name;
  std::string_view text;     // what it is, in English (for --help)
  std::string_view text_ru;  // ... and in Russian
  std::vector<RuleBand> bands;
};

// Every rule of the data file, in its order.
std::span<const EmissionRule> emission_rules();

// The rule named `name`, or none.
const EmissionRule* find_emission_rule(std::string_view name);

// The level, dB relative to the carrier (below it: negative), that `rule`
// holds a harmonic to for a station on `f_mhz` with the carrier `watts`;
// none where the rule has no range for them.
std::optional<double> rule_limit_dbc(const EmissionRule& rule, double f_mhz,
                                     double watts);

}  // namespace merid

#endif  // MERID_DESIGN_EMISSION_RULES_H_
