#include "calc/network.h"

#include "calc/constants.h"
#include "calc/sub.h"

namespace merid {

Elements elements_at(const Tank& tank, float freq) {
  const float omega = kOmegaFactor * freq;
  Elements e;
  e.x1 = 1.0f / (tank.c1 * omega);
  e.x2 = 1.0f / (tank.c2 * omega);
  e.x3 = tank.l * omega;
  const float rloss = e.x3 / tank.q0;
  e.zc1 = Complex{0.0f, -e.x1};
  e.zc2 = Complex{0.0f, -e.x2};
  e.zl = Complex{rloss, e.x3};
  return e;
}

Drive matched_drive(float uin, float rin) { return Drive{uin + uin, rin}; }

Drive high_impedance_drive(float uin, float rin) {
  const float t = kDriveFactor * rin;
  const float kdrive = (rin + t) / rin;
  return Drive{uin * kdrive, rin * kdrive};
}

NetworkState analyse(const Tank& tank, const Drive& drive, float freq) {
  NetworkState s;
  s.e = elements_at(tank, freq);
  s.zp2 = parall(real(tank.rout), s.e.zc2);
  s.zser = s.e.zl + s.zp2;
  s.zin = parall(s.zser, s.e.zc1);
  s.iin = real(drive.emf) / (real(drive.zs) + s.zin);
  s.vin = s.zin * s.iin;
  s.ib = s.vin / s.zser;
  s.vout = s.zp2 * s.ib;
  return s;
}

}  // namespace merid
