#include "calc/s11module.h"

#include "calc/complex.h"

namespace merid {

Reflection swrsub(Complex z, Complex zref) {
  Reflection r;
  r.gamma = modulus(reflection(z, zref));
  return r;
}

Complex input_impedance(const Tank& tank, const Elements& e) {
  return impedances_of(tank, e).zin;
}

Complex output_impedance(const Elements& e, float rin) {
  const Complex zp1 = parall(real(rin), e.zc1);
  const Complex zser1 = e.zl + zp1;
  return parall(zser1, e.zc2);
}

PortMatch fs11(float f, float q0, float rin, float rout, float c1, float c2,
               float l) {
  const Tank tank{c1, c2, l, q0, rout};
  const Elements e = elements_at(tank, f);
  PortMatch m;
  m.s22 = swrsub(output_impedance(e, rin), real(rout)).gamma;
  m.s11 = swrsub(input_impedance(tank, e), real(rin)).gamma;
  return m;
}

}  // namespace merid
