#include "base/inputs.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc/synthesis.h"

namespace merid {
namespace {

TEST(Calculate, FrequencyComesBackInMegahertzEitherWay) {
  const Design typical =
      make_design(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f);
  Design in_place = typical;
  synthesis(in_place);
  const Design feasible = calculate(typical);
  ASSERT_FALSE(feasible.infeasible);
  EXPECT_EQ(feasible.f, in_place.f);
  EXPECT_EQ(feasible.fmhz, 7.1f);

  // A loaded Q of 2 cannot turn 2000 ohm into 50; synthesis would leave f
  // in Hz.
  const Design infeasible =
      calculate(make_design(7.1f, 2.0f, 200.0f, 2000.0f, 50.0f, 100.0f));
  ASSERT_TRUE(infeasible.infeasible);
  EXPECT_EQ(infeasible.f, 7.1f);
  EXPECT_EQ(infeasible.fmhz, 7.1f);
}

TEST(InputRow, TableRowsStandInTheirInputsPlaces) {
  for (std::size_t i = 0; i < kInputCount; ++i) {
    EXPECT_EQ(static_cast<std::size_t>(kInputs[i].input), i);
    EXPECT_EQ(static_cast<std::size_t>(kInputs[i].prompt),
              static_cast<std::size_t>(Msg::kPromptF) + i);
  }
}

TEST(Refused, LowerBoundOfQ0FollowsTheLoadedQ) {
  EXPECT_TRUE(refused(Input::kQ0, 12.0f, 10.0f));
  EXPECT_FALSE(refused(Input::kQ0, 12.0f, 9.99f));
  EXPECT_EQ(range_text(Input::kQ0, 10.0f),
            "12 < Q0 <= 999 (1.2*QN < Q0 <= 999)");
}

TEST(AcceptedLoadedQ, FromJustAbove111ToBelowQ0Over12) {
  const LoadedQRange wide = accepted_loaded_q(999.0f);
  EXPECT_EQ(wide.low, std::nextafter(1.11f, 2.0f));
  EXPECT_EQ(wide.high, 70.0f);
  const LoadedQRange narrow = accepted_loaded_q(30.0f);
  EXPECT_FALSE(refused(Input::kQ0, 30.0f, narrow.high));
  EXPECT_TRUE(refused(Input::kQ0, 30.0f, std::nextafter(narrow.high, 99.0f)));
}

}  // namespace
}  // namespace merid
