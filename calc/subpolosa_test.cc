#include "calc/subpolosa.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "calc/synthesis.h"

namespace merid {
namespace {

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
  Design d;
  d.f = 7.1f;
  d.qn = 12.0f;
  d.q0 = 200.0f;
  d.rin = 2000.0f;
  d.rout = 50.0f;
  d.pin = 100.0f;
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
    Design d;
    d.f = 7.1f;
    d.qn = 12.0f;
    d.q0 = 200.0f;
    d.rin = 2000.0f;
    d.rout = 50.0f;
    d.pin = 100.0f;
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
