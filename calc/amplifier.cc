#include "calc/amplifier.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "calc/bisection.h"
#include "calc/cosine_pulses.h"

namespace merid {
namespace {

// The float that the decimal k / 1000 typed gives: parsed from its digits,
// so that it is the value a user who types the printed figure gets.
float thousandths(std::int64_t k) {
  const std::string digits = std::to_string(k / 1000) + "." +
                             std::to_string(1000 + k % 1000).substr(1);
  float value = 0.0f;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

// The first k in [lo, hi] at which `holds` is true, given that once true
// it stays true; none when it is false at hi.
template <typename Predicate>
std::optional<std::int64_t> first_index_where(std::int64_t lo, std::int64_t hi,
                                              Predicate holds) {
  if (lo > hi || !holds(hi)) return std::nullopt;
  while (lo < hi) {
    const std::int64_t mid = lo + (hi - lo) / 2;
    if (holds(mid)) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return lo;
}

// The float just below a positive x.
float before(float x) { return std::nextafter(x, 0.0f); }

}  // namespace

Design with_loaded_q(const Design& inputs, float qn) {
  Design d =
      make_design(inputs.f, qn, inputs.q0, inputs.rin, inputs.rout, inputs.pin);
  synthesis(d);
  return d;
}

std::optional<float> lowest_loaded_q_where(
    LoadedQRange range, const std::function<bool(float)>& holds) {
  const auto lo = static_cast<std::int64_t>(
      std::ceil(static_cast<double>(range.low) / kLoadedQResolution));
  const auto hi = static_cast<std::int64_t>(
      std::floor(static_cast<double>(range.high) / kLoadedQResolution));
  // The grid's ends can round to just outside the range.
  const auto in_range = [&range](float qn) {
    return qn >= range.low && qn <= range.high;
  };
  const std::int64_t first = in_range(thousandths(lo)) ? lo : lo + 1;
  const std::int64_t last = in_range(thousandths(hi)) ? hi : hi - 1;
  const std::optional<std::int64_t> k = first_index_where(
      first, last, [&](std::int64_t i) { return holds(thousandths(i)); });
  if (!k) return std::nullopt;
  return thousandths(*k);
}

std::optional<float> loaded_q_for_cmin(const Design& inputs, double cmin_pf,
                                       LoadedQRange range) {
  // The search asks only for C1: the synthesis's closed form, no sweeps.
  return lowest_loaded_q_where(range, [&](float qn) {
    DesignInputs at = inputs;
    at.qn = qn;
    const std::optional<Tank> tank = synthesised_tank(at);
    return tank && picofarads(tank->c1) >= cmin_pf;
  });
}

CoilLoadedQ fixed_coil_loaded_q(const Design& top, const DesignInputs& at,
                                LoadedQRange range) {
  const double coil = top.details.tank.l;
  // The search asks only for L: the synthesis's closed form, no sweeps.
  const auto l_at = [&at](float qn) -> double {
    DesignInputs inputs = at;
    inputs.qn = qn;
    const std::optional<Tank> tank = synthesised_tank(inputs);
    return tank ? tank->l : INFINITY;
  };
  const auto reached = [&](float qn) { return l_at(qn) <= coil; };
  // L falls as the loaded Q rises.  The pi network's coil at a lower
  // frequency asks for a higher loaded Q; a pi section whose own ratio
  // shrinks there (the pi-L network's) may ask for a lower one.
  const float start = std::clamp(top.qn, range.low, range.high);
  const bool upward = !reached(start);
  if (upward && !reached(range.high)) {
    return CoilLoadedQ{CoilFit::kQnAboveRange};
  }
  if (!upward && reached(range.low)) {
    return CoilLoadedQ{CoilFit::kQnBelowRange};
  }
  const float low = upward ? start : range.low;
  float qn = first_float_where(low, upward ? range.high : start, reached);
  // The float before may lie nearer the coil from above.
  if (qn > low && l_at(before(qn)) - coil < coil - l_at(qn)) {
    qn = before(qn);
  }
  return CoilLoadedQ{CoilFit::kMatched, qn};
}

FixedCoilRow fixed_coil_row(const Design& top, const Design& at,
                            LoadedQRange range) {
  FixedCoilRow row;
  row.l_fixed = top.results.l;
  const CoilLoadedQ q = fixed_coil_loaded_q(top, at, range);
  row.fit = q.fit;
  if (q.fit != CoilFit::kMatched) {
    row.design = at;
    row.design.fmhz = at.f;
    row.design.infeasible = true;
    return row;
  }
  row.design = with_loaded_q(at, q.qn);
  return row;
}

double class_conduction(TubeClass tube_class) {
  switch (tube_class) {
    case TubeClass::kA:
      return 360.0;
    case TubeClass::kAB:
      return 240.0;
    case TubeClass::kB:
      return 180.0;
    case TubeClass::kC:
      break;
  }
  return 120.0;
}

double tube_class_factor(TubeClass tube_class) {
  return fundamental_to_mean(class_conduction(tube_class)) / kAnodeSwing;
}

double tube_load_resistance(double ea, double ia, TubeClass tube_class) {
  return ea / (tube_class_factor(tube_class) * ia);
}

double tube_output_power(double ea, double resistance) {
  const double swing = kAnodeSwing * ea;
  return (swing * swing) / (2.0 * resistance);
}

double transistor_load_resistance(double vcc, double vsat, double power) {
  const double swing = vcc - vsat;
  return (swing * swing) / (2.0 * power);
}

}  // namespace merid
