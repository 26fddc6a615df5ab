#include "calc/mismatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "calc/harmonics.h"
#include "calc/sub.h"
#include "calc/synthesis.h"
#include "tests/support/pi_circuit_model.h"

namespace merid {
namespace {

std::uint32_t bits(float x) { return std::bit_cast<std::uint32_t>(x); }

Design calculated(float f, float qn, float q0, float rin, float rout,
                  float pin) {
  Design d = make_design(f, qn, q0, rin, rout, pin);
  synthesis(d);
  return d;
}

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

// At SWR 1 the only load is rout: the currents, the coil voltage and |S11|
// are the bits of the screen's own analysis.
TEST(SwrStresses, MatchedLoadGivesTodaysStresses) {
  const Design d = calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f);
  const SwrStresses s = swr_stresses(d, 1.0f);
  const Results& r = d.results;
  EXPECT_EQ(bits(s.matched.ic1), bits(r.ic1));
  EXPECT_EQ(bits(s.matched.ic2), bits(r.ic2));
  EXPECT_EQ(bits(s.matched.il), bits(r.il));
  EXPECT_EQ(bits(s.matched.ul), bits(r.ul));
  EXPECT_EQ(bits(s.matched.s11_min), bits(r.s11));
  EXPECT_EQ(bits(s.matched.s11_max), bits(r.s11));
  const Tank& t = d.details.tank;
  const Harmonics h1 =
      garmonica1(r.uin, t.c1, t.c2, t.l, d.rin, t.rout, working_hertz(d), t.q0);
  EXPECT_EQ(bits(s.high_impedance.il), bits(h1.il));
  EXPECT_EQ(bits(s.high_impedance.ic1), bits(h1.ic1));
  EXPECT_EQ(bits(s.high_impedance.ul), bits(h1.ul));
  // The node voltages and powers are analysed, the screen's are the
  // nominal ones from the input power: they agree to rounding.
  EXPECT_NEAR(s.matched.uc1, r.uin, 1e-4f * r.uin);
  EXPECT_NEAR(s.matched.uc2, r.uout, 1e-4f * r.uout);
  EXPECT_NEAR(s.matched.pload, r.pout, 1e-4f * r.pout);
  EXPECT_NEAR(s.matched.ploss, r.ploss, 1e-3f * r.ploss);
  EXPECT_EQ(s.matched.r_min, s.matched.r_max);
}

// Every extreme of the double-precision circuit over a phase scan 100 times
// finer than the calculation's.
struct Scan {
  std::array<double, 14> high;  // uc1 uc2 ul ic1 ic2 il pload ploss r x s11
                                // and then -r -x -s11
};

Scan fine_scan(const Design& d, double emf, double zs, float swr) {
  const Tank& t = d.details.tank;
  const double g = (swr - 1.0) / (swr + 1.0);
  const int steps = 100 * kSwrPhases;
  Scan scan;
  scan.high.fill(-INFINITY);
  for (int k = 0; k < steps; ++k) {
    const double phase = 2.0 * std::numbers::pi * k / steps;
    const model::Cx gamma{g * std::cos(phase), g * std::sin(phase)};
    const model::Cx one{1.0, 0.0};
    const model::Cx load =
        model::Cx{t.rout, 0.0} * (one + gamma) / (one - gamma);
    const model::Circuit c{t.c1, t.c2, t.l, t.q0, emf, zs, load};
    const model::Solution s = model::solve(c, 1e6 * d.fmhz);
    const model::Cx rin{d.rin, 0.0};
    const double s11 = model::abs((s.zin - rin) / (s.zin + rin));
    const std::array<double, 14> v = {model::abs(s.v1),
                                      model::abs(s.v2),
                                      model::abs(s.zl * s.i_l),
                                      model::abs(s.i_c1),
                                      model::abs(s.i_c2),
                                      model::abs(s.i_l),
                                      s.p_load,
                                      s.p_loss,
                                      s.zin.re,
                                      s.zin.im,
                                      s11,
                                      -s.zin.re,
                                      -s.zin.im,
                                      -s11};
    for (std::size_t i = 0; i < v.size(); ++i) {
      scan.high[i] = std::max(scan.high[i], v[i]);
    }
  }
  return scan;
}

std::array<double, 14> reported(const MismatchStresses& m) {
  return {m.uc1,   m.uc2,   m.ul,    m.ic1,     m.ic2,    m.il,     m.pload,
          m.ploss, m.r_max, m.x_max, m.s11_max, -m.r_min, -m.x_min, -m.s11_min};
}

TEST(SwrStresses, ExtremesBoundAFinerScanOfTheCircuitModel) {
  struct Row {
    float f, qn, q0, rin, rout, pin, swr;
  };
  constexpr Row kRows[] = {
      {7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f, 2.0f},
      {7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f, 10.0f},
      {1.8f, 3.5f, 150.0f, 300.0f, 75.0f, 400.0f, 3.0f},
      {14.2f, 10.0f, 250.0f, 20.0f, 50.0f, 50.0f, 5.0f},
      {144.0f, 6.0f, 300.0f, 1000.0f, 50.0f, 10.0f, 1.5f},
      {3.6f, 20.0f, 999.0f, 1500.0f, 50.0f, 1000.0f, 10.0f},
  };
  for (const Row& row : kRows) {
    const Design d =
        calculated(row.f, row.qn, row.q0, row.rin, row.rout, row.pin);
    ASSERT_FALSE(d.infeasible) << row.f;
    const SwrStresses s = swr_stresses(d, row.swr);
    const double uin = d.results.uin;
    const double zscale = std::max(d.rin, d.rout);
    const std::array<Scan, 2> scans = {
        fine_scan(d, 2.0 * uin, d.rin, row.swr),
        fine_scan(d, 11.0 * uin, 11.0 * d.rin, row.swr)};
    const std::array<MismatchStresses, 2> got = {s.matched, s.high_impedance};
    for (std::size_t drive = 0; drive < 2; ++drive) {
      const std::array<double, 14> r = reported(got[drive]);
      for (std::size_t i = 0; i < r.size(); ++i) {
        const double want = scans[drive].high[i];
        // Single precision against double, and what a step of the finer
        // scan can miss at a smooth peak: far below 1e-5 either way.
        const bool impedance = i == 8 || i == 9 || i == 11 || i == 12;
        const bool s11 = i == 10 || i == 13;
        const double tol = impedance ? 1e-5 * zscale
                           : s11     ? 1e-5
                                     : 1e-5 * std::fabs(want);
        EXPECT_GE(r[i], want - tol)
            << row.f << " MHz, swr " << row.swr << ", drive " << drive
            << ", quantity " << i;
        EXPECT_LE(r[i], want + tol)
            << row.f << " MHz, swr " << row.swr << ", drive " << drive
            << ", quantity " << i;
      }
    }
  }
}

// A mismatched antenna raises the voltages the parts must stand.
TEST(SwrStresses, MismatchRaisesThePeakStresses) {
  const Design d = calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f);
  const SwrStresses one = swr_stresses(d, 1.0f);
  const SwrStresses three = swr_stresses(d, 3.0f);
  EXPECT_GT(three.matched.uc2, 1.2f * one.matched.uc2);
  EXPECT_GT(three.matched.il, one.matched.il);
  EXPECT_LT(three.matched.s11_min, three.matched.s11_max);
}

}  // namespace
}  // namespace merid
