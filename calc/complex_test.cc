#include "calc/complex.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "calc/sub.h"

namespace merid {
namespace {

std::uint32_t bits(float x) { return std::bit_cast<std::uint32_t>(x); }

// Exact equality, a not-a-number matching any other.
bool same(float a, float b) {
  return bits(a) == bits(b) || (std::isnan(a) && std::isnan(b));
}

// Random operands: a quarter of them any bit pattern (every sign, zero,
// subnormal, infinity and not-a-number), the rest ordinary values, some
// with parts of equal magnitude.
class Operands {
 public:
  float next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    const auto low = static_cast<std::uint32_t>(z);
    switch (z >> 62) {
      case 0:
        return std::bit_cast<float>(low);
      case 1:
        return static_cast<float>(static_cast<std::int32_t>(low % 2001) - 1000);
      default:
        return static_cast<float>(static_cast<std::int32_t>(low)) * 1e-6f;
    }
  }
  Complex complex() {
    Complex z{next(), next()};
    if ((bits(z.re) & 7) == 0) z.im = std::copysign(z.re, z.im);
    return z;
  }

 private:
  std::uint64_t state_ = 12345;
};

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

// Smith's method as its two branches read.
Complex smith_branches(Complex z, Complex w) {
  const float a = z.re, b = z.im, c = w.re, d = w.im;
  if (std::fabs(d) > std::fabs(c)) {
    const float r = c / d;
    const float den = c * r + d;
    return Complex{(a * r + b) / den, (b * r - a) / den};
  }
  const float r = d / c;
  const float den = c + d * r;
  return Complex{(b * r + a) / den, (b - a * r) / den};
}

// The quotient picks its operands instead of branching; it must give what
// the branches give for every pair of operands.
TEST(ComplexQuotient, SameAsTheTwoBranchesForAnyOperands) {
  Operands operands;
  for (int i = 0; i < 200000; ++i) {
    const Complex z = operands.complex();
    const Complex w = operands.complex();
    const Complex q = z / w;
    const Complex expected = smith_branches(z, w);
    ASSERT_TRUE(same(q.re, expected.re) && same(q.im, expected.im))
        << std::hexfloat << z.re << " " << z.im << " / " << w.re << " " << w.im;
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

// The modulus is the root of modulus_squared, which the sweeps compare
// instead; it must be the hypotenuse with its infinite case for any parts.
TEST(ComplexModulus, RootOfTheSquareForAnyParts) {
  Operands operands;
  for (int i = 0; i < 200000; ++i) {
    const Complex z = operands.complex();
    const double re = z.re, im = z.im;
    const float expected =
        std::isinf(re) || std::isinf(im)
            ? INFINITY
            : static_cast<float>(std::sqrt(re * re + im * im));
    ASSERT_TRUE(same(modulus(z), expected))
        << std::hexfloat << z.re << " " << z.im;
  }
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
