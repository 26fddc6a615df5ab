#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "calc/complex.h"
#include "calc/network.h"
#include "calc/s11module.h"
#include "calc/sweep_internal.h"
#include "calc/synthesis.h"

namespace merid {
namespace {

Design synthesised(float f, float qn, float q0, float rin, float rout) {
  Design d = make_design(f, qn, q0, rin, rout, 100.0f);
  synthesis(d);
  return d;
}

TEST(Swrsub, SymmetricInItsArguments) {
  const Complex z{37.0f, -12.5f};
  EXPECT_EQ(swrsub(z, real(50.0f)).gamma, swrsub(real(50.0f), z).gamma);
  EXPECT_EQ(swrsub(real(50.0f), real(50.0f)).gamma, 0.0f);
  EXPECT_FLOAT_EQ(swrsub(real(150.0f), real(50.0f)).gamma, 0.5f);
}

TEST(Subs11, CrossingCounts) {
  struct Row {
    const char* what;
    float f, qn, q0, rin, rout;
    int ncross;
  };
  const Row rows[] = {
      {"resistances far apart: the dip gives two", 7.1f, 12, 200, 2000, 50, 2},
      {"close resistances: starts below 0.1, three", 7.1f, 12, 200, 50, 55, 3},
      {"equal resistances, low Q: one", 30.0f, 1.2f, 999, 50, 50, 1},
  };
  for (const Row& row : rows) {
    const Design d = synthesised(row.f, row.qn, row.q0, row.rin, row.rout);
    ASSERT_FALSE(d.infeasible) << row.what;
    EXPECT_EQ(d.details.ncross, row.ncross) << row.what;
    EXPECT_GT(d.results.bw_s11, 0.0f) << row.what;
  }
}

// The band from the crossings, recomputed from the magnitudes of the grid.
TEST(Subs11, BandIsMeasuredFromThePointBeforeEachCrossing) {
  const Design d = synthesised(7.1f, 12, 200, 2000, 50);
  const Tank& t = d.details.tank;
  std::vector<float> crossings;
  float fsw = d.details.fstart;
  float prev = 0.0f;
  for (int i = 1; i <= d.details.ns11; ++i) {
    const float gamma =
        swrsub(input_impedance(t, elements_at(t, fsw)), real(50.0f * 40.0f))
            .gamma;
    if (i > 1 &&
        ((prev < 0.1f && gamma > 0.1f) || (prev > 0.1f && gamma < 0.1f))) {
      crossings.push_back(fsw - d.details.step);
    }
    prev = gamma;
    fsw = d.details.step + fsw;
  }
  ASSERT_EQ(crossings.size(), 2u);
  const float expected = static_cast<float>(
      (double{crossings[1]} - double{crossings[0]}) * double{0.001f});
  EXPECT_EQ(d.results.bw_s11, expected);
}

TEST(Subs11, OneCrossingGivesItsOwnFrequency) {
  const Design d = synthesised(7.1f, 12, 200, 50, 55);
  const Tank& t = d.details.tank;
  // Cut the sweep after the first crossing, where the reflection rises
  // above 0.1 on its way to the dip.
  const S11Band full = subs11(t.q0, t.c1, t.c2, t.l, 1000.0f, d.details.step,
                              d.details.ns11, 50.0f, 55.0f);
  ASSERT_EQ(full.ncross, 3);
  for (int n = 2; n < d.details.ns11; ++n) {
    const S11Band part =
        subs11(t.q0, t.c1, t.c2, t.l, 1000.0f, d.details.step, n, 50.0f, 55.0f);
    if (part.ncross == 1) {
      // The frequency of point n-1 (the last before the crossing), in kHz.
      float f = 1000.0f;
      for (int i = 1; i < n - 1; ++i) f = d.details.step + f;
      EXPECT_EQ(part.bw_s11, static_cast<float>(double{f} * double{0.001f}));
      return;
    }
  }
  FAIL() << "no single crossing found";
}

TEST(Subs11, NoCrossingGivesZero) {
  const Design d = synthesised(7.1f, 12, 200, 2000, 50);
  const Tank& t = d.details.tank;
  // Twenty points near 1 kHz: the reflection stays near 0.95.
  const S11Band low = subs11(t.q0, t.c1, t.c2, t.l, 1000.0f, d.details.step, 20,
                             2000.0f, 50.0f);
  EXPECT_EQ(low.ncross, 0);
  EXPECT_EQ(low.bw_s11, 0.0f);
  // No pair of points at all.
  EXPECT_EQ(
      subs11(t.q0, t.c1, t.c2, t.l, 1000.0f, 500.0f, 1, 2000.0f, 50.0f).bw_s11,
      0.0f);
  EXPECT_EQ(
      subs11(t.q0, t.c1, t.c2, t.l, 1000.0f, 500.0f, -5, 2000.0f, 50.0f).bw_s11,
      0.0f);
}

// The side must be the one the root of the square lies on, around the two
// squares that part the sides and far from them.
TEST(ThresholdSides, SideOfTheRootOfTheSquare) {
  const ThresholdSides sides;
  const auto side_of_root = [](double squared) {
    const float gamma = modulus_from_squared(squared);
    return gamma < 0.1f   ? ThresholdSides::kBelow
           : gamma > 0.1f ? ThresholdSides::kAbove
                          : ThresholdSides::kNeither;
  };
  std::vector<double> squares = {0.0, INFINITY, NAN, 1e-300, 1e300};
  // The roots round to 0.1 between the midpoints to its neighbours; the
  // sides change at the squares of these midpoints, to the last unit.
  const double t = 0.1f;
  for (const double midpoint : {(std::nextafter(0.1f, 0.0f) + t) / 2,
                                (t + std::nextafter(0.1f, 1.0f)) / 2}) {
    const auto square = std::bit_cast<std::int64_t>(midpoint * midpoint);
    for (std::int64_t k = -20000; k <= 20000; ++k) {
      squares.push_back(std::bit_cast<double>(square + k));
    }
  }
  for (int k = -300; k <= 300; ++k) squares.push_back(std::pow(10.0, k * 0.1));
  int neither = 0;
  for (const double s : squares) {
    ASSERT_EQ(sides.side(s), side_of_root(s)) << std::hexfloat << s;
    neither += sides.side(s) == ThresholdSides::kNeither ? 1 : 0;
  }
  EXPECT_GT(neither, 1);  // squares whose root rounds to 0.1 itself
}

// subs11 as first written: a table of every point's reflection, then a
// second pass for the crossings.
S11Band subs11_in_two_passes(const Tank& t, float fstart, float step, int ns11,
                             float rin) {
  std::vector<float> gamma;
  float fsw = fstart;
  for (int i = 0; i < ns11; ++i) {
    gamma.push_back(
        swrsub(input_impedance(t, elements_at(t, fsw)), real(rin)).gamma);
    fsw = step + fsw;
  }
  double fcross[3] = {0, 0, 0};
  int ncross = 0;
  fsw = fstart;
  for (std::size_t i = 1; i < gamma.size(); ++i) {
    const float prev = gamma[i - 1], cur = gamma[i];
    if ((prev < 0.1f && cur > 0.1f) || (prev > 0.1f && cur < 0.1f)) {
      if (ncross < 3) fcross[ncross] = fsw;
      ++ncross;
    }
    fsw = step + fsw;
  }
  const double k = 0.001f;
  switch (ncross) {
    case 1:
      return {static_cast<float>(fcross[0] * k), ncross};
    case 2:
      return {static_cast<float>((fcross[1] - fcross[0]) * k), ncross};
    case 3:
      return {static_cast<float>((fcross[2] - fcross[1]) * k), ncross};
    default:
      return {0.0f, ncross};
  }
}

TEST(Subs11, SameAsTwoPassesOverATable) {
  struct Row {
    float f, qn, q0, rin, rout;
  };
  const Row rows[] = {
      {7.1f, 12, 200, 2000, 50},  {7.1f, 12, 200, 50, 55},
      {30.0f, 1.2f, 999, 50, 50}, {0.3f, 3, 999, 50, 57},
      {2.2f, 2.5f, 40, 75, 50},   {7.1f, 10, 100, 90, 100},  // not-a-number
  };
  for (const Row& row : rows) {
    const Design d = synthesised(row.f, row.qn, row.q0, row.rin, row.rout);
    ASSERT_FALSE(d.infeasible) << row.f;
    const Tank& t = d.details.tank;
    // The whole sweep, and sweeps cut short at every block boundary and
    // around it, where a crossing passes from one block to the next.
    std::vector<int> counts = {d.details.ns11, 0, 1, 2};
    for (int n = 255; n < d.details.ns11; n += 256) {
      counts.insert(counts.end(), {n, n + 1, n + 2});
    }
    for (const int n : counts) {
      const S11Band got = subs11(t.q0, t.c1, t.c2, t.l, 1000.0f, d.details.step,
                                 n, row.rin, row.rout);
      const S11Band expected =
          subs11_in_two_passes(t, 1000.0f, d.details.step, n, row.rin);
      ASSERT_EQ(got.ncross, expected.ncross) << row.f << " " << n;
      ASSERT_EQ(got.bw_s11, expected.bw_s11) << row.f << " " << n;
    }
  }
}

}  // namespace
}  // namespace merid
