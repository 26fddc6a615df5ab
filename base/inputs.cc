#include "base/inputs.h"

#include <cmath>

#include "base/free_form.h"
#include "base/number_text.h"
#include "base/quoted.h"
#include "calc/bisection.h"

namespace merid {
namespace {

// "lo <= NAME <= hi", with "<" for an exclusive lower bound.
std::string bounds(std::string_view low, const InputRow& row) {
  return concat({low, row.range.low_inclusive ? " <= " : " < ", row.name,
                 " <= ", plain(row.range.high)});
}

std::string with_unit(std::string text, std::string_view unit) {
  if (unit.empty()) return text;
  return concat({text, " (", unit, ")"});
}

}  // namespace

// Each test is made as written so that the bounds are the single-precision
// constants and products they are.
bool refused(Input input, float value, float qn) {
  const InputRange& range = input_row(input).range;
  const float low = range.low_times_qn ? range.low * qn : range.low;
  const bool below = range.low_inclusive ? value < low : value <= low;
  return below || value > range.high || std::isnan(value);
}

Status read_number(std::string_view name, std::string_view text,
                   std::string_view range,
                   const std::function<bool(float)>& refused, float& value) {
  std::string why;
  if (text.size() > kRealBufferSize) {
    why = concat({" is longer than ", std::to_string(kRealBufferSize),
                  " characters; accepted range "});
  } else if (const RealEntry entry = parse_real(text);
             entry.status != EntryStatus::kValue) {
    why = " is not a number; accepted range ";
  } else if (refused(entry.value)) {
    why = " is outside the accepted range ";
  } else {
    value = entry.value;
    return {};
  }
  return failure(concat({name, " = ", echoed(text), why, range}));
}

Status read_input(Input input, std::string_view text, float qn, float& value) {
  return read_number(
      input_name(input), text, range_text(input, qn),
      [input, qn](float x) { return refused(input, x, qn); }, value);
}

std::string range_text(Input input, float qn) {
  const InputRow& row = input_row(input);
  if (!row.range.low_times_qn) {
    return with_unit(bounds(plain(row.range.low), row), row.range.unit);
  }
  const std::string formula =
      bounds(concat({plain(row.range.low), "*QN"}), row);
  if (std::isnan(qn)) return with_unit(formula, row.range.unit);
  return concat({bounds(plain(row.range.low * qn), row), " (", formula, ")"});
}

LoadedQRange accepted_loaded_q(float q0) {
  const float low = first_float_where(kMinLoadedQ, kMaxLoadedQ, [](float qn) {
    return !refused(Input::kQn, qn, NAN);
  });
  const auto q0_refused = [q0](float qn) {
    return refused(Input::kQ0, q0, qn);
  };
  float high = kMaxLoadedQ;
  if (q0_refused(high)) {
    high = std::nextafter(first_float_where(low, high, q0_refused), 0.0f);
  }
  return LoadedQRange{low, high};
}

bool new_loaded_q_refused(float qn, float q0) {
  return qn < kMinLoadedQ || qn > kNewLoadedQFactor * q0 ||
         qn > kMaxNewLoadedQ || std::isnan(qn);
}

Design calculate(const Design& inputs) {
  Design d = inputs;
  synthesis(d);
  if (d.infeasible) d.f = d.fmhz;
  return d;
}

}  // namespace merid
