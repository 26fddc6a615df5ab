#include "design/amplifier_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "base/inputs.h"
#include "calc/tank_model_test.h"
#include "design/band_table.h"
#include "design/pi_l_network.h"
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

// A tuned capacitor fits from the low end to the high end inclusive; the
// next value beyond either end misses by its distance.
TEST(CapacitorFit, BothEndsFitAndTheNextValuesBeyondMiss) {
  const CapacitorRange range{12.5f, 480.25f};
  const double low = range.low;
  const double high = range.high;
  const double inf = std::numeric_limits<double>::infinity();
  for (const double c : {low, high, 100.0, std::nextafter(low, -inf),
                         std::nextafter(high, inf), 0.0, 1000.0}) {
    const CapacitorFit fit = capacitor_fit(c, range);
    const bool inside = c >= low && c <= high;
    EXPECT_EQ(fit.fits, inside) << c;
    EXPECT_EQ(fit.miss, inside ? 0.0 : c < low ? low - c : c - high) << c;
  }
  EXPECT_FALSE(capacitor_fit(NAN, range).fits);
}

TankDesign PiL(float f, float qn, float q0, float rin, float rout,
               float rmid = NAN) {
  TankInputs in;
  static_cast<DesignInputs&>(in) = DesignInputs{f, qn, q0, rin, rout, 100.0f};
  in.parameters[0] = rmid;
  return pi_l_network().design(in);
}

// Each range is held against its network's tuned capacitor: C2 of the pi
// network, the middle capacitor of the pi-L.
TEST(AmplifierReport, PartsHoldTheRangesAgainstTheTunedCapacitors) {
  const TankDesign pi =
      pi_model(Calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f));
  const float c1 = testing_support::value(*pi, "c1");
  const float c2 = testing_support::value(*pi, "c2");
  AmplifierOptions options;
  EXPECT_FALSE(amplifier_report(*pi, options).parts.has_value());
  options.capacitors.c1 = CapacitorRange{c1, c1};
  options.capacitors.c2 = CapacitorRange{10.0f, c2 - 10.0f};
  const std::optional<PartsFit> parts = amplifier_report(*pi, options).parts;
  ASSERT_TRUE(parts.has_value());
  EXPECT_TRUE(parts->capacitors[0]->fits);
  EXPECT_FALSE(parts->capacitors[1]->fits);
  EXPECT_EQ(parts->capacitors[1]->miss,
            static_cast<double>(c2) - options.capacitors.c2->high);

  const TankDesign pi_l = PiL(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f);
  const float cmid = testing_support::value(*pi_l, "cmid");
  AmplifierOptions middle;
  middle.capacitors.c2 = CapacitorRange{cmid, 2.0f * cmid};
  const PartsFit fit = *amplifier_report(*pi_l, middle).parts;
  EXPECT_FALSE(fit.capacitors[0].has_value());
  EXPECT_TRUE(fit.capacitors[1]->fits);
}

std::vector<DesignWarning> Warnings(const DesignModel& d,
                                    const AmplifierOptions& options = {}) {
  return amplifier_report(d, options).warnings;
}

// The warning of `code` among `warnings`, or none.
std::optional<DesignWarning> Find(const std::vector<DesignWarning>& warnings,
                                  WarningCode code) {
  for (const DesignWarning& w : warnings) {
    if (w.code == code) return w;
  }
  return std::nullopt;
}

TEST(AmplifierReport, TypicalDesignsWarnOfNothing) {
  EXPECT_TRUE(
      Warnings(*pi_model(Calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f)))
          .empty());
  EXPECT_TRUE(Warnings(*PiL(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f)).empty());
}

TEST(AmplifierReport, LowEfficiencyBelowEightyPercent) {
  // eta = 1 - QN / Q0: 70 % at Q0 40, 80.3 % at Q0 61.
  for (const TankDesign& d :
       {pi_model(Calculated(7.1f, 12.0f, 40.0f, 2000.0f, 50.0f)),
        PiL(7.1f, 12.0f, 40.0f, 2000.0f, 50.0f)}) {
    const std::optional<DesignWarning> w =
        Find(Warnings(*d), WarningCode::kLowEfficiency);
    ASSERT_TRUE(w.has_value()) << d->network().name;
    EXPECT_EQ(w->figure, testing_support::value(*d, "eta"));
    EXPECT_EQ(w->context, testing_support::value(*d, "ploss"));
  }
  EXPECT_FALSE(
      Find(Warnings(*pi_model(Calculated(7.1f, 12.0f, 61.0f, 2000.0f, 50.0f))),
           WarningCode::kLowEfficiency));
}

// Given elements put a part exactly at its limit: there it does not warn,
// one float beyond it does, naming the part.
TEST(AmplifierReport, PartsWarnOnlyBeyondTheirLimits) {
  struct Row {
    const Network* network;
    std::size_t element;
    float limit, beyond;
    WarningCode code;
    std::string_view part;
  };
  using W = WarningCode;
  const Row kRows[] = {
      {&pi_network(), 0, 1e4f, std::nextafter(1e4f, 2e4f),
       W::kCapacitorTooLarge, "C1"},
      {&pi_network(), 1, 0.1f, std::nextafter(0.1f, 0.0f), W::kCoilTooSmall,
       "L"},
      {&pi_l_network(), 4, 1e4f, std::nextafter(1e4f, 2e4f),
       W::kCapacitorTooLarge, "COUT"},
      {&pi_l_network(), 3, 0.1f, std::nextafter(0.1f, 0.0f), W::kCoilTooSmall,
       "L2"},
  };
  for (const Row& row : kRows) {
    TankInputs in;
    static_cast<DesignInputs&>(in) =
        DesignInputs{7.1f, NAN, 200.0f, 2000.0f, 50.0f, 100.0f};
    in.elements = GivenElements{100.0f, 1.0f, 1000.0f, 1.0f, 100.0f};
    (*in.elements)[row.element] = row.limit;
    EXPECT_FALSE(Find(Warnings(*row.network->design(in)), row.code))
        << row.part;
    (*in.elements)[row.element] = row.beyond;
    const std::optional<DesignWarning> w =
        Find(Warnings(*row.network->design(in)), row.code);
    ASSERT_TRUE(w.has_value()) << row.part;
    EXPECT_EQ(w->subject, row.part);
    EXPECT_EQ(w->figure, row.beyond);
    EXPECT_EQ(w->context, row.code == W::kCoilTooSmall ? 0.1 : 1e4);
  }
}

// At 1200 W between 50 ohm L carries 30.2 A, C1 and C2 29.9 A.
TEST(AmplifierReport, CurrentsAboveThirtyAmperesWarn) {
  const TankDesign d = pi_model(
      calculate(make_design(7.1f, 12.0f, 200.0f, 50.0f, 50.0f, 1200.0f)));
  std::vector<std::string_view> parts;
  for (const DesignWarning& w : Warnings(*d)) {
    if (w.code != WarningCode::kCurrentTooLarge) continue;
    parts.push_back(w.subject);
    EXPECT_EQ(w.figure, testing_support::value(*d, "il"));
    EXPECT_EQ(w.context, 30.0);
  }
  EXPECT_EQ(parts, std::vector<std::string_view>{"L"});
  EXPECT_LT(testing_support::value(*d, "ic1"), 30.0f);
  EXPECT_LT(testing_support::value(*d, "ic2"), 30.0f);
}

TEST(AmplifierReport, PiLRmidBesideRinAndRout) {
  const std::vector<DesignWarning> low =
      Warnings(*PiL(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 30.0f));
  ASSERT_TRUE(Find(low, WarningCode::kRmidLow).has_value());
  EXPECT_EQ(Find(low, WarningCode::kRmidLow)->figure, 30.0);
  EXPECT_EQ(Find(low, WarningCode::kRmidLow)->context, 50.0);
  const std::vector<DesignWarning> high =
      Warnings(*PiL(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 2000.0f));
  ASSERT_TRUE(Find(high, WarningCode::kRmidHigh).has_value());
  EXPECT_EQ(Find(high, WarningCode::kRmidHigh)->context, 2000.0);
  EXPECT_FALSE(
      Find(Warnings(*PiL(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 1999.0f)),
           WarningCode::kRmidHigh));
  // RIN = ROUT says so, and not that RMID lies at or beyond them (L2 is
  // next to nothing as well).
  const std::vector<DesignWarning> equal =
      Warnings(*PiL(7.1f, 12.0f, 200.0f, 50.0f, 50.0f));
  ASSERT_TRUE(Find(equal, WarningCode::kRinEqualsRout).has_value());
  EXPECT_EQ(Find(equal, WarningCode::kRinEqualsRout)->figure, 50.0);
  EXPECT_FALSE(Find(equal, WarningCode::kRmidLow));
  EXPECT_FALSE(Find(equal, WarningCode::kRmidHigh));
}

TEST(AmplifierReport, RinEstimateBeyondAmplifiersOrForAnotherPower) {
  const TankDesign d =
      pi_model(Calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f));
  const auto estimate = [&d](RinEstimate::Device device, float rating,
                             double resistance) {
    AmplifierOptions options;
    options.rin_from = RinEstimate{device, {rating, 1.0f, rating}};
    options.rin_from->resistance = resistance;
    std::vector<WarningCode> out;
    for (const DesignWarning& w : Warnings(*d, options)) out.push_back(w.code);
    return out;
  };
  using W = WarningCode;
  using D = RinEstimate::Device;
  // A transistor's power is its P; PIN is 100 W.
  EXPECT_EQ(estimate(D::kTransistor, 105.0f, 2000.0), std::vector<W>{});
  EXPECT_EQ(estimate(D::kTransistor, 100.0f, 0.999),
            std::vector{W::kRinEstimateLow});
  EXPECT_EQ(estimate(D::kTransistor, 100.0f, 1.0), std::vector<W>{});
  EXPECT_EQ(estimate(D::kTransistor, 100.0f, 20000.001),
            std::vector{W::kRinEstimateHigh});
  EXPECT_EQ(estimate(D::kTransistor, 120.0f, 2000.0),
            std::vector{W::kRinEstimatePower});
  // A tube's is (0.9 EA)^2 / (2 RIN): 100 W from 2000 ohm at EA 702.7 V,
  // 81 W at EA 632.5 V.
  EXPECT_EQ(estimate(D::kTube, 702.7f, 2000.0), std::vector<W>{});
  EXPECT_EQ(estimate(D::kTube, 632.5f, 2000.0),
            std::vector{W::kRinEstimatePower});
}

}  // namespace
}  // namespace merid
