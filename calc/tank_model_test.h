#ifndef MERID_CALC_TANK_MODEL_TEST_H_
#define MERID_CALC_TANK_MODEL_TEST_H_

// An independent model of the pi tank for tests, in double precision with
// the circuit written out: a shunt element at the input, the coil with its
// loss resistance omega L / q0 in series, C2 in parallel with the load.

#include <cmath>
#include <numbers>

namespace merid::model {

struct Z {
  double re;
  double im;
};

inline Z operator+(Z a, Z b) { return Z{a.re + b.re, a.im + b.im}; }
inline Z operator*(Z a, Z b) {
  return Z{a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
inline Z inverse(Z a) {
  const double d = a.re * a.re + a.im * a.im;
  return Z{a.re / d, -a.im / d};
}
inline Z parallel(Z a, Z b) { return inverse(inverse(a) + inverse(b)); }

inline double omega(double f_hz) { return 2.0 * std::numbers::pi * f_hz; }
inline Z capacitor(double f_hz, double c) {
  return Z{0.0, -1.0 / (omega(f_hz) * c)};
}
inline Z inductor(double f_hz, double l) { return Z{0.0, omega(f_hz) * l}; }
inline Z coil(double f_hz, double l, double q0) {
  return Z{omega(f_hz) * l / q0, omega(f_hz) * l};
}

// The coil in series with C2 in parallel with the load: what the input
// element sees.
inline Z branch(double f_hz, double c2, double l, double q0, double rout) {
  return coil(f_hz, l, q0) + parallel(capacitor(f_hz, c2), Z{rout, 0.0});
}

// Input impedance with `shunt` across the input.
inline Z input_impedance(double f_hz, Z shunt, double c2, double l, double q0,
                         double rout) {
  return parallel(shunt, branch(f_hz, c2, l, q0, rout));
}

// Output voltage over the open-circuit voltage of a source of internal
// resistance `zs` driving the tank of C1, C2 (F) and L (H).
inline double output_ratio(double f_hz, double c1, double c2, double l,
                           double q0, double rout, double zs) {
  const Z zp2 = parallel(capacitor(f_hz, c2), Z{rout, 0.0});
  const Z zser = coil(f_hz, l, q0) + zp2;
  const Z zin = parallel(capacitor(f_hz, c1), zser);
  const Z vout = zin * inverse(zin + Z{zs, 0.0}) * zp2 * inverse(zser);
  return std::hypot(vout.re, vout.im);
}

// The loaded Q of the branch: the coil's reactance over the branch's
// series resistance.
inline double loaded_q(double f_hz, double c2, double l, double q0,
                       double rout) {
  return omega(f_hz) * l / branch(f_hz, c2, l, q0, rout).re;
}

}  // namespace merid::model

#endif  // MERID_CALC_TANK_MODEL_TEST_H_
