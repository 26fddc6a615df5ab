// The cosine pulses' Fourier coefficients against the pulse integrated
// numerically over a period, the cases known in closed form, and the tube
// classes' k that follow from them.

#include "calc/cosine_pulses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "calc/amplifier.h"

namespace merid {
namespace {

constexpr double kPi = std::numbers::pi;

// Composite Simpson of `f` over [a, b] in `steps` (even) intervals.
template <typename F>
double Simpson(F f, double a, double b, int steps) {
  const double h = (b - a) / steps;
  double sum = f(a) + f(b);
  for (int i = 1; i < steps; ++i)
    sum += (i % 2 == 1 ? 4.0 : 2.0) * f(a + i * h);
  return sum * h / 3.0;
}

// The n-th coefficient of i(t) = max(0, cos t - cos theta) over its peak
// 1 - cos theta, theta half of `conduction`: the mean for n = 0, else
// (1 / pi) of the integral of i(t) cos(n t) over a period.  The pulse is
// even, so twice the half period, split where it starts to conduct so
// that each piece is smooth.
double Integrated(int n, double conduction) {
  const double theta = conduction * kPi / 360.0;
  const auto i = [&](double t) {
    return std::max(0.0, std::cos(t) - std::cos(theta)) * std::cos(n * t);
  };
  double half = Simpson(i, 0.0, theta, 20000);
  if (theta < kPi) half += Simpson(i, theta, kPi, 20000);
  const double integral = 2.0 * half;
  const double peak = 1.0 - std::cos(theta);
  return (n == 0 ? integral / (2.0 * kPi) : integral / kPi) / peak;
}

TEST(CosinePulses, CoefficientsAreThePulsesFourierSeries) {
  for (const double conduction : {120.0, 150.0, 180.0, 240.0, 300.0, 360.0}) {
    for (int n = 0; n <= 5; ++n) {
      EXPECT_NEAR(pulse_coefficient(n, conduction), Integrated(n, conduction),
                  1e-9)
          << conduction << " degrees, n = " << n;
    }
    for (int n = 2; n <= 5; ++n) {
      EXPECT_NEAR(harmonic_ratio(n, conduction),
                  Integrated(n, conduction) / Integrated(1, conduction), 1e-9);
    }
  }
}

TEST(CosinePulses, HalfSinesAndTheUndistortedCurrent) {
  // Class B's half sines: no odd harmonic beyond the first, I1 / I0 = pi / 2.
  EXPECT_NEAR(pulse_coefficient(3, 180.0), 0.0, 1e-15);
  EXPECT_NEAR(pulse_coefficient(5, 180.0), 0.0, 1e-15);
  EXPECT_NEAR(pulse_coefficient(2, 180.0), 2.0 / (3.0 * kPi), 1e-15);
  EXPECT_NEAR(fundamental_to_mean(180.0), kPi / 2.0, 1e-14);
  // Conduction all round: a cosine on a mean of the same size.
  for (int n = 2; n <= 5; ++n) {
    EXPECT_NEAR(pulse_coefficient(n, 360.0), 0.0, 1e-15) << n;
  }
  EXPECT_NEAR(fundamental_to_mean(360.0), 1.0, 1e-15);
}

TEST(CosinePulses, TubeClassFactorsFollowTheConductionAngles) {
  const struct {
    TubeClass tube_class;
    double conduction;
    double k;  // to 3 decimals
  } kClasses[] = {{TubeClass::kA, 360.0, 1.111},
                  {TubeClass::kAB, 240.0, 1.468},
                  {TubeClass::kB, 180.0, 1.745},
                  {TubeClass::kC, 120.0, 1.993}};
  for (const auto& c : kClasses) {
    EXPECT_EQ(class_conduction(c.tube_class), c.conduction);
    const double k =
        Integrated(1, c.conduction) / Integrated(0, c.conduction) / kAnodeSwing;
    EXPECT_NEAR(tube_class_factor(c.tube_class), k, 1e-9) << c.conduction;
    EXPECT_NEAR(k, c.k, 5e-4) << c.conduction;
  }
}

}  // namespace
}  // namespace merid
