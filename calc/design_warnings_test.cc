#include "calc/design_warnings.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc/tank_model_test.h"

namespace merid {
namespace {

Design calculated(float f, float qn, float q0, float rin, float rout) {
  Design d = make_design(f, qn, q0, rin, rout, 100.0f);
  synthesis(d);
  return d;
}

std::vector<WarningCode> codes(const Design& d, WindowReach reach = {},
                               std::optional<double> cmin = std::nullopt) {
  std::vector<WarningCode> out;
  for (const DesignWarning& w :
       design_warnings(warning_figures(d, reach), cmin)) {
    out.push_back(w.code);
  }
  return out;
}

using Codes = std::vector<WarningCode>;

TEST(DesignWarnings, TypicalDesignHasNone) {
  EXPECT_EQ(codes(calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f)), Codes{});
}

TEST(DesignWarnings, NegativeC1GivesTheShuntInductorThatMatches) {
  // A low loaded Q with a low efficiency and rin well below rout.
  const Design d = calculated(14.0f, 1.48f, 4.3f, 12.5f, 50.0f);
  ASSERT_LT(d.results.c1, 0.0f);
  const std::vector<DesignWarning> w =
      design_warnings(warning_figures(d, {}), std::nullopt);
  ASSERT_EQ(w.size(), 1u);
  EXPECT_EQ(w[0].code, WarningCode::kC1Negative);
  const Tank& t = d.details.tank;
  const model::Z zin = model::input_impedance(
      14e6, model::inductor(14e6, w[0].figure * 1e-6), t.c2, t.l, t.q0, t.rout);
  EXPECT_NEAR(zin.re, 12.5, 1e-3);
  EXPECT_NEAR(zin.im, 0.0, 1e-3);

  EXPECT_EQ(codes(calculated(14.0f, 1.49f, 4.3f, 12.5f, 50.0f)), Codes{});
}

TEST(DesignWarnings, NegativeSuppression) {
  // A low ratio at a low loaded Q: KI falls below 0 dB.
  EXPECT_EQ(codes(calculated(14.0f, 2.01f, 30.0f, 12.5f, 50.0f)),
            Codes{WarningCode::kKiNegative});
  EXPECT_EQ(codes(calculated(14.0f, 2.02f, 30.0f, 12.5f, 50.0f)), Codes{});
  // No accepted design gives a negative KU; the test is the sign.
  Design d = calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f);
  d.results.ku = -0.001f;
  EXPECT_EQ(codes(d), Codes{WarningCode::kKuNegative});
  d.results.ku = 0.0f;
  EXPECT_EQ(codes(d), Codes{});
}

TEST(DesignWarnings, S11BandFromOneCrossingIsItsFrequency) {
  const Design d = calculated(14.0f, 1.47f, 200.0f, 50.0f, 50.0f);
  const std::vector<DesignWarning> w =
      design_warnings(warning_figures(d, {}), std::nullopt);
  ASSERT_EQ(w.size(), 1u);
  EXPECT_EQ(w[0].code, WarningCode::kS11OneCrossing);
  // |S11| of the model passes 0.1 between the figure and the next point.
  const Tank& t = d.details.tank;
  const auto s11 = [&t](double hz) {
    const model::Z zin = model::input_impedance(hz, model::capacitor(hz, t.c1),
                                                t.c2, t.l, t.q0, t.rout);
    return std::hypot(zin.re - 50.0, zin.im) /
           std::hypot(zin.re + 50.0, zin.im);
  };
  const double f = 1e3 * w[0].figure;
  EXPECT_LT((s11(f) - 0.1) * (s11(f + d.details.step) - 0.1), 0.0);

  EXPECT_EQ(codes(calculated(14.0f, 1.48f, 200.0f, 50.0f, 50.0f)), Codes{});
}

TEST(DesignWarnings, MoreThanThreeCrossingsGiveNoWidth) {
  // A low loaded Q at 0.1 MHz: |S11| dips through 0.1 twice, four
  // crossings in all, and bw_s11 is 0.
  const Design d = calculated(0.1f, 1.46f, 3.0f, 1232.6f, 1000.0f);
  const std::vector<DesignWarning> w =
      design_warnings(warning_figures(d, {}), std::nullopt);
  ASSERT_EQ(w.size(), 1u);
  EXPECT_EQ(w[0].code, WarningCode::kS11NoWidth);
  EXPECT_EQ(w[0].figure, 4.0);
  EXPECT_EQ(d.results.bw_s11, 0.0f);
  EXPECT_EQ(codes(calculated(0.1f, 1.47f, 3.0f, 1232.6f, 1000.0f)), Codes{});
}

// No accepted design misses rin at F by more than rounding; the test is
// the limit.
TEST(DesignWarnings, S11AtFAboveTheLimit) {
  Design d = calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f);
  d.results.s11 = 0.01f;
  EXPECT_EQ(codes(d), Codes{});
  d.results.s11 = std::nextafter(0.01f, 1.0f);
  EXPECT_EQ(codes(d), Codes{WarningCode::kS11AtF});
}

TEST(DesignWarnings, C1BelowCminWithItsMargin) {
  const Design d = calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f);
  const double c1 = d.results.c1;
  EXPECT_EQ(codes(d, {}, c1), Codes{});
  const std::vector<DesignWarning> w =
      design_warnings(warning_figures(d, {}), c1 + 0.001);
  ASSERT_EQ(w.size(), 1u);
  EXPECT_EQ(w[0].code, WarningCode::kC1BelowCmin);
  EXPECT_NEAR(w[0].figure, -0.001, 1e-9);
}

TEST(DesignWarnings, BandsAtTheWindowEdgesEachWithTheirWidth) {
  const Design d = calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f);
  const std::vector<DesignWarning> w = design_warnings(
      warning_figures(d, WindowReach{true, true, true, true}), std::nullopt);
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(w[0].code, WarningCode::kBandUAtBottom);
  EXPECT_EQ(w[1].code, WarningCode::kBandUAtTop);
  EXPECT_EQ(w[2].code, WarningCode::kBandIAtBottom);
  EXPECT_EQ(w[3].code, WarningCode::kBandIAtTop);
  EXPECT_EQ(w[0].figure, d.results.bw_u);
  EXPECT_EQ(w[3].figure, d.results.bw_i);
}

}  // namespace
}  // namespace merid
