#ifndef MERID_CALC_POLOSA_S11_H_
#define MERID_CALC_POLOSA_S11_H_

// The S11(0.1) band: a sweep of the input reflection and the span between
// its crossings through 0.1.

#include <array>
#include <cstddef>
#include <cstdint>

#include "calc/grid_sweep.h"

namespace merid {

struct S11Band {
  float bw_s11 = 0.0f;      // kHz
  std::int32_t ncross = 0;  // crossings of 0.1 found, all of them
  // The first three crossings, Hz: each at the frequency of the last point
  // before it.  Zero where there was none.
  std::array<double, 3> fcross{};
};

// Sweeps `ns11` points from `fstart` by `step` (Hz; c1, c2 in F, l in H).
// One crossing gives its own frequency, two the span between them, three
// the span from the second to the third; any other count gives 0.
S11Band subs11(float q0, float c1, float c2, float l, float fstart, float step,
               std::int32_t ns11, float rin, float rout);

// Which side of 0.1 a reflection magnitude lies on, read off the square it
// is the root of (modulus_squared): the modulus never falls as its square
// rises, so the sides are parted by two squares that bisection finds.  An
// infinite square lies above, a not-a-number one on neither side, as their
// moduli do.
class ThresholdSides {
 public:
  ThresholdSides();

  // Sides as floats, which a loop of double comparisons can select between
  // with SSE2 alone.  A crossing is a pair of points on opposite sides.
  static constexpr float kBelow = -1.0f;
  static constexpr float kAbove = 1.0f;
  static constexpr float kNeither = 0.0f;  // at 0.1, or not-a-number

  float side(double squared) const {
    return squared < below_ ? kBelow : squared >= above_ ? kAbove : kNeither;
  }

 private:
  double below_;  // the smallest square whose root is not below 0.1
  double above_;  // the smallest square whose root is above 0.1
};

// The S11 sweep of subs11 fed a block of grid points at a time, so that the
// synthesis can run it on the walk over the grid it shares with the
// response sweeps.  Only the magnitudes of consecutive points are compared,
// so no table is kept: each point is set against the one before it as it
// arrives.
class S11Sweep {
 public:
  S11Sweep(float rin, std::int32_t ns11);

  std::size_t points() const { return points_; }
  void take(const GridBlock& block);
  S11Band band() const;

 private:
  void record_crossings(const float* freq, const float* side, std::size_t n);

  float rin_;
  std::size_t points_;
  ThresholdSides sides_;
  float prev_side_ = ThresholdSides::kNeither;  // of the last point taken
  float prev_freq_ = 0.0f;                      // its frequency, Hz
  std::array<double, 3> fcross_{};
  std::int32_t ncross_ = 0;
};

}  // namespace merid

#endif  // MERID_CALC_POLOSA_S11_H_
