#include "calc/network.h"

#include "calc/constants.h"

namespace merid {

Drive matched_drive(float uin, float rin) { return Drive{uin + uin, rin}; }

Drive high_impedance_drive(float uin, float rin) {
  const float t = kDriveFactor * rin;
  const float kdrive = (rin + t) / rin;
  return Drive{uin * kdrive, rin * kdrive};
}

NetworkState analyse(const Tank& tank, const Drive& drive, float freq) {
  const Elements e = elements_at(tank, freq);
  const Impedances z = impedances_of(tank, e);
  const DrivenState d = drive_tank(z, drive);
  return NetworkState{e, z.zp2, z.zser, z.zin, d.iin, d.vin, d.ib, d.vout};
}

}  // namespace merid
