#include "calc/retune.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <span>

namespace merid {
namespace {

// The susceptances B = b + omega C2 of the output node that make the
// admittance seen through the coil have the real part 1/rin.  With the
// node's impedance (g - jB) / (g^2 + B^2) and the coil's r + jx in series,
// a = r + g/D and c = x - B/D (D = g^2 + B^2) must satisfy a^2 + c^2 =
// rin a, which is A B^2 - 2 x B + (A g^2 + (2 r - rin) g + 1) = 0 with
// A = r^2 + x^2 - rin r.
// None, one or two of them: a small array, since the circles ask this of
// thousands of loads.
struct Susceptances {
  std::array<double, 2> b{};
  std::size_t count = 0;

  std::span<const double> all() const { return {b.data(), count}; }
};

Susceptances output_susceptances(double g, double x, double r, double rin) {
  const double a = r * r + x * x - rin * r;
  const double c = a * g * g + (2.0 * r - rin) * g + 1.0;
  if (a == 0.0) {
    if (x == 0.0) return {};
    return Susceptances{{c / (2.0 * x), 0.0}, 1};
  }
  const double discriminant = x * x - a * c;
  if (discriminant < 0.0) return {};
  const double root = std::sqrt(discriminant);
  return Susceptances{{(x - root) / a, (x + root) / a}, 2};
}

}  // namespace

Admittance admittance(Complex z) {
  const double re = z.re;
  const double im = z.im;
  const double d = re * re + im * im;
  return Admittance{re / d, -im / d};
}

std::optional<ShuntSetting> retune_pi_section(double omega, Admittance node_y,
                                              double x, double r, double rin,
                                              double c2_now) {
  const double g = node_y.g;
  const double b = node_y.b;
  std::optional<ShuntSetting> best;
  const Susceptances nodes = output_susceptances(g, x, r, rin);
  for (const double node : nodes.all()) {
    const double c2 = (node - b) / omega;
    // The admittance seen through the coil; C1 takes away its imaginary
    // part.
    const double d = g * g + node * node;
    const double re = r + g / d;
    const double im = x - node / d;
    const double y_im = -im / (re * re + im * im);
    const double c1 = -y_im / omega;
    if (!(c1 > 0.0 && c2 > 0.0)) continue;
    if (!best || std::fabs(c2 - c2_now) < std::fabs(best->c2 - c2_now)) {
      best = ShuntSetting{c1, c2};
    }
  }
  return best;
}

}  // namespace merid
