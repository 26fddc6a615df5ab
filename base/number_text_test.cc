#include "base/number_text.h"

#include <gtest/gtest.h>

namespace merid {
namespace {

TEST(Filled, EachPlaceTakesItsFigureInAnyOrder) {
  EXPECT_EQ(filled("C1 = {1} pF, L = {0} uH", {"4.697", "119.426"}),
            "C1 = 119.426 pF, L = 4.697 uH");
  EXPECT_EQ(filled("{0}{0}", {"ab"}), "abab");
  // A place without a figure, and braces that are no place, stay.
  EXPECT_EQ(filled("{2} {x} {", {"a"}), "{2} {x} {");
  EXPECT_EQ(filled("", {"a"}), "");
}

}  // namespace
}  // namespace merid
