#ifndef MERID_TESTS_SUPPORT_PI_CIRCUIT_MODEL_H_
#define MERID_TESTS_SUPPORT_PI_CIRCUIT_MODEL_H_

// An independent model of the pi tank for tests: double precision, the
// circuit solved by nodal analysis at its two nodes, with exact 2 pi and
// none of the calculation's code.

#include <cmath>
#include <numbers>

namespace merid::model {

struct Cx {
  double re = 0.0;
  double im = 0.0;
};
inline Cx operator+(Cx a, Cx b) { return {a.re + b.re, a.im + b.im}; }
inline Cx operator-(Cx a, Cx b) { return {a.re - b.re, a.im - b.im}; }
inline Cx operator*(Cx a, Cx b) {
  return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
inline Cx operator/(Cx a, Cx b) {
  const double d = b.re * b.re + b.im * b.im;
  return {(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
}
inline double abs(Cx a) { return std::hypot(a.re, a.im); }
inline Cx inverse(Cx a) { return Cx{1.0, 0.0} / a; }

// C1, C2 in F, L in H with series loss omega L / q0; the source an emf
// behind a resistance zs; the load any impedance.
struct Circuit {
  double c1, c2, l, q0;
  double emf, zs;
  Cx load;
};

struct Solution {
  Cx v1, v2;  // input and output node voltages
  Cx zl;      // impedance of the coil with its loss
  Cx i_l, i_c1, i_c2;
  double p_load, p_loss;
  Cx zin;  // seen by the source, the source removed
};

inline Solution solve(const Circuit& c, double f) {
  const double w = 2.0 * std::numbers::pi * f;
  const Cx y1{0.0, w * c.c1};
  const Cx y2{0.0, w * c.c2};
  Solution s;
  s.zl = Cx{w * c.l / c.q0, w * c.l};
  const Cx yl = inverse(s.zl);
  const Cx yload = inverse(c.load);
  // [y11 y12; y12 y22] [v1; v2] = [emf / zs; 0]
  const Cx ys{1.0 / c.zs, 0.0};
  const Cx y11 = ys + y1 + yl;
  const Cx y12 = Cx{} - yl;
  const Cx y22 = yl + y2 + yload;
  const Cx det = y11 * y22 - y12 * y12;
  const Cx is{c.emf / c.zs, 0.0};
  s.v1 = is * y22 / det;
  s.v2 = Cx{} - is * y12 / det;
  s.i_l = (s.v1 - s.v2) * yl;
  s.i_c1 = s.v1 * y1;
  s.i_c2 = s.v2 * y2;
  const double i_load = abs(s.v2 * yload);
  s.p_load = i_load * i_load * c.load.re;
  s.p_loss = abs(s.i_l) * abs(s.i_l) * s.zl.re;
  const Cx y11_open = y1 + yl;
  s.zin = y22 / (y11_open * y22 - y12 * y12);
  return s;
}

}  // namespace merid::model

#endif  // MERID_TESTS_SUPPORT_PI_CIRCUIT_MODEL_H_
