// Tests of the fixed-width three-decimal number field.

#include "text/value_field.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace merid {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct FieldCase {
  float value;
  int width;
  const char* expected;
};

constexpr FieldCase kFieldCases[] = {
    // Three decimals, a zero before the point, right-aligned.
    {7.1f, 10, "     7.100"},
    {2000.0f, 10, "  2000.000"},
    {0.5f, 10, "     0.500"},
    {0.0f, 10, "     0.000"},
    {119.426f, 10, "   119.426"},
    {447.214f, 10, "   447.214"},
    {7.1f, 12, "       7.100"},
    // Exact binary halves go away from zero (half-to-even would give
    // 0.062 and 0.312).
    {0.0625f, 10, "     0.063"},
    {-0.0625f, 10, "    -0.063"},
    {0.3125f, 10, "     0.313"},
    {-0.3125f, 10, "    -0.313"},
    // Not halves in binary: the exact value decides.  Rounding a float
    // product 2.0005f * 1000 would give 2000.5 and then 2.001.
    {2.0005f, 10, "     2.000"},
    {0.0005f, 10, "     0.001"},
    {9.9995f, 10, "    10.000"},
    {0.9996f, 10, "     1.000"},
    // A negative value keeps its minus even when it rounds to zero.
    {-0.0004f, 10, "    -0.000"},
    {-0.0f, 10, "    -0.000"},
    {-2.5f, 10, "    -2.500"},
    // The widest values that fit, and the first that do not.
    {999999.9375f, 10, "999999.938"},
    {1000000.0f, 10, "**********"},
    {-99999.9921875f, 10, "-99999.992"},
    {-100000.0f, 10, "**********"},
    {99999992.0f, 12, "99999992.000"},
    {100000000.0f, 12, "************"},
    {-9999999.0f, 12, "-9999999.000"},
    {-10000000.0f, 12, "************"},
    // Far beyond any field, yet formatted exactly when the field is wide.
    {1e30f, 10, "**********"},
    {-1e30f, 12, "************"},
    {std::numeric_limits<float>::max(), 10, "**********"},
    {1e30f, 35, "1000000015047466219876688855040.000"},
    // Non-finite values.
    {kNaN, 10, "       NaN"},
    {-kNaN, 10, "       NaN"},
    {kInf, 10, "  Infinity"},
    {-kInf, 10, " -Infinity"},
    {kInf, 8, "Infinity"},
    {-kInf, 8, "********"},
};

TEST(ValueField, Table) {
  for (const FieldCase& c : kFieldCases) {
    EXPECT_EQ(value_field(c.value, c.width), c.expected)
        << "value " << c.value << ", width " << c.width;
  }
}

}  // namespace
}  // namespace merid
