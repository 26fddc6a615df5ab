#include "design/response_curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "design/pi_network.h"

namespace merid {
namespace {

Design Calculated(float f, float qn, float q0, float rin, float rout) {
  Design d = make_design(f, qn, q0, rin, rout, 100.0f);
  synthesis(d);
  return d;
}

std::uint32_t Bits(float x) { return std::bit_cast<std::uint32_t>(x); }

// Band widths in kHz as the calculation turns Hz into kHz.
float VoltageOrCurrentKhz(const Band& b) { return (b.high - b.low) / 1000.0f; }
float S11Khz(const Band& b, std::int32_t ncross) {
  const double low = ncross == 1 ? 0.0 : b.low;
  return static_cast<float>((b.high - low) * static_cast<double>(0.001f));
}

struct CurveCase {
  float f, qn, q0, rin, rout;
  std::int32_t ncross;  // S11 crossings the design has
};

// The marks on the plot bound the very bands whose widths the results
// show: two and three S11 crossings, the wide and the narrow window, a
// voltage band that starts at the bottom of the grid, and the largest grid.
constexpr CurveCase kCurveCases[] = {
    {7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 2},
    {14.0f, 2.0f, 100.0f, 50.0f, 55.0f, 3},
    {150.0f, 3.0f, 100.0f, 100.0f, 50.0f, 2},
    {0.1f, 5.0f, 50.0f, 300.0f, 50.0f, 2},
    {29.0f, 4.01f, 999.0f, 50.0f, 300.0f, 2},
    {30.0f, 1.2f, 999.0f, 50.0f, 50.0f, 1},
};

TEST(ResponseCurves, BandsAreThoseOfTheShownBandwidths) {
  for (const CurveCase& c : kCurveCases) {
    SCOPED_TRACE(testing::Message() << c.f << " MHz, Qn " << c.qn << ", "
                                    << c.rin << " -> " << c.rout);
    const Design d = Calculated(c.f, c.qn, c.q0, c.rin, c.rout);
    ASSERT_FALSE(d.infeasible);
    ASSERT_EQ(d.details.ncross, c.ncross);
    const ResponseCurves curves = pi_model(d)->response_curves();
    EXPECT_EQ(curves.voltage.size(), static_cast<std::size_t>(d.details.nstep));
    EXPECT_EQ(curves.s11.size(), static_cast<std::size_t>(d.details.ns11));
    ASSERT_TRUE(curves.voltage_band.found);
    ASSERT_TRUE(curves.current_band.found);
    ASSERT_TRUE(curves.s11_band.found);
    EXPECT_EQ(Bits(VoltageOrCurrentKhz(curves.voltage_band)),
              Bits(d.results.bw_u));
    EXPECT_EQ(Bits(VoltageOrCurrentKhz(curves.current_band)),
              Bits(d.results.bw_i));
    EXPECT_EQ(Bits(S11Khz(curves.s11_band, c.ncross)), Bits(d.results.bw_s11));
    // The working frequency lies in the voltage band, at its reference.
    EXPECT_LE(curves.voltage_band.low, c.f * 1e6f);
    EXPECT_GE(curves.voltage_band.high, c.f * 1e6f);
  }
}

TEST(ResponseCurves, ReferencesSitAtZeroDecibels) {
  const Design d = Calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f);
  const ResponseCurves c = pi_model(d)->response_curves();
  const auto highest = [](const std::vector<CurvePoint>& curve) {
    return std::max_element(
               curve.begin(), curve.end(),
               [](CurvePoint a, CurvePoint b) { return a.value < b.value; })
        ->value;
  };
  // The current reference is the peak of a finer search, never below the
  // grid's own peak by more than rounding; the voltage one is the output
  // at F, which a matched tank barely exceeds.
  EXPECT_NEAR(highest(c.current), 0.0f, 0.01f);
  EXPECT_NEAR(highest(c.voltage), 0.0f, 0.1f);
  // Far below F the tank passes a tenth or so of the voltage.
  EXPECT_LT(c.voltage.front().value, -5.0f);
  EXPECT_GT(c.s11.front().value, 0.9f);  // 2000 against 50 ohm
}

}  // namespace
}  // namespace merid
