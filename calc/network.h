#ifndef MERID_CALC_NETWORK_H_
#define MERID_CALC_NETWORK_H_

// The analysis model of the pi tank: C1 from the input node to ground, L
// with its loss resistance from the input node to the output node, C2 and
// the resistive load from the output node to ground.

#include "calc/complex.h"
#include "calc/constants.h"

namespace merid {

// The synthesised tank: c1, c2 in F, l in H, the unloaded Q of the inductor
// and the load resistance in ohms.
struct Tank {
  float c1 = 0.0f;
  float c2 = 0.0f;
  float l = 0.0f;
  float q0 = 0.0f;
  float rout = 0.0f;
};

// The element impedances at one frequency.  The capacitors are lossless;
// the inductor carries the whole loss as a series resistance l*omega/q0.
struct Elements {
  float x1 = 0.0f;  // reactance of C1
  float x2 = 0.0f;  // reactance of C2
  float x3 = 0.0f;  // reactance of L
  Complex zc1;      // (0, -x1)
  Complex zc2;      // (0, -x2)
  Complex zl;       // (l*omega/q0, x3)
};

// Element impedances at `freq` Hz.  Inline, like the rest of the one-point
// analysis below, so that the sweeps' loops over many points vectorise.
inline Elements elements_at(const Tank& tank, float freq) {
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

// The impedances inside the tank, the same whatever drives it.
struct Impedances {
  Complex zp2;   // load in parallel with C2
  Complex zser;  // L in series with zp2: the branch seen behind C1
  Complex zin;   // input impedance
};

inline Impedances impedances_of(const Tank& tank, const Elements& e) {
  Impedances z;
  z.zp2 = parall(real(tank.rout), e.zc2);
  z.zser = e.zl + z.zp2;
  z.zin = parall(z.zser, e.zc1);
  return z;
}

// The amplifier: an open-circuit voltage behind a real internal resistance.
struct Drive {
  float emf = 0.0f;
  float zs = 0.0f;
};

// The source matched to rin whose open-circuit voltage is 2 uin.
Drive matched_drive(float uin, float rin);
// A source of about 11 rin internal resistance, nearly a current source.
Drive high_impedance_drive(float uin, float rin);

// The currents and voltages of the tank under one drive.
struct DrivenState {
  Complex iin;   // current from the drive
  Complex vin;   // voltage at the input node
  Complex ib;    // current through L
  Complex vout;  // voltage at the output node
};

inline DrivenState drive_tank(const Impedances& z, const Drive& drive) {
  DrivenState s;
  s.iin = real(drive.emf) / (real(drive.zs) + z.zin);
  s.vin = z.zin * s.iin;
  s.ib = s.vin / z.zser;
  s.vout = z.zp2 * s.ib;
  return s;
}

// Every node quantity of one analysis.
struct NetworkState {
  Elements e;
  Complex zp2;   // load in parallel with C2
  Complex zser;  // L in series with zp2: the branch seen behind C1
  Complex zin;   // input impedance
  Complex iin;   // current from the drive
  Complex vin;   // voltage at the input node
  Complex ib;    // current through L
  Complex vout;  // voltage at the output node
};

// The tank driven by `drive` at `freq` Hz.
NetworkState analyse(const Tank& tank, const Drive& drive, float freq);

}  // namespace merid

#endif  // MERID_CALC_NETWORK_H_
