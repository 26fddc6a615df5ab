#include "design/amplifier_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/inputs.h"
#include "calc/tank_model_test.h"
#include "design/band_table.h"
#include "design/pi_network.h"
#include "tests/support/design_values.h"

namespace merid {
namespace {

Design Calculated(float f, float qn, float q0, float rin, float rout) {
  return calculate(make_design(f, qn, q0, rin, rout, 100.0f));
}

// The grid's frequencies, accumulated as the sweeps accumulate them.
std::vector<double> Grid(const Design& d) {
  std::vector<double> freqs;
  float phi = d.details.fstart;
  for (std::int32_t i = 0; i < d.details.nstep; ++i) {
    freqs.push_back(phi);
    phi = phi + d.details.step;
  }
  return freqs;
}

// |20 log10| of the model's output at f over `reference`, from a source
// of `zs` ohm.
double DeviationDb(const Design& d, double f, double reference, double zs) {
  const Tank& t = d.details.tank;
  return std::fabs(20.0 * std::log10(model::output_ratio(f, t.c1, t.c2, t.l,
                                                         t.q0, t.rout, zs) /
                                     reference));
}

// Whether the voltage response stays within 1 dB of its value at F all the
// way from the first grid point up to F: a band that does not close below.
bool VoltageBandOpenBelow(const Design& d) {
  const Tank& t = d.details.tank;
  const double f = 1e6 * d.fmhz;
  const double at_f =
      model::output_ratio(f, t.c1, t.c2, t.l, t.q0, t.rout, d.rin);
  for (const double g : Grid(d)) {
    if (g > f) break;
    if (DeviationDb(d, g, at_f, d.rin) > 1.0) return false;
  }
  return true;
}

// Whether the current response at the last grid point lies within 1 dB of
// its peak over the upper half of the grid.
bool CurrentInBandAtTop(const Design& d) {
  const Tank& t = d.details.tank;
  const double zs = 11.0 * d.rin;
  const std::vector<double> grid = Grid(d);
  double peak = 0.0;
  for (std::size_t i = grid.size() / 2; i < grid.size(); ++i) {
    peak = std::max(
        peak, model::output_ratio(grid[i], t.c1, t.c2, t.l, t.q0, t.rout, zs));
  }
  return DeviationDb(d, grid.back(), peak, zs) <= 1.0;
}

std::vector<WarningCode> Codes(const Design& d) {
  std::vector<WarningCode> codes;
  for (const DesignWarning& w : amplifier_report(*pi_model(d), {}).warnings) {
    codes.push_back(w.code);
  }
  return codes;
}

TEST(WindowReach, VoltageBandCutByTheBottomOfTheWindow) {
  // Equal resistances: at a low loaded Q the voltage response is flat from
  // the bottom of the window up to F.
  const Design cut = Calculated(7.1f, 3.55f, 200.0f, 50.0f, 50.0f);
  EXPECT_TRUE(VoltageBandOpenBelow(cut));
  EXPECT_TRUE(window_reach(cut).voltage_bottom);
  EXPECT_EQ(Codes(cut), std::vector{WarningCode::kBandUAtBottom});

  const Design closed = Calculated(7.1f, 3.56f, 200.0f, 50.0f, 50.0f);
  EXPECT_FALSE(VoltageBandOpenBelow(closed));
  EXPECT_FALSE(window_reach(closed).voltage_bottom);
  EXPECT_EQ(Codes(closed), std::vector<WarningCode>{});
}

TEST(WindowReach, CurrentBandCutByTheTopOfTheWindow) {
  const Design cut = Calculated(7.1f, 1.14f, 200.0f, 50.0f, 50.0f);
  EXPECT_TRUE(CurrentInBandAtTop(cut));
  EXPECT_TRUE(window_reach(cut).current_top);
  const Design closed = Calculated(7.1f, 1.15f, 200.0f, 50.0f, 50.0f);
  EXPECT_FALSE(CurrentInBandAtTop(closed));
  EXPECT_FALSE(window_reach(closed).current_top);
}

TEST(AmplifierBandTable, FixedCoilRowsKeepTheTopsCoil) {
  AmplifierOptions options;
  options.fixed_coil = true;
  options.cmin = 25.0f;
  TankInputs inputs;
  static_cast<DesignInputs&>(inputs) =
      DesignInputs{0.0f, 65.0f, 200.0f, 2000.0f, 50.0f, 100.0f};
  const std::vector<BandRow> rows =
      band_table(*pi_network().uncalculated(inputs), options);
  ASSERT_EQ(rows.size(), 3 * amateur_bands().size());
  // 160 m: 1.8 MHz would need a loaded Q near 72.
  EXPECT_EQ(rows[0].report.coil, CoilFit::kQnAboveRange);
  EXPECT_FALSE(rows[0].design->feasible());
  EXPECT_EQ(rows[1].report.coil, CoilFit::kMatched);
  EXPECT_EQ(rows[2].report.coil, CoilFit::kTap);
  const float top_l = testing_support::value(*rows[2].design, "l");
  EXPECT_EQ(rows[0].report.l_fixed, top_l);
  EXPECT_EQ(rows[1].report.l_fixed, top_l);
  EXPECT_GT(testing_support::value(*rows[1].design, "qn"), 65.0f);
  // The loaded Q for Cmin belongs to the frequency, coil or not: at 160 m
  // C1 is far above 25 pF from the first feasible loaded Q on.
  EXPECT_EQ(rows[0].report.qn_for_cmin, 6.75f);
}

}  // namespace
}  // namespace merid
