#include "calc/sub.h"

#include <cmath>

#include "calc/constants.h"
#include "calc/harmonics.h"

namespace merid {
namespace {

Harmonics analyse_harmonics(const Tank& tank, const Drive& drive, float f) {
  const float f2 = f + f;
  const NetworkState at_f = analyse(tank, drive, f);
  const NetworkState at_2f = analyse(tank, drive, f2);

  Harmonics h;
  h.il = modulus(at_f.ib);
  h.ul = modulus(at_f.e.zl * at_f.ib);
  h.ic1 = modulus(at_f.vin / at_f.e.zc1);
  h.ic2 = modulus(at_f.vout / at_f.e.zc2);
  // The imaginary parts of z I conj(I) and |V|^2 / conj(z); the loss
  // resistance of L does not enter its reactive power.
  h.ql = squared_magnitude(at_f.ib) * at_f.e.x3;
  h.qc1 = squared_magnitude(at_f.vin) / at_f.e.x1;
  h.qc2 = squared_magnitude(at_f.vout) / at_f.e.x2;
  h.vref = at_f.vout;
  h.suppression = suppression_db(at_f.vout, at_2f.vout);
  return h;
}

}  // namespace

Harmonics garmonica1(float uin, float c1, float c2, float l, float rin,
                     float rout, float f, float q0) {
  return analyse_harmonics(Tank{c1, c2, l, q0, rout},
                           high_impedance_drive(uin, rin), f);
}

Harmonics garmonica2(float uin, float c1, float c2, float l, float rin,
                     float rout, float f, float q0) {
  return analyse_harmonics(Tank{c1, c2, l, q0, rout}, matched_drive(uin, rin),
                           f);
}

}  // namespace merid
