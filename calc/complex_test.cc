#include "calc/complex.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "calc/sub.h"

namespace merid {
namespace {

std::uint32_t bits(float x) { return std::bit_cast<std::uint32_t>(x); }

TEST(ComplexProduct, FourProductsThenDifferenceAndSum) {
  const Complex p = Complex{1.5f, -2.0f} * Complex{3.0f, 0.25f};
  EXPECT_EQ(p.re, 1.5f * 3.0f - (-2.0f) * 0.25f);
  EXPECT_EQ(p.im, -2.0f * 3.0f + 1.5f * 0.25f);
}

TEST(ComplexQuotient, BranchesOnStrictlyLargerImaginaryPart) {
  struct Row {
    Complex num, den;
    Complex expected;
  };
  const Row rows[] = {
      {{1.0f, 0.0f}, {0.0f, 2.0f}, {0.0f, -0.5f}},
      {{1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}},  // |d| == |c|: second branch
      {{4.0f, 2.0f}, {2.0f, 0.0f}, {2.0f, 1.0f}},
      {{3.0f, 4.0f}, {1.0f, -2.0f}, {-1.0f, 2.0f}},
  };
  for (const Row& row : rows) {
    const Complex q = row.num / row.den;
    EXPECT_EQ(q.re, row.expected.re) << row.num.re << "," << row.num.im;
    EXPECT_EQ(q.im, row.expected.im) << row.num.re << "," << row.num.im;
  }
}

TEST(ComplexQuotient, RealOperandKeepsItsZeroTerms) {
  // 1 / (0 - 4j): r = -0, den = -4, re = (1 * -0 + 0) / -4 = -0.  Dropping
  // the zero imaginary part of the dividend would give +0.
  const Complex q = real(1.0f) / Complex{0.0f, -4.0f};
  EXPECT_EQ(bits(q.re), 0x80000000u);
  EXPECT_EQ(q.im, 0.25f);
}

TEST(ComplexModulus, HypotenuseInDoubleRoundedOnce) {
  EXPECT_EQ(modulus({3.0f, 4.0f}), 5.0f);
  // Squares near the top of the float range would overflow in single.
  EXPECT_EQ(modulus({3e38f, 0.0f}), 3e38f);
  EXPECT_EQ(modulus({-INFINITY, NAN}), INFINITY);
  EXPECT_TRUE(std::isnan(modulus({NAN, 1.0f})));
  const float a = 1.0f, b = 1e-4f;
  EXPECT_EQ(modulus({a, b}),
            static_cast<float>(std::sqrt(double{a} * a + double{b} * b)));
}

TEST(Log10Single, DoublePrecisionRoundedOnce) {
  EXPECT_EQ(log10_single(10.0f), 1.0f);
  EXPECT_EQ(log10_single(2.0f), static_cast<float>(std::log10(2.0)));
}

TEST(Parall, SymmetricInItsArguments) {
  const Complex pairs[][2] = {
      {{50.0f, 0.0f}, {0.0f, -37.7f}},
      {{1.3f, 210.0f}, {7.5f, -0.3f}},
      {{1e4f, 0.0f}, {0.0f, -1e-3f}},
  };
  for (const auto& p : pairs) {
    const Complex a = parall(p[0], p[1]);
    const Complex b = parall(p[1], p[0]);
    EXPECT_EQ(bits(a.re), bits(b.re));
    EXPECT_EQ(bits(a.im), bits(b.im));
  }
}

TEST(Parall, ClosedForms) {
  const Complex z{30.0f, 40.0f};
  const Complex half = parall(z, z);
  EXPECT_FLOAT_EQ(half.re, 15.0f);
  EXPECT_FLOAT_EQ(half.im, 20.0f);

  // A resistor r across a lossless capacitor of reactance x.
  const float r = 50.0f, x = 37.7f;
  const Complex rc = parall(real(r), Complex{0.0f, -x});
  EXPECT_FLOAT_EQ(rc.re, r * x * x / (r * r + x * x));
  EXPECT_FLOAT_EQ(rc.im, -r * r * x / (r * r + x * x));
}

}  // namespace
}  // namespace merid
