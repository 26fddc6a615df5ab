#include "calc/amplifier.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "calc/tank_model_test.h"

namespace merid {
namespace {

constexpr LoadedQRange kRange{std::nextafter(1.11f, 2.0f), 70.0f};

Design typical_at(float f_mhz, float qn) {
  return make_design(f_mhz, qn, 200.0f, 2000.0f, 50.0f, 100.0f);
}

// The C1 that makes the input of the design's network real, from the
// model: the susceptance that cancels the branch's, over omega.
double matching_c1_pf(const Design& d) {
  const Tank& t = d.details.tank;
  const double f = 1e6 * d.fmhz;
  const model::Z y = model::inverse(model::branch(f, t.c2, t.l, t.q0, t.rout));
  return -y.im / model::omega(f) * 1e12;
}

TEST(LoadedQForCmin, LowestLoadedQOnTheGridWhoseC1ReachesCmin) {
  const Design inputs = typical_at(7.1f, 12.0f);
  const std::optional<float> qn = loaded_q_for_cmin(inputs, 150.0, kRange);
  ASSERT_TRUE(qn.has_value());
  const double thousandths = 1000.0 * *qn;
  EXPECT_NEAR(thousandths, std::round(thousandths), 1e-3);

  const Design at = with_loaded_q(inputs, *qn);
  const Design below = with_loaded_q(
      inputs, static_cast<float>((std::round(thousandths) - 1.0) / 1000.0));
  ASSERT_FALSE(at.infeasible);
  ASSERT_FALSE(below.infeasible);
  EXPECT_GE(at.results.c1, 150.0f);
  EXPECT_LT(below.results.c1, 150.0f);
  // The C1 compared is the one that matches the network's own branch.
  EXPECT_NEAR(at.results.c1, matching_c1_pf(at), 1e-4 * at.results.c1);
  EXPECT_NEAR(below.results.c1, matching_c1_pf(below), 1e-4 * below.results.c1);
}

TEST(LoadedQForCmin, FirstFeasibleLoadedQOrNone) {
  const Design inputs = typical_at(7.1f, 12.0f);
  // Below 6.75 the transformation 2000:50 is infeasible at Q0 200.
  EXPECT_EQ(loaded_q_for_cmin(inputs, 1.0, kRange), 6.75f);
  EXPECT_EQ(loaded_q_for_cmin(inputs, 5000.0, kRange), std::nullopt);
  EXPECT_EQ(loaded_q_for_cmin(inputs, 150.0, LoadedQRange{1.2f, 13.0f}),
            std::nullopt);
}

TEST(FixedCoilRow, EachRowMatchesRinWithTheBandsOneCoil) {
  const float bands[][3] = {{1.8f, 1.9f, 2.0f},
                            {7.0f, 7.1f, 7.2f},
                            {28.0f, 28.85f, 29.7f},
                            {50.0f, 52.0f, 54.0f}};
  for (const auto& band : bands) {
    const Design top = with_loaded_q(typical_at(band[2], 12.0f), 12.0f);
    ASSERT_FALSE(top.infeasible);
    const double coil = top.details.tank.l;
    float previous_qn = top.qn;
    for (const float f : {band[1], band[0]}) {
      SCOPED_TRACE(testing::Message() << f << " MHz");
      const FixedCoilRow row =
          fixed_coil_row(top, typical_at(f, top.qn), kRange);
      ASSERT_EQ(row.fit, CoilFit::kMatched);
      EXPECT_EQ(row.l_fixed, top.results.l);
      const Design& d = row.design;
      ASSERT_FALSE(d.infeasible);
      EXPECT_EQ(d.fmhz, f);
      EXPECT_GT(d.qn, previous_qn);  // lower F, higher loaded Q
      previous_qn = d.qn;
      const Tank& t = d.details.tank;
      const double hz = 1e6 * f;
      const model::Z zin = model::input_impedance(
          hz, model::capacitor(hz, t.c1), t.c2, coil, t.q0, t.rout);
      EXPECT_NEAR(zin.re, 2000.0, 0.5);
      EXPECT_NEAR(zin.im, 0.0, 0.5);
      EXPECT_NEAR(model::loaded_q(hz, t.c2, coil, t.q0, t.rout), d.qn,
                  1e-4 * d.qn);
    }
  }
}

TEST(FixedCoilRow, LoadedQAboveTheAcceptedRangeIsSaid) {
  // At 1.8 MHz the coil of 2 MHz and Qn 65 asks for about 72.
  const Design top = with_loaded_q(typical_at(2.0f, 65.0f), 65.0f);
  EXPECT_EQ(fixed_coil_row(top, typical_at(1.8f, 65.0f), kRange).fit,
            CoilFit::kQnAboveRange);
  const FixedCoilRow centre =
      fixed_coil_row(top, typical_at(1.9f, 65.0f), kRange);
  ASSERT_EQ(centre.fit, CoilFit::kMatched);
  EXPECT_GT(centre.design.qn, 65.0f);
  EXPECT_LT(centre.design.qn, 70.0f);
}

TEST(LoadResistanceFromRatings, TubeByClassAndTransistorBySwing) {
  // k is the cosine pulses' fundamental over their mean at the class's
  // conduction angle, over the 0.9 EA swing: class A's undistorted current
  // has k = 1 / 0.9, AB (240 degrees) 1.468, C (120 degrees) 1.993.
  EXPECT_NEAR(tube_load_resistance(2600.0, 1.0, TubeClass::kA), 2340.0, 1e-9);
  EXPECT_NEAR(tube_load_resistance(2500.0, 0.4, TubeClass::kAB), 4258.0699,
              1e-4);
  // Class B: half-sine pulses, whose fundamental is pi/2 times their mean,
  // against a swing of 0.9 EA.
  EXPECT_NEAR(tube_load_resistance(1750.0, 0.5, TubeClass::kB),
              0.9 * 1750.0 / (0.5 * std::numbers::pi / 2.0), 1e-9);
  EXPECT_NEAR(tube_class_factor(TubeClass::kB),
              std::numbers::pi / (2.0 * kAnodeSwing), 0.01);
  // The power the rule stands for: 0.9 EA across RIN.
  EXPECT_DOUBLE_EQ(tube_output_power(2000.0, 1620.0), 1000.0);
  EXPECT_NEAR(tube_load_resistance(3000.0, 0.5, TubeClass::kC), 3010.6633,
              1e-4);
  // 13.8 V, 1.3 V saturation, 100 W: 12.5^2 / 200.
  EXPECT_DOUBLE_EQ(transistor_load_resistance(13.8, 1.3, 100.0), 0.78125);
}

}  // namespace
}  // namespace merid
