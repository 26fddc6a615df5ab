#include "calc/cosine_pulses.h"

#include <cmath>
#include <numbers>

namespace merid {

double pulse_coefficient(int n, double conduction) {
  const double pi = std::numbers::pi;
  const double theta = conduction * pi / 360.0;
  const double c = std::cos(theta);
  const double s = std::sin(theta);
  const double cut = pi * (1.0 - c);
  if (n == 0) return (s - theta * c) / cut;
  if (n == 1) return (theta - s * c) / cut;
  const double m = n;
  return 2.0 * (std::sin(m * theta) * c - m * std::cos(m * theta) * s) /
         (cut * m * (m * m - 1.0));
}

double harmonic_ratio(int n, double conduction) {
  return pulse_coefficient(n, conduction) / pulse_coefficient(1, conduction);
}

double fundamental_to_mean(double conduction) {
  return pulse_coefficient(1, conduction) / pulse_coefficient(0, conduction);
}

}  // namespace merid
