#include "calc/harmonics.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "calc/synthesis.h"
#include "tests/support/pi_circuit_model.h"

namespace merid {
namespace {

struct DesignRow {
  float f, qn, q0, rin, rout, pin;
};

// The typical design, a wide window at low loaded Q, a step-up to a higher
// load, the top of the frequency range and a lossy coil.
constexpr DesignRow kDesigns[] = {
    {7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f},
    {1.8f, 3.5f, 150.0f, 300.0f, 75.0f, 400.0f},
    {14.2f, 10.0f, 250.0f, 20.0f, 50.0f, 50.0f},
    {150.0f, 6.0f, 300.0f, 1000.0f, 50.0f, 10.0f},
    {3.6f, 20.0f, 30.0f, 1500.0f, 50.0f, 1000.0f},
};

Design calculated(const DesignRow& row) {
  Design d = make_design(row.f, row.qn, row.q0, row.rin, row.rout, row.pin);
  synthesis(d);
  return d;
}

// 20 log10 |v2(f) / v2(nf)| of the double-precision circuit.
double model_suppression(const Design& d, double emf, double zs, int n) {
  const Tank& t = d.details.tank;
  const model::Circuit c{t.c1, t.c2, t.l, t.q0, emf, zs, {t.rout, 0.0}};
  const double f = 1e6 * d.fmhz;
  return 20.0 * std::log10(model::abs(model::solve(c, f).v2) /
                           model::abs(model::solve(c, n * f).v2));
}

TEST(HarmonicTable, SecondHarmonicIsTheScreensKuAndKiToTheBit) {
  for (const DesignRow& row : kDesigns) {
    const Design d = calculated(row);
    ASSERT_FALSE(d.infeasible) << row.f;
    const HarmonicTable h = harmonic_table(d);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(h.ku[0]),
              std::bit_cast<std::uint32_t>(d.results.ku))
        << row.f;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(h.ki[0]),
              std::bit_cast<std::uint32_t>(d.results.ki))
        << row.f;
  }
}

TEST(HarmonicTable, EveryHarmonicMatchesTheCircuitModel) {
  for (const DesignRow& row : kDesigns) {
    const Design d = calculated(row);
    const HarmonicTable h = harmonic_table(d);
    const double uin = d.results.uin;
    for (int i = 0; i < kHarmonicCount; ++i) {
      const int n = kFirstHarmonic + i;
      const double ku = model_suppression(d, 2.0 * uin, d.rin, n);
      const double ki = model_suppression(d, 11.0 * uin, 11.0 * d.rin, n);
      EXPECT_NEAR(h.ku[i], ku, 1e-3) << row.f << " MHz, n = " << n;
      EXPECT_NEAR(h.ki[i], ki, 1e-3) << row.f << " MHz, n = " << n;
      // A low-pass tank suppresses each harmonic more than the one before.
      if (i > 0) {
        EXPECT_GT(h.ku[i], h.ku[i - 1]) << row.f << " MHz, n = " << n;
        EXPECT_GT(h.ki[i], h.ki[i - 1]) << row.f << " MHz, n = " << n;
      }
    }
  }
}

}  // namespace
}  // namespace merid
