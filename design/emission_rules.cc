#include "design/emission_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "design/emission_rules_data.h"

namespace merid {
namespace {

// The words of `line` parted by blanks, the rest of it after the first
// `count` words kept whole as the last.
std::vector<std::string_view> words(std::string_view line, std::size_t count) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i == line.size()) break;
    if (out.size() == count) {
      out.push_back(line.substr(i));
      break;
    }
    const std::size_t end = std::min(line.find(' ', i), line.size());
    out.push_back(line.substr(i, end - i));
    i = end;
  }
  return out;
}

std::optional<double> number(std::string_view word) {
  if (word == "-") return std::nullopt;
  if (word == "inf") return INFINITY;
  double x = 0.0;
  std::from_chars(word.data(), word.data() + word.size(), x);
  return x;
}

// The data file read: its rules in order.  The file is the project's own
// and checked by its tests, so a line it cannot read is passed over.
std::vector<EmissionRule> parsed(std::string_view data) {
  std::vector<EmissionRule> rules;
  while (!data.empty()) {
    const std::size_t end = std::min(data.find('\n'), data.size());
    const std::string_view line = data.substr(0, end);
    data.remove_prefix(std::min(end + 1, data.size()));
    if (line.starts_with("rule ")) {
      const std::vector<std::string_view> w = words(line, 2);
      if (w.size() == 2) rules.push_back({w[1], {}, {}, {}});
    } else if (line.starts_with("en ") && !rules.empty()) {
      rules.back().text = line.substr(3);
    } else if (line.starts_with("ru ") && !rules.empty()) {
      rules.back().text_ru = line.substr(3);
    } else if (line.starts_with("band ") && !rules.empty()) {
      const std::vector<std::string_view> w = words(line, 8);
      if (w.size() != 8) continue;
      rules.back().bands.push_back(
          {number(w[1]).value_or(0.0), number(w[2]).value_or(0.0),
           number(w[3]).value_or(0.0), number(w[4]).value_or(0.0),
           number(w[5]).value_or(0.0), number(w[6]), number(w[7])});
    }
  }
  return rules;
}

}  // namespace

std::span<const EmissionRule> emission_rules() {
  static const std::vector<EmissionRule> kRules = parsed(kEmissionRulesData);
  return kRules;
}

const EmissionRule* find_emission_rule(std::string_view name) {
  for (const EmissionRule& rule : emission_rules()) {
    if (rule.name == name) return &rule;
  }
  return nullptr;
}

std::optional<double> rule_limit_dbc(const EmissionRule& rule, double f_mhz,
                                     double watts) {
  for (const RuleBand& b : rule.bands) {
    if (!(f_mhz >= b.f_low && f_mhz < b.f_high)) continue;
    if (!(watts > b.p_low && watts <= b.p_high)) continue;
    double limit = watts * std::pow(10.0, -b.db / 10.0);
    if (b.max_uw) limit = std::min(limit, 1e-6 * *b.max_uw);
    if (b.floor_uw) limit = std::max(limit, 1e-6 * *b.floor_uw);
    return 10.0 * std::log10(limit / watts);
  }
  return std::nullopt;
}

}  // namespace merid
