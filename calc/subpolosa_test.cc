#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <span>
#include <vector>

#include "calc/network.h"
#include "calc/s11module.h"
#include "calc/sweep.h"
#include "calc/sweep_internal.h"
#include "calc/synthesis.h"

namespace merid {
namespace {

std::uint32_t bits(float x) { return std::bit_cast<std::uint32_t>(x); }

TEST(Delta, StepAtTheBandEdges) {
  struct Row {
    float f;
    float step;
  };
  const Row rows[] = {
      {std::nextafter(1100000.0f, 0.0f), 500.0f},  // low band
      {1100000.0f, 500.0f},                        // middle band, 500.03
      {7100000.0f, 1431.0f},
      {std::nextafter(30100000.0f, 0.0f), 5001.0f},
      {30100000.0f, 5000.0f},
      {150000000.0f, 5000.0f},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(delta(row.f, 1000.0f, 1.3f * row.f).step, row.step) << row.f;
  }
}

TEST(Delta, SmallestAndLargestGrids) {
  EXPECT_EQ(delta(100000.0f, 1000.0f, 1.3f * 100000.0f).nstep, 258);
  EXPECT_EQ(delta(150000000.0f, 1000.0f, 1.9f * 150000000.0f).nstep, 57000);
}

TEST(Delta, PointCountRoundsHalvesAwayFromZero) {
  // (fstop - fstart) / step = 2.5 exactly.
  EXPECT_EQ(delta(100000.0f, 1000.0f, 2250.0f).nstep, 3);
}

// The bandwidths of the typical design, in Hz, follow from the grid: both
// are whole multiples of the step, and the voltage response is the wider.
TEST(ResponseBandwidth, TypicalDesignOnTheGrid) {
  Design d = make_design(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f);
  synthesis(d);
  ASSERT_FALSE(d.infeasible);
  const float step = d.details.step;
  const float bw_u = d.results.bw_u * 1000.0f;
  const float bw_i = d.results.bw_i * 1000.0f;
  EXPECT_NEAR(std::remainder(bw_u, step), 0.0f, 1.0f);
  EXPECT_NEAR(std::remainder(bw_i, step), 0.0f, 1.0f);
  EXPECT_GT(bw_u, bw_i);
  // A loaded Q of 12 at 7.1 MHz: the 3 dB band is about f/Qn = 592 kHz.
  EXPECT_GT(d.results.bw_u, 200.0f);
  EXPECT_LT(d.results.bw_u, 1200.0f);
}

TEST(ResponseBandwidth, NoPointInBandGivesZero) {
  // A grid far below resonance: every point is many dB off the reference.
  const SweepGrid grid{1000.0f, 500.0f, 20};
  const Design typical = [] {
    Design d = make_design(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f);
    synthesis(d);
    return d;
  }();
  const Tank& t = typical.details.tank;
  EXPECT_EQ(fpolosa2(t.c1, t.c2, t.l, typical.results.uin, 2000.0f, 50.0f,
                     200.0f, grid, typical.details.vref2),
            0.0f);
}

}  // namespace
}  // namespace merid

namespace merid {
namespace {

std::vector<ResponsePoint> response(std::initializer_list<float> devs) {
  std::vector<ResponsePoint> resp;
  float f = 1000.0f;
  for (float dev : devs) {
    resp.push_back({f, dev});
    f += 500.0f;
  }
  return resp;
}

TEST(BandWidth, SearchRules) {
  struct Row {
    const char* what;
    std::vector<ResponsePoint> resp;
    float width;
  };
  const Row rows[] = {
      {"one run", response({3, 2, 0.5f, 0.2f, 0.9f, 1.5f, 4}), 1000.0f},
      {"exactly 1 dB is in band", response({3, 1.0f, 0.5f, 1.0f, 3}), 1000.0f},
      {"a run from the bottom of the grid counts with one falling edge",
       response({0.2f, 0.5f, 0.8f, 2, 5}), 1000.0f},
      {"a first run followed by another is passed over",
       response({0.2f, 0.5f, 2, 3, 0.5f, 0.1f, 0.5f, 2}), 1000.0f},
      {"runs after the first all count, gaps included",
       response({0.5f, 2, 0.5f, 2, 0.5f, 0.5f, 2}), 1500.0f},
      {"a reference point (0 dB) does not start a falling edge",
       response({0.0f, 2, 0.5f, 2}), 1000.0f},
      {"a run that reaches the top of the grid", response({3, 3, 0.5f, 0.5f}),
       500.0f},
      {"a single point in band", response({3, 0.5f, 3}), 0.0f},
      {"no point in band", response({3, 4, 5}), 0.0f},
      {"empty grid", {}, 0.0f},
  };
  for (const Row& row : rows) {
    std::vector<ResponsePoint> resp = row.resp;
    EXPECT_EQ(band_width(resp), row.width) << row.what;
  }
}

}  // namespace
}  // namespace merid

namespace merid {
namespace {

// The three ways the band search looks at a deviation.
struct Comparisons {
  bool beyond_limit;
  bool above_zero;
  bool below_zero;
  bool operator==(const Comparisons&) const = default;
};

Comparisons compare(float dev) { return {dev > 1.0f, dev > 0.0f, dev < 0.0f}; }

float float_after(float x, int ulps) {
  auto b = std::bit_cast<std::int32_t>(x) + ulps;
  return std::bit_cast<float>(b);
}

TEST(DeviationScale, BoundsLieWhereTheDeviationCrossesItsLimits) {
  const DeviationScale scale;
  EXPECT_NEAR(scale.below(), 0.8913f, 1e-4f);  // -1 dB
  EXPECT_NEAR(scale.above(), 1.1220f, 1e-4f);  // +1 dB
  EXPECT_LE(deviation_db(scale.below()), 1.0f);
  EXPECT_GT(deviation_db(float_after(scale.below(), -1)), 1.0f);
  EXPECT_LE(deviation_db(scale.above()), 1.0f);
  EXPECT_GT(deviation_db(float_after(scale.above(), 1)), 1.0f);
  EXPECT_EQ(deviation_db(scale.zero_lo()), 0.0f);
  EXPECT_GT(deviation_db(float_after(scale.zero_lo(), -1)), 0.0f);
  EXPECT_EQ(deviation_db(scale.zero_hi()), 0.0f);
  EXPECT_GT(deviation_db(float_after(scale.zero_hi(), 1)), 0.0f);
}

// The stand-in must take every decision the deviation takes: around each
// bound, where a rounding could tip it, and at random bit patterns.  (All
// 2^32 floats were checked once by hand the same way.)
TEST(DeviationScale, StandInComparesAsTheDeviation) {
  const DeviationScale scale;
  for (const float bound :
       {scale.below(), scale.zero_lo(), scale.zero_hi(), scale.above(), 1.0f}) {
    for (int ulps = -20000; ulps <= 20000; ++ulps) {
      const float x = float_after(bound, ulps);
      ASSERT_EQ(compare(scale.stand_in(x)), compare(deviation_db(x)))
          << std::hexfloat << x;
    }
  }
  std::uint32_t state = 1;
  for (int i = 0; i < 200000; ++i) {
    state = state * 1664525u + 1013904223u;
    const float x = std::bit_cast<float>(state);
    ASSERT_EQ(compare(scale.stand_in(x)), compare(deviation_db(x)))
        << std::hexfloat << x;
  }
  for (const float x : {0.0f, -0.0f, INFINITY, -1.0f, NAN}) {
    EXPECT_EQ(compare(scale.stand_in(x)), compare(deviation_db(x))) << x;
  }
}

// A response read off squared magnitudes, voltage or current: around each
// edge and far from them, the square must be sorted as its ratio.
TEST(ResponseScale, SquaresSortAsTheirRatios) {
  const DeviationScale deviation;
  const ResponseRatio ratios[] = {
      {false, 0.0f}, {true, 1e-3f}, {true, 0.7f}, {true, 447.0f}, {true, 3e4f}};
  for (const ResponseRatio& ratio : ratios) {
    const ResponseScale scale(deviation, ratio);
    ASSERT_TRUE(scale.shortcuts());
    const ResponseScale::Edges& e = scale.edges();
    std::vector<double> squares = {
        0.0, 1e-300, 1e300, INFINITY, NAN, std::numeric_limits<double>::max()};
    for (const double edge :
         {e.out_below, e.zero_from, e.zero_to, e.out_from}) {
      ASSERT_TRUE(std::isfinite(edge));
      for (int k = -3000; k <= 3000; ++k) {
        squares.push_back(edge * (1.0 + k * 1e-9));
      }
      for (int ulps = -64; ulps <= 64; ++ulps) {
        squares.push_back(
            std::bit_cast<double>(std::bit_cast<std::int64_t>(edge) + ulps));
      }
    }
    for (int k = -300; k <= 300; ++k)
      squares.push_back(std::pow(10.0, k * 0.1));
    for (const double s : squares) {
      ASSERT_EQ(compare(scale.stand_in(s)), compare(deviation_db(ratio(s))))
          << ratio.vmax << " " << std::hexfloat << s;
    }
  }
}

TEST(ResponseScale, CurrentResponseWithoutAPeakTakesNoShortcut) {
  const DeviationScale deviation;
  for (const float vmax : {0.0f, INFINITY, NAN}) {
    const ResponseScale scale(deviation, ResponseRatio{true, vmax});
    EXPECT_FALSE(scale.shortcuts());
    for (const double s : {0.0, 1.0, 1e10, double{INFINITY}}) {
      EXPECT_EQ(compare(scale.stand_in(s)),
                compare(deviation_db(ResponseRatio{true, vmax}(s))));
    }
  }
}

// The band search as first written: three passes over the table.
float band_width_in_passes(std::span<ResponsePoint> resp) {
  const auto mark = [](ResponsePoint& p) { p.freq = p.dev = -10.0f; };
  for (ResponsePoint& point : resp) {
    if (point.dev > 1.0f) mark(point);
  }
  int falling_edges = 0;
  std::size_t first_edge = 0;
  for (std::size_t i = 1; i < resp.size(); ++i) {
    if (resp[i - 1].dev > 0.0f && resp[i].dev < 0.0f) {
      if (falling_edges == 0) first_edge = i;
      ++falling_edges;
    }
  }
  if (falling_edges >= 2) {
    for (std::size_t i = 0; i <= first_edge; ++i) mark(resp[i]);
  }
  const ResponsePoint* first = nullptr;
  const ResponsePoint* last = nullptr;
  for (const ResponsePoint& point : resp) {
    if (point.freq > 0.0f) {
      if (first == nullptr) first = &point;
      last = &point;
    }
  }
  return first == nullptr ? 0.0f : last->freq - first->freq;
}

class RandomResponses {
 public:
  std::uint32_t next(std::uint32_t n) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % n;
  }
  // A table of up to 40 points; deviations around 0 and 1 dB, negative and
  // not-a-number ones included, frequencies now and then at or below 0.
  std::vector<ResponsePoint> table() {
    static constexpr float kDevs[] = {-10.0f, -0.5f, 0.0f, 0.3f, 0.9f,
                                      1.0f,   1.5f,  6.0f, NAN};
    std::vector<ResponsePoint> resp(next(41));
    float f = 1000.0f;
    for (ResponsePoint& p : resp) {
      p.dev = kDevs[next(9)];
      p.freq = next(20) == 0 ? -static_cast<float>(next(3)) : f;
      f += 500.0f;
    }
    return resp;
  }

 private:
  std::uint32_t state_ = 7;
};

TEST(BandWidth, SameAsThreePassesOverTheTable) {
  RandomResponses random;
  for (int i = 0; i < 20000; ++i) {
    std::vector<ResponsePoint> resp = random.table();
    std::vector<ResponsePoint> expected = resp;
    const float width = band_width(resp);
    ASSERT_EQ(bits(width), bits(band_width_in_passes(expected))) << i;
    for (std::size_t k = 0; k < resp.size(); ++k) {
      ASSERT_EQ(bits(resp[k].freq), bits(expected[k].freq)) << i << " " << k;
      ASSERT_TRUE(bits(resp[k].dev) == bits(expected[k].dev) ||
                  (std::isnan(resp[k].dev) && std::isnan(expected[k].dev)))
          << i << " " << k;
    }
  }
}

// A run of equal deviations taken at once leaves the search as taking its
// points one by one does.
TEST(BandSearch, RunTakenAtOnceAsPointByPoint) {
  RandomResponses random;
  for (int i = 0; i < 20000; ++i) {
    BandSearch by_runs;
    BandSearch by_points;
    float f = 1000.0f;
    for (std::uint32_t run = random.next(8); run > 0; --run) {
      static constexpr float kDevs[] = {0.0f, 0.4f, 1.0f, 1.5f, INFINITY};
      const float dev = kDevs[random.next(5)];
      const std::size_t count = 1 + random.next(5);
      const ResponsePoint first{f, dev};
      for (std::size_t k = 0; k < count; ++k) {
        by_points.add({f, dev});
        f += 500.0f;
      }
      by_runs.add_run(first, {f - 500.0f, dev}, count);
    }
    ASSERT_EQ(bits(by_runs.width()), bits(by_points.width())) << i;
    ASSERT_EQ(by_runs.passes_over_first_run(),
              by_points.passes_over_first_run());
    if (by_points.passes_over_first_run()) {
      ASSERT_EQ(by_runs.first_edge(), by_points.first_edge());
    }
  }
}

// The two sweeps as first written: the network analysed point by point,
// every deviation through the logarithm, a table searched.
float current_band_point_by_point(const Tank& t, float uin, float rin,
                                  const SweepGrid& grid) {
  const Drive drive = high_impedance_drive(uin, rin);
  float phi = (static_cast<float>(grid.nstep) * grid.step) / 2.0f;
  float vmax = 0.0f;
  for (auto i = static_cast<std::int32_t>(static_cast<float>(grid.nstep) / 2);
       i <= grid.nstep; ++i) {
    const float m = modulus(analyse(t, drive, phi).vout);
    if (m > vmax) vmax = m;
    phi = phi + grid.step;
  }
  std::vector<ResponsePoint> resp;
  phi = grid.fstart;
  for (std::int32_t i = 0; i < grid.nstep; ++i) {
    const float m = modulus(analyse(t, drive, phi).vout);
    resp.push_back({phi, std::fabs(20.0f * log10_single(vmax / m))});
    phi = phi + grid.step;
  }
  return band_width_in_passes(resp);
}

float voltage_band_point_by_point(const Tank& t, float uin, float rin,
                                  const SweepGrid& grid, Complex vref2) {
  const Drive drive = matched_drive(uin, rin);
  std::vector<ResponsePoint> resp;
  float phi = grid.fstart;
  for (std::int32_t i = 0; i < grid.nstep; ++i) {
    const Complex vout = analyse(t, drive, phi).vout;
    resp.push_back(
        {phi, std::fabs(20.0f * log10_single(modulus(vref2 / vout)))});
    phi = phi + grid.step;
  }
  return band_width_in_passes(resp);
}

TEST(ResponseBandwidth, SameAsPointByPointSweeps) {
  struct Row {
    float f, qn, q0, rin, rout;
  };
  const Row rows[] = {
      {7.1f, 12, 200, 2000, 50}, {0.1f, 7, 200, 2000, 50},
      {1.9f, 3, 999, 50, 50},    {3.6f, 1.2f, 999, 50, 50},
      {0.5f, 70, 999, 50, 3000}, {2.2f, 2.5f, 40, 75, 50},
      {0.25f, 8, 300, 0.5f, 12}, {7.1f, 10, 100, 90, 100},  // not-a-number
  };
  for (const Row& row : rows) {
    Design d = make_design(row.f, row.qn, row.q0, row.rin, row.rout, 100.0f);
    synthesis(d);
    ASSERT_FALSE(d.infeasible);
    const Tank& t = d.details.tank;
    const SweepGrid grid{d.details.fstart, d.details.step, d.details.nstep};
    const float uin = d.results.uin;
    EXPECT_EQ(bits(fpolosa1(t.c1, t.c2, t.l, uin, d.rin, d.rout, t.q0, grid)),
              bits(current_band_point_by_point(t, uin, d.rin, grid)))
        << row.f << " MHz";
    EXPECT_EQ(
        bits(fpolosa2(t.c1, t.c2, t.l, uin, d.rin, d.rout, t.q0, grid,
                      d.details.vref2)),
        bits(voltage_band_point_by_point(t, uin, d.rin, grid, d.details.vref2)))
        << row.f << " MHz";
  }
}

// The traced curves are the one-point analysis of every grid point, as the
// plot drew them before it read the trace, and tracing leaves every band
// as it is.
TEST(SweepTrace, OnePointAnalysisOfEveryPointWithTheBandsUnchanged) {
  Design d = make_design(14.0f, 2.0f, 100.0f, 50.0f, 55.0f, 100.0f);
  synthesis(d);
  ASSERT_FALSE(d.infeasible);
  const Details& x = d.details;
  const Tank& t = x.tank;
  const SweepGrid grid{x.fstart, x.step, x.nstep};
  const float uin = d.results.uin;
  SweepTrace trace;
  const SweepBands plain = sweep_bands(t, uin, d.rin, grid, x.vref2, x.ns11);
  const SweepBands traced =
      sweep_bands(t, uin, d.rin, grid, x.vref2, x.ns11, &trace);
  EXPECT_EQ(bits(traced.bw_u), bits(plain.bw_u));
  EXPECT_EQ(bits(traced.bw_i), bits(plain.bw_i));
  EXPECT_EQ(bits(traced.s11.bw_s11), bits(d.results.bw_s11));
  EXPECT_EQ(bits(traced.bw_u / 1000.0f), bits(d.results.bw_u));
  EXPECT_EQ(bits(traced.voltage.high - traced.voltage.low), bits(traced.bw_u));
  ASSERT_EQ(traced.s11.ncross, 3);
  EXPECT_EQ(traced.s11.band.low, static_cast<float>(traced.s11.fcross[1]));
  EXPECT_EQ(traced.s11.band.high, static_cast<float>(traced.s11.fcross[2]));

  ASSERT_EQ(trace.voltage.size(), static_cast<std::size_t>(x.nstep));
  ASSERT_EQ(trace.current.size(), static_cast<std::size_t>(x.nstep));
  ASSERT_EQ(trace.s11.size(), static_cast<std::size_t>(x.ns11));
  const Drive matched = matched_drive(uin, d.rin);
  const Drive high_z = high_impedance_drive(uin, d.rin);
  const float vmax = peak_output(t, high_z, grid);
  float freq = x.fstart;
  for (std::size_t i = 0; i < trace.voltage.size(); ++i) {
    const Complex vout_u = analyse(t, matched, freq).vout;
    const Complex vout_i = analyse(t, high_z, freq).vout;
    ASSERT_EQ(bits(trace.voltage[i].freq), bits(freq)) << i;
    ASSERT_EQ(bits(trace.voltage[i].value),
              bits(-(20.0f * log10_single(modulus(x.vref2 / vout_u)))))
        << i;
    ASSERT_EQ(bits(trace.current[i].value),
              bits(-(20.0f * log10_single(vmax / modulus(vout_i)))))
        << i;
    if (i < trace.s11.size()) {
      const Complex zin = input_impedance(t, elements_at(t, freq));
      ASSERT_EQ(bits(trace.s11[i].value), bits(swrsub(zin, real(d.rin)).gamma))
          << i;
    }
    freq = freq + x.step;
  }
}

}  // namespace
}  // namespace merid
