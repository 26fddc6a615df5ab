#ifndef MERID_CALC_S11MODULE_H_
#define MERID_CALC_S11MODULE_H_

// Reflection at the two ports of the pi tank.

#include "calc/complex.h"
#include "calc/network.h"

namespace merid {

struct Reflection {
  float gamma = 0.0f;  // |(zref - z) / (z + zref)|
};

// Reflection of the impedance `z` against the reference `zref`.
Reflection swrsub(Complex z, Complex zref);

// (zref - z) / (z + zref): the negative of the usual reflection
// coefficient of `z` against `zref`; only its magnitude is used.
inline Complex reflection(Complex z, Complex zref) {
  return (zref - z) / (z + zref);
}

// Impedance at the input port, the output port terminated by the load.
Complex input_impedance(const Tank& tank, const Elements& e);
// Impedance at the output port, the input port terminated by `rin`.
Complex output_impedance(const Elements& e, float rin);

struct PortMatch {
  float s11 = 0.0f;
  float s22 = 0.0f;
};

// Reflection magnitudes at both ports at `f` Hz (c1, c2 in F, l in H).
PortMatch fs11(float f, float q0, float rin, float rout, float c1, float c2,
               float l);

}  // namespace merid

#endif  // MERID_CALC_S11MODULE_H_
