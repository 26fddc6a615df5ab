#ifndef MERID_CALC_BISECTION_H_
#define MERID_CALC_BISECTION_H_

// Bisection over the floating-point numbers themselves: the first value at
// which a condition holds that, once true, stays true for every larger
// value.  The sweeps use it to find where a rounded result crosses a limit
// they compare it with, so that the comparison can be read off an earlier
// value of the calculation.  Non-negative floats and doubles are ordered as
// their bit patterns are.

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace merid {

// The first float in [lo, hi] (0 <= lo <= hi) at which `holds` is true,
// given that it is true at hi.
template <typename Predicate>
float first_float_where(float lo, float hi, Predicate holds) {
  std::uint32_t a = std::bit_cast<std::uint32_t>(lo);
  std::uint32_t b = std::bit_cast<std::uint32_t>(hi);
  while (a < b) {
    const std::uint32_t mid = a + (b - a) / 2;
    if (holds(std::bit_cast<float>(mid))) {
      b = mid;
    } else {
      a = mid + 1;
    }
  }
  return std::bit_cast<float>(a);
}

// The first double in [lo, hi] (0 <= lo <= hi) at which `holds` is true;
// +infinity when it is false even at hi.
template <typename Predicate>
double first_double_where(double lo, double hi, Predicate holds) {
  if (!holds(hi)) return INFINITY;
  std::uint64_t a = std::bit_cast<std::uint64_t>(lo);
  std::uint64_t b = std::bit_cast<std::uint64_t>(hi);
  while (a < b) {
    const std::uint64_t mid = a + (b - a) / 2;
    if (holds(std::bit_cast<double>(mid))) {
      b = mid;
    } else {
      a = mid + 1;
    }
  }
  return std::bit_cast<double>(a);
}

// The first finite double from 0 on at which `holds` is true; +infinity
// when it is false even at the largest.  The sweeps' squared magnitudes are
// bisected this way.
template <typename Predicate>
double first_finite_double_where(Predicate holds) {
  return first_double_where(0.0, std::numeric_limits<double>::max(), holds);
}

}  // namespace merid

#endif  // MERID_CALC_BISECTION_H_
