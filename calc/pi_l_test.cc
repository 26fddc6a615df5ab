#include "calc/pi_l.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "calc/tank_model_test.h"

namespace merid {
namespace {

using model::coil;
using model::inverse;
using model::omega;
using model::parallel;
using model::Z;

// The ladder written out in double precision from the built elements:
// C1, L1 with loss, the middle capacitor, L2 with loss, the output
// capacitor (none when 0) and the load.
struct Ladder {
  double f, c1, l1, cmid, l2, cout, q0, rout;

  Z load() const {
    const Z y{1.0 / rout, omega(f) * cout};
    return inverse(y);
  }
  Z l_section() const { return coil(f, l2, q0) + load(); }
  Z middle() const { return parallel(model::capacitor(f, cmid), l_section()); }
  Z pi_branch() const { return coil(f, l1, q0) + middle(); }
  Z input() const { return parallel(model::capacitor(f, c1), pi_branch()); }
};

Ladder ladder_of(const PiLDesign& d, double f) {
  const PiLNetwork& n = d.network;
  return Ladder{f, n.c1, n.l1, n.cmid, n.l2, n.cout, n.q0, n.rout};
}

double magnitude(Z z) { return std::hypot(z.re, z.im); }

// Output voltage per volt of a source of internal resistance zs.
double transfer(const Ladder& l, double zs) {
  const Z vin = l.input() * inverse(l.input() + Z{zs, 0.0});
  const Z vmid = vin * inverse(l.pi_branch()) * l.middle();
  return magnitude(vmid * inverse(l.l_section()) * l.load());
}

// The same for the pi network of the same QN (C1, L, C2 from its design).
double pi_transfer(const Design& d, double f, double zs) {
  const Tank& t = d.details.tank;
  return model::output_ratio(f, t.c1, t.c2, t.l, t.q0, t.rout, zs);
}

struct Case {
  float f, qn, q0, rin, rout, pin, rmid;
};

// Step down through RMID above ROUT (CL at the middle) and step up through
// RMID below ROUT (CL across the load); the default RMID and others.
constexpr Case kCases[] = {
    {3.6f, 12.0f, 200.0f, 2000.0f, 50.0f, 500.0f, 0.0f},
    {7.1f, 10.0f, 250.0f, 3500.0f, 50.0f, 1000.0f, 0.0f},
    {14.2f, 15.0f, 300.0f, 1500.0f, 75.0f, 200.0f, 600.0f},
    {28.5f, 8.0f, 150.0f, 800.0f, 50.0f, 100.0f, 120.0f},
    {1.85f, 20.0f, 400.0f, 5000.0f, 50.0f, 1500.0f, 0.0f},
    {7.1f, 10.0f, 200.0f, 12.5f, 50.0f, 100.0f, 0.0f},
    {21.2f, 6.0f, 150.0f, 3.0f, 50.0f, 50.0f, 20.0f},
};

PiLDesign design_of(const Case& c) {
  const float rmid = c.rmid > 0.0f ? c.rmid : default_rmid(c.rin, c.rout);
  return pi_l_synthesis(DesignInputs{c.f, c.qn, c.q0, c.rin, c.rout, c.pin},
                        rmid);
}

TEST(PiL, DefaultRmidIsTheGeometricMeanToThreeDigits) {
  EXPECT_FLOAT_EQ(default_rmid(2000.0f, 50.0f), 316.0f);
  EXPECT_FLOAT_EQ(default_rmid(12.5f, 50.0f), 25.0f);
  EXPECT_FLOAT_EQ(default_rmid(3500.0f, 50.0f), 418.0f);
  EXPECT_FLOAT_EQ(default_rmid(3.0f, 50.0f), 12.2f);
}

TEST(PiL, MatchesAtFAndEachSectionHasItsLoadedQ) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.rin);
    const PiLDesign d = design_of(c);
    ASSERT_FALSE(d.infeasible);
    EXPECT_EQ(d.cl_at_middle, d.rmid >= c.rout);
    const double f = 1e6 * c.f;
    const Ladder l = ladder_of(d, f);
    const Z zin = l.input();
    EXPECT_NEAR(zin.re, c.rin, 2e-3 * c.rin);
    EXPECT_NEAR(zin.im, 0.0, 2e-3 * c.rin);
    // What C2' sees: the L section with CL where it stands.
    const Z zmid =
        d.cl_at_middle
            ? parallel(model::capacitor(f, 1e-12 * d.results.cl), l.l_section())
            : l.l_section();
    EXPECT_NEAR(zmid.re, d.rmid, 2e-3 * d.rmid);
    EXPECT_NEAR(zmid.im, 0.0, 2e-3 * d.rmid);

    // The pi section: the reactive power of L1 over the power it is given.
    const Z vin{std::sqrt(double{c.rin} * c.pin), 0.0};
    const Z il1 = vin * inverse(l.pi_branch());
    const double pin = (vin * Z{il1.re, -il1.im}).re;
    const double ql1 = (il1.re * il1.re + il1.im * il1.im) * omega(f) * l.l1;
    EXPECT_NEAR(ql1 / pin, c.qn, 2e-3 * c.qn);
    // The L section: its series arm's X over R, or the load's R over XCL.
    const double q_l = d.cl_at_middle ? omega(f) * l.l2 / l.l_section().re
                                      : c.rout * omega(f) * l.cout;
    EXPECT_NEAR(d.results.q_l, q_l, 1e-4 * q_l + 1e-6);
    const double expected = d.cl_at_middle ? std::sqrt(d.rmid / c.rout - 1.0)
                                           : std::sqrt(c.rout / d.rmid - 1.0);
    EXPECT_NEAR(q_l, expected, 0.05 * expected + 1e-6);
    EXPECT_LT(d.results.s11, 2e-3f);
  }
}

TEST(PiL, EfficiencyIsTheLoadsShareOfTheInputPower) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.rin);
    const PiLDesign d = design_of(c);
    const double f = 1e6 * c.f;
    const Ladder l = ladder_of(d, f);
    // Drive the input node with 1 V and follow the currents.
    const Z vin{1.0, 0.0};
    const Z il1 = vin * inverse(l.pi_branch());
    const Z vmid = il1 * l.middle();
    const Z il2 = vmid * inverse(l.l_section());
    const Z vout = il2 * l.load();
    auto sq = [](Z z) { return z.re * z.re + z.im * z.im; };
    const double loss1 = sq(il1) * omega(f) * l.l1 / l.q0;
    const double loss2 = sq(il2) * omega(f) * l.l2 / l.q0;
    const double load = sq(vout) / l.rout;
    const double input = (vin * Z{il1.re, -il1.im}).re;
    EXPECT_NEAR(input, load + loss1 + loss2, 1e-9 * input);
    const double eta = 100.0 * load / (load + loss1 + loss2);
    EXPECT_NEAR(d.results.eta, eta, 1e-3 * eta);
    EXPECT_NEAR(d.results.pout + d.results.ploss, c.pin, 1e-4 * c.pin);
    // Both coils lose: less than the pi section's 1 - QN / Q0 alone.
    EXPECT_LT(d.results.eta, 100.0f * (1.0f - c.qn / c.q0));
  }
}

TEST(PiL, SuppressesHarmonicsBetterThanThePiOfTheSameQn) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.rin);
    const PiLDesign d = design_of(c);
    Design pi = make_design(c.f, c.qn, c.q0, c.rin, c.rout, c.pin);
    synthesis(pi);
    ASSERT_FALSE(pi.infeasible);
    const double f = 1e6 * c.f;
    for (int n = 2; n <= 5; ++n) {
      const double ku = 20.0 * std::log10(transfer(ladder_of(d, f), c.rin) /
                                          transfer(ladder_of(d, n * f), c.rin));
      const double ki =
          20.0 * std::log10(transfer(ladder_of(d, f), 11.0 * c.rin) /
                            transfer(ladder_of(d, n * f), 11.0 * c.rin));
      EXPECT_NEAR(d.results.harmonics.ku[n - 2], ku, 0.01);
      EXPECT_NEAR(d.results.harmonics.ki[n - 2], ki, 0.01);
      const double pi_ku = 20.0 * std::log10(pi_transfer(pi, f, c.rin) /
                                             pi_transfer(pi, n * f, c.rin));
      EXPECT_GT(ku, pi_ku + 3.0) << "harmonic " << n;
    }
  }
}

TEST(PiL, OutputPortIsMatchedUpToTheLosses) {
  for (const Case& c : kCases) {
    const PiLDesign d = design_of(c);
    const Complex z = output_impedance(d.network, c.rin, 1e6f * c.f);
    EXPECT_NEAR(z.re, c.rout, 0.2 * c.rout);
    EXPECT_LT(d.results.s22, 0.2f);
  }
}

// The bands by the model over the same grid: first and last point within
// each, in kHz.
struct ModelBands {
  double bw_u = 0.0, bw_i = 0.0, bw_s11 = 0.0;
};

ModelBands model_bands(const PiLDesign& d, const Details& plan) {
  // Point 0 at fstart, then the running sum of the steps.
  std::vector<double> freqs;
  float freq = plan.fstart;
  for (std::int32_t i = 0; i < plan.nstep; ++i) {
    freqs.push_back(freq);
    freq = freq + plan.step;
  }
  const double f = 1e6 * double{d.f};
  const double vref = transfer(ladder_of(d, f), d.rin);
  // The peak over the upper half of the window, where F lies.
  double vmax = 0.0;
  for (const double x : freqs) {
    if (x < 0.5 * plan.nstep * plan.step) continue;
    vmax = std::max(vmax, transfer(ladder_of(d, x), 11.0 * d.rin));
  }
  // The run of neighbouring points within around the anchor, in kHz.
  const auto width = [&](auto inside, std::size_t points, std::size_t anchor) {
    if (anchor >= points || !inside(freqs[anchor])) return 0.0;
    std::size_t low = anchor;
    std::size_t high = anchor;
    while (low > 0 && inside(freqs[low - 1])) --low;
    while (high + 1 < points && inside(freqs[high + 1])) ++high;
    return (freqs[high] - freqs[low]) / 1000.0;
  };
  const auto nearest_to = [&](double x) {
    std::size_t best = 0;
    for (std::size_t i = 0; i < freqs.size(); ++i) {
      if (std::fabs(freqs[i] - x) < std::fabs(freqs[best] - x)) best = i;
    }
    return best;
  };
  std::size_t peak = freqs.size() / 2;
  double highest = 0.0;
  for (std::size_t i = peak; i < freqs.size(); ++i) {
    const double v = transfer(ladder_of(d, freqs[i]), 11.0 * d.rin);
    if (v > highest) {
      highest = v;
      peak = i;
    }
  }
  const std::size_t at_f = nearest_to(f);
  const auto within_1db = [](double v, double ref) {
    return std::fabs(20.0 * std::log10(v / ref)) <= 1.0;
  };
  ModelBands b;
  b.bw_u = width(
      [&](double x) {
        return within_1db(transfer(ladder_of(d, x), d.rin), vref);
      },
      freqs.size(), at_f);
  b.bw_i = width(
      [&](double x) {
        return within_1db(transfer(ladder_of(d, x), 11.0 * d.rin), vmax);
      },
      freqs.size(), peak);
  b.bw_s11 = width(
      [&](double x) {
        const Z z = ladder_of(d, x).input();
        const Z num{z.re - d.rin, z.im};
        const Z den{z.re + d.rin, z.im};
        return magnitude(num) / magnitude(den) <= 0.1;
      },
      static_cast<std::size_t>(plan.ns11), at_f);
  return b;
}

TEST(PiL, BandsOverThePiNetworksGridAgreeWithTheModel) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.rin);
    const PiLDesign d = design_of(c);
    Design pi = make_design(c.f, c.qn, c.q0, c.rin, d.rmid, c.pin);
    synthesis(pi);
    const ModelBands b = model_bands(d, pi.details);
    // A point at an edge may fall either way between the two precisions.
    const double step = 2.0 * pi.details.step / 1000.0;
    EXPECT_NEAR(d.results.bw_u, b.bw_u, step);
    EXPECT_NEAR(d.results.bw_i, b.bw_i, step);
    EXPECT_NEAR(d.results.bw_s11, b.bw_s11, step);
    // Each band lies around F, whatever else of the window is within.
    const float fhz = 1e6f * c.f;
    for (const Band& band : {d.bands.voltage, d.bands.current, d.bands.s11}) {
      EXPECT_TRUE(band.found);
      EXPECT_LT(band.low, fhz);
      EXPECT_GT(band.high, fhz);
    }
  }
}

// The run of traced points within `inside` around `anchor`; none for an
// anchor beyond the curve or outside.
template <typename Inside>
Band traced_run(const std::vector<CurvePoint>& curve, std::size_t anchor,
                Inside inside) {
  if (anchor >= curve.size() || !inside(curve[anchor].value)) return Band{};
  std::size_t low = anchor;
  std::size_t high = anchor;
  while (low > 0 && inside(curve[low - 1].value)) --low;
  while (high + 1 < curve.size() && inside(curve[high + 1].value)) ++high;
  return Band{true, curve[low].freq, curve[high].freq};
}

void expect_same(const Band& a, const Band& b) {
  EXPECT_EQ(a.found, b.found);
  EXPECT_EQ(a.low, b.low);
  EXPECT_EQ(a.high, b.high);
}

// Each band is the run of its own traced curve around its anchor: the
// point nearest F, and for the current band the first point of the upper
// half at the curve's highest level.  Besides the design's grid, one whose
// upper half begins within the current band and an S11 sweep that ends
// before F or runs past the responses.  The grid's top is its last point.
TEST(PiL, BandsAreTheRunsOfTheirTracesAroundTheAnchors) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.rin);
    const PiLDesign d = design_of(c);
    const SweepGrid& g = d.grid;
    const float fhz = 1e6f * c.f;
    const float below_f =
        d.bands.current.low + 0.3f * (fhz - d.bands.current.low);
    const std::int32_t at_f =
        static_cast<std::int32_t>((fhz - g.fstart) / g.step);
    const std::int32_t across =
        static_cast<std::int32_t>(2.0f * (below_f - g.fstart) / g.step);
    const struct {
      SweepGrid grid;
      std::int32_t ns11;
    } sweeps[] = {{g, d.ns11},
                  {SweepGrid{g.fstart, g.step, across}, across},
                  {g, at_f - 3},
                  {SweepGrid{g.fstart, g.step, at_f + 40}, at_f + 60}};
    for (const auto& sweep : sweeps) {
      SweepTrace t;
      const PiLBands bands = pi_l_bands(d.network, drive_voltage(d), d.rin, fhz,
                                        sweep.grid, sweep.ns11, &t);
      ASSERT_EQ(t.voltage.size(), static_cast<std::size_t>(sweep.grid.nstep));
      ASSERT_EQ(t.s11.size(), static_cast<std::size_t>(sweep.ns11));
      std::size_t nearest = 0;
      for (std::size_t k = 0; k < t.voltage.size(); ++k) {
        if (std::fabs(t.voltage[k].freq - fhz) <
            std::fabs(t.voltage[nearest].freq - fhz)) {
          nearest = k;
        }
      }
      std::size_t peak = t.current.size() / 2;
      for (std::size_t k = peak; k < t.current.size(); ++k) {
        if (t.current[k].value > t.current[peak].value) peak = k;
      }
      const auto within_1db = [](float db) { return std::fabs(db) <= 1.0f; };
      expect_same(bands.voltage, traced_run(t.voltage, nearest, within_1db));
      expect_same(bands.current, traced_run(t.current, peak, within_1db));
      expect_same(bands.s11, traced_run(t.s11, nearest,
                                        [](float r) { return r <= 0.1f; }));
      EXPECT_EQ(bands.top, t.voltage.back().freq);
    }
  }
}

// Bands as the band table has them, and designs through RMID above and
// below ROUT.
constexpr float kBandEdges[][3] = {{1.8f, 1.9f, 2.0f},
                                   {7.0f, 7.1f, 7.2f},
                                   {28.0f, 28.85f, 29.7f},
                                   {50.0f, 52.0f, 54.0f}};
constexpr LoadedQRange kAccepted{1.11f, 70.0f};

TEST(PiLFixedCoil, EachRowMatchesRinWithTheBandsCoilsAndOutputCapacitor) {
  for (const Case& c : {kCases[0], kCases[2], kCases[5]}) {
    for (const auto& band : kBandEdges) {
      SCOPED_TRACE(testing::Message()
                   << c.rin << " ohm, " << band[2] << " MHz");
      const PiLDesign top =
          design_of(Case{band[2], c.qn, c.q0, c.rin, c.rout, c.pin, c.rmid});
      ASSERT_FALSE(top.infeasible);
      for (const float f : {band[0], band[1]}) {
        const PiLFixedCoilRow row = pi_l_fixed_coil_row(top, f, kAccepted);
        ASSERT_EQ(row.fit, CoilFit::kMatched);
        EXPECT_EQ(row.l_fixed, top.results.l1);
        const PiLDesign& d = row.design;
        // The coils and the output capacitor are the top row's.
        EXPECT_EQ(d.network.l2, top.network.l2);
        EXPECT_EQ(d.network.cout, top.network.cout);
        EXPECT_NEAR(d.network.l1, top.network.l1, 1e-5 * top.network.l1);
        EXPECT_GT(d.qn, top.qn);
        // The ladder of the row's C1 and middle capacitor with the band's
        // one L1 and L2 matches RIN at the row's F.
        Ladder ladder = ladder_of(d, 1e6 * double{f});
        ladder.l1 = top.network.l1;
        const Z zin = ladder.input();
        EXPECT_NEAR(zin.re, c.rin, 2e-3 * c.rin);
        EXPECT_NEAR(zin.im, 0.0, 2e-3 * c.rin);
        // Without C2', the middle node shows the row's RMID: the L section
        // with the rest of the middle capacitor.
        const double w = omega(1e6 * double{f});
        const Z rest = inverse(inverse(ladder.middle()) +
                               Z{0.0, -w * 1e-12 * d.results.c2p});
        EXPECT_NEAR(rest.re, d.rmid, 2e-3 * d.rmid);
        EXPECT_NEAR(rest.im, 0.0, 2e-3 * d.rmid);
        EXPECT_LT(d.results.s11, 2e-3f);
      }
    }
  }
}

// RMID above RIN: at a lower F the fixed L section shows a lower RMID, the
// pi section's ratio shrinks and its coil asks for a lower loaded Q.
TEST(PiLFixedCoil, PiSectionWithLessToTransformTakesALowerLoadedQ) {
  const PiLDesign top = pi_l_synthesis(
      DesignInputs{2.0f, 12.0f, 200.0f, 50.0f, 200.0f, 100.0f}, 2000.0f);
  ASSERT_FALSE(top.infeasible);
  const PiLFixedCoilRow row = pi_l_fixed_coil_row(top, 1.8f, kAccepted);
  ASSERT_EQ(row.fit, CoilFit::kMatched);
  EXPECT_LT(row.design.qn, top.qn);
  EXPECT_NEAR(row.design.network.l1, top.network.l1, 1e-5 * top.network.l1);
  Ladder ladder = ladder_of(row.design, 1.8e6);
  ladder.l1 = top.network.l1;
  EXPECT_NEAR(ladder.input().re, 50.0, 0.1);
  EXPECT_NEAR(ladder.input().im, 0.0, 0.1);
}

TEST(PiLFixedCoil, LoadedQAboveTheAcceptedRangeIsSaid) {
  const PiLDesign top = pi_l_synthesis(
      DesignInputs{2.0f, 65.0f, 999.0f, 2000.0f, 50.0f, 100.0f}, 316.0f);
  ASSERT_FALSE(top.infeasible);
  EXPECT_EQ(pi_l_fixed_coil_row(top, 1.6f, kAccepted).fit,
            CoilFit::kQnAboveRange);
}

TEST(PiLCmin, LoadedQOfThePiSectionIsTheFirstGivingCmin) {
  const PiLDesign d = design_of(kCases[0]);
  for (const double cmin : {150.0, 300.0, 700.0}) {
    SCOPED_TRACE(cmin);
    const std::optional<float> qn =
        loaded_q_for_cmin(pi_section_inputs(d), cmin, kAccepted);
    ASSERT_TRUE(qn.has_value());
    const auto c1_at = [&](float q) {
      const PiLDesign at = pi_l_synthesis(
          DesignInputs{d.f, q, d.q0, d.rin, d.rout, d.pin}, d.rmid);
      // C1 as the ladder needs it to match: the admittance of the branch
      // behind it, cancelled.
      Ladder l = ladder_of(at, 1e6 * double{d.f});
      const Z y = inverse(l.pi_branch());
      return at.infeasible ? -1.0 : -y.im / omega(1e6 * double{d.f}) * 1e12;
    };
    EXPECT_GE(c1_at(*qn), cmin * (1.0 - 1e-4));
    EXPECT_LT(c1_at(*qn - 0.001f), cmin);
  }
  EXPECT_EQ(loaded_q_for_cmin(pi_section_inputs(d), 1e5, kAccepted),
            std::nullopt);
}

TEST(PiLWarnings, EachWarningOfAPiLDesignAndOneJustOutside) {
  const PiLDesign d = design_of(kCases[0]);
  const WarningFigures f = warning_figures(d);
  EXPECT_TRUE(design_warnings(f, std::nullopt).empty());
  const auto codes = [](const std::vector<DesignWarning>& w) {
    std::vector<WarningCode> out;
    for (const DesignWarning& x : w) out.push_back(x.code);
    return out;
  };
  EXPECT_EQ(codes(design_warnings(f, double{d.results.c1} + 0.001)),
            std::vector<WarningCode>{WarningCode::kC1BelowCmin});
  EXPECT_TRUE(design_warnings(f, double{d.results.c1} - 0.001).empty());

  // A low-Q network with nearly equal resistances: the voltage response
  // stays within 1 dB down to the bottom of the window, which the model
  // confirms.
  const PiLDesign flat = pi_l_synthesis(
      DesignInputs{1.0f, 2.0f, 30.0f, 1360.0f, 2180.0f, 100.0f}, 1720.0f);
  ASSERT_FALSE(flat.infeasible);
  const WarningFigures ff = warning_figures(flat);
  EXPECT_TRUE(ff.reach.voltage_bottom);
  const double bottom = flat.grid.fstart;
  const double vref = transfer(ladder_of(flat, 1e6 * double{flat.f}), flat.rin);
  EXPECT_LE(
      std::fabs(20.0 *
                std::log10(transfer(ladder_of(flat, bottom), flat.rin) / vref)),
      1.0);
  EXPECT_FALSE(f.reach.voltage_bottom);
  EXPECT_FALSE(f.reach.voltage_top);
  // A pi-L's S11 band has no crossing count: a run of fewer than two
  // points warns, as its width is then 0.
  EXPECT_FALSE(f.s11_crossings.has_value());
  WarningFigures narrow = f;
  narrow.s11_run_points = 1;
  EXPECT_EQ(codes(design_warnings(narrow, std::nullopt)),
            std::vector<WarningCode>{WarningCode::kS11NoWidth});
}

TEST(PiL, TooSmallQnForRinToRmidIsInfeasible) {
  EXPECT_TRUE(
      pi_l_synthesis(DesignInputs{7.1f, 2.0f, 200.0f, 5000.0f, 50.0f, 100.0f},
                     500.0f)
          .infeasible);
}

// The closed form gives the network pi_l_synthesis builds to the bit:
// stepping down (CL at the middle) and up (COUT across the load), RMID
// given, a pi section balanced (48.5 ohm to 50 at eta 0.97), and none
// where the pi section is infeasible.
TEST(PiL, ClosedFormElementsAreTheSynthesisNetwork) {
  const struct {
    DesignInputs inputs;
    float rmid;
  } designs[] = {
      {{7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f}, 316.0f},
      {{7.1f, 10.0f, 200.0f, 12.5f, 50.0f, 100.0f}, 25.0f},
      {{14.2f, 15.0f, 300.0f, 1500.0f, 75.0f, 200.0f}, 600.0f},
      {{28.5f, 8.0f, 150.0f, 3000.0f, 50.0f, 1500.0f}, 100.0f},
      {{7.1f, 3.0f, 100.0f, 48.5f, 75.0f, 100.0f}, 50.0f},
      {{7.1f, 2.0f, 200.0f, 5000.0f, 50.0f, 100.0f}, 500.0f},
  };
  using Bits = std::array<std::uint32_t, 7>;
  for (const auto& c : designs) {
    const PiLDesign inputs = make_pi_l_design(c.inputs, c.rmid);
    const PiLDesign full = pi_l_synthesis(inputs);
    const std::optional<PiLNetwork> n = pi_l_elements(inputs);
    ASSERT_EQ(n.has_value(), !full.infeasible) << c.inputs.f;
    if (!n) continue;
    EXPECT_EQ(std::bit_cast<Bits>(*n), std::bit_cast<Bits>(full.network))
        << c.inputs.f << " " << c.rmid;
  }
  EXPECT_TRUE(
      pi_l_synthesis(make_pi_l_design(designs[5].inputs, 500.0f)).infeasible);
}

}  // namespace
}  // namespace merid
