#include "calc/current_drive.h"

#include <cmath>
#include <numbers>

namespace merid {
namespace {

// An impedance or a phasor in double precision.
struct Z {
  double re = 0.0;
  double im = 0.0;
};
Z operator+(Z a, Z b) { return {a.re + b.re, a.im + b.im}; }
Z operator*(Z a, Z b) {
  return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
Z operator/(Z a, Z b) {
  const double d = b.re * b.re + b.im * b.im;
  return {(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
}
double norm(Z a) { return a.re * a.re + a.im * a.im; }
Z parallel(Z a, Z b) { return a * b / (a + b); }

// A capacitor with its lead, and a coil with its loss and its
// self-capacitance across it.
Z capacitor(double w, double c, double lead) {
  return Z{0.0, w * lead - 1.0 / (w * c)};
}
Z coil(double w, double l, double q0, double across) {
  const Z z{w * l / q0, w * l};
  return across > 0.0 ? parallel(z, Z{0.0, -1.0 / (w * across)}) : z;
}

}  // namespace

CurrentDrive current_drive(const Ladder& n, const Strays& s, double rp,
                           double f) {
  const double w = 2.0 * std::numbers::pi * f;
  // From the load back to the input: the output node, L2's branch, the
  // middle node, L1's branch, the input node.
  Z out{n.rout, 0.0};
  if (n.cout > 0.0) out = parallel(out, capacitor(w, n.cout, s.c2_lead));
  const Z branch2 = n.l2 > 0.0 ? coil(w, n.l2, n.q0, s.coil_c) + out : out;
  const Z mid = parallel(branch2, capacitor(w, n.cmid, s.c2_lead));
  const Z branch1 = coil(w, n.l1, n.q0, s.coil_c) + mid;
  const Z in = parallel(branch1, capacitor(w, n.c1, s.c1_lead));
  const Z source = std::isinf(rp) ? in : parallel(in, Z{rp, 0.0});
  // 1 A into the source node.
  const Z v_in = source;
  const Z v_mid = v_in / branch1 * mid;
  const Z v_out = v_mid / branch2 * out;
  CurrentDrive d;
  d.v_load = std::sqrt(norm(v_out));
  d.p_in = norm(v_in) * (Z{1.0, 0.0} / in).re;
  d.p_load = norm(v_out) / n.rout;
  return d;
}

double self_resonance(double l, double c) {
  if (!(c > 0.0)) return INFINITY;
  return 1.0 / (2.0 * std::numbers::pi * std::sqrt(l * c));
}

}  // namespace merid
