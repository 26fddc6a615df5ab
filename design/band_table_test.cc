#include "design/band_table.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "base/free_form.h"
#include "design/pi_network.h"

namespace merid {
namespace {

// The band plan as a user would type it, lower edge and upper edge, MHz.
struct TypedBand {
  std::string_view name;
  std::string_view low;
  std::string_view high;
};

constexpr TypedBand kTypedBands[] = {
    {"160m", "1.8", "2.0"},   {"80m", "3.5", "3.8"},
    {"40m", "7.0", "7.2"},    {"30m", "10.1", "10.15"},
    {"20m", "14.0", "14.35"}, {"17m", "18.068", "18.168"},
    {"15m", "21.0", "21.45"}, {"12m", "24.89", "24.99"},
    {"10m", "28.0", "29.7"},  {"6m", "50", "54"},
    {"2m", "144", "148"},
};

TankDesign TypicalInputs(float qn = 12.0f) {
  TankInputs in;
  static_cast<DesignInputs&>(in) =
      DesignInputs{0.0f, qn, 200.0f, 2000.0f, 50.0f, 100.0f};
  return pi_network().uncalculated(in);
}

TEST(AmateurBands, EdgesAreTheTypedFrequencies) {
  ASSERT_EQ(std::size(kTypedBands), amateur_bands().size());
  for (std::size_t i = 0; i < amateur_bands().size(); ++i) {
    const AmateurBand& band = amateur_bands()[i];
    SCOPED_TRACE(band.name);
    EXPECT_EQ(band.name, kTypedBands[i].name);
    EXPECT_EQ(band.f[0], parse_real(kTypedBands[i].low).value);
    EXPECT_EQ(band.f[2], parse_real(kTypedBands[i].high).value);
    // The centre is the decimal midpoint, to the float's precision.
    const double mid = (static_cast<double>(band.f[0]) + band.f[2]) / 2.0;
    EXPECT_NEAR(band.f[1], mid, 2e-6 * mid);
  }
}

TEST(BandTable, ThreeRowsPerBandInAscendingFrequency) {
  const std::vector<BandRow> rows = band_table(*TypicalInputs(), {});
  ASSERT_EQ(rows.size(), 3 * amateur_bands().size());
  EXPECT_EQ(rows.front().design->inputs().f, 1.8f);
  EXPECT_EQ(rows.back().design->inputs().f, 148.0f);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].band, &amateur_bands()[i / 3]);
    EXPECT_EQ(static_cast<std::size_t>(rows[i].edge), i % 3);
    if (i > 0) {
      EXPECT_LT(rows[i - 1].design->inputs().f, rows[i].design->inputs().f);
    }
  }
}

TEST(BandTable, InfeasibleRowsStayInTheTable) {
  const std::vector<BandRow> rows = band_table(*TypicalInputs(5.0f), {});
  ASSERT_EQ(rows.size(), 3 * amateur_bands().size());
  for (const BandRow& row : rows) EXPECT_FALSE(row.design->feasible());
  EXPECT_TRUE(has_infeasible_row(rows));
}

}  // namespace
}  // namespace merid
