#include "calc/mismatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "calc/harmonics.h"
#include "calc/sub.h"
#include "calc/synthesis.h"
#include "tests/support/pi_circuit_model.h"

namespace merid {
namespace {

std::uint32_t bits(float x) { return std::bit_cast<std::uint32_t>(x); }

TEST(SwrLoad, RealPhasesAreExactAndTheCircleHasTheSwr) {
  EXPECT_EQ(bits(swr_load(50.0f, 3.0f, 0.0).re), bits(150.0f));
  EXPECT_EQ(swr_load(50.0f, 3.0f, 0.0).im, 0.0f);
  EXPECT_EQ(bits(swr_load(50.0f, 3.0f, kSwrPhases / 2).re), bits(50.0f / 3.0f));
  EXPECT_EQ(swr_load(50.0f, 3.0f, kSwrPhases / 2).im, 0.0f);
  EXPECT_EQ(bits(swr_load(50.0f, 3.0f, kSwrPhases).re), bits(150.0f));
  for (const double step : {0.0, 17.0, 90.0, 211.5, 359.0}) {
    EXPECT_EQ(bits(swr_load(75.0f, 1.0f, step).re), bits(75.0f));
    const Complex z = swr_load(50.0f, 2.5f, step);
    const double gamma =
        model::abs(model::Cx{z.re - 50.0, z.im} / model::Cx{z.re + 50.0, z.im});
    EXPECT_NEAR(gamma, 1.5 / 3.5, 1e-6) << step;
    // The phase turns the right way: a positive one is inductive.
    if (step > 0.0 && step < kSwrPhases / 2) {
      EXPECT_GT(z.im, 0.0f) << step;
    }
  }
}

// The phase is taken modulo a whole turn, by subtraction where that is
// exact and by the library's remainder elsewhere: for a step of [0, 360)
// that a turn either way leaves exact, the step itself (the subtraction),
// a turn before it (no reduction) and a turn after (the remainder) give
// the same bits.
TEST(SwrLoad, PhaseStepsAWholeTurnApartGiveTheSameLoad) {
  for (const double step : {0.375, 0.875, 179.5, 359.625}) {
    const Complex z = swr_load(50.0f, 3.0f, step);
    for (const double turned : {step - kSwrPhases, step + kSwrPhases}) {
      const Complex w = swr_load(50.0f, 3.0f, turned);
      EXPECT_EQ(bits(w.re), bits(z.re)) << step << " " << turned;
      EXPECT_EQ(bits(w.im), bits(z.im)) << step << " " << turned;
    }
  }
}

// The largest's first index against the plain loop it stands for, on
// values full of what breaks a running maximum: ties, zeros of both signs,
// infinities and not-a-number, first and later, over lengths around the
// eight running maxima.
TEST(FirstLargest, IsThePlainLoopsIndex) {
  const float kinds[] = {1.0f,  2.0f,     2.0f,      0.0f, -0.0f,
                         -1.0f, INFINITY, -INFINITY, NAN,  3.5f};
  std::uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int trial = 0; trial < 20000; ++trial) {
    const std::size_t n = 1 + next() % 40;
    std::vector<float> v(n);
    for (float& x : v) x = kinds[next() % std::size(kinds)];
    std::size_t plain = 0;
    for (std::size_t k = 0; k < n; ++k) {
      if (v[k] > v[plain]) plain = k;
    }
    ASSERT_EQ(first_largest(v), plain) << "trial " << trial;
  }
}

}  // namespace
}  // namespace merid
