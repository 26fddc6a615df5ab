#ifndef MERID_CALC_PI_L_LADDER_H_
#define MERID_CALC_PI_L_LADDER_H_

// The pi-L network's elements and its impedances at one frequency, in
// single precision: inline, so that the sweeps' loops over many points
// vectorise, in the operations every analysis of the network takes.

#include "calc/complex.h"
#include "calc/constants.h"
#include "calc/network.h"
#include "calc/s11module.h"

namespace merid {

// The built network: capacitors in F, coils in H; cout may be 0.
struct PiLNetwork {
  float c1 = 0.0f;
  float l1 = 0.0f;
  float cmid = 0.0f;  // the capacitor at the middle node
  float l2 = 0.0f;
  float cout = 0.0f;  // CL when it is across the load, else 0
  float q0 = 0.0f;    // unloaded Q of both coils
  float rout = 0.0f;
};

// A coil of reactance x with its loss resistance x / q0.
inline Complex lossy_coil(float x, float q0) { return Complex{x / q0, x}; }

// The impedances of the network at `freq` Hz into `load`, whatever drives
// it: the reactances, the elements' impedances and the impedances seen at
// each node, in the operations analyse_pi_l takes.
struct PiLImpedances {
  float x1 = 0.0f, xl1 = 0.0f, xmid = 0.0f, xl2 = 0.0f, bout = 0.0f;
  Complex zc1, zcmid, zl1, zl2;
  Complex zout;   // the load || cout
  Complex zser2;  // L2 and zout
  Complex zmid;   // zser2 || the middle capacitor
  Complex zser1;  // L1 and zmid
  Complex zin;    // zser1 || C1
};
inline PiLImpedances pi_l_impedances(const PiLNetwork& n, float freq,
                                     Complex load) {
  const float omega = kOmegaFactor * freq;
  PiLImpedances z;
  z.x1 = 1.0f / (n.c1 * omega);
  z.xl1 = n.l1 * omega;
  z.xmid = 1.0f / (n.cmid * omega);
  z.xl2 = n.l2 * omega;
  z.bout = n.cout * omega;
  z.zc1 = Complex{0.0f, -z.x1};
  z.zcmid = Complex{0.0f, -z.xmid};
  z.zl1 = lossy_coil(z.xl1, n.q0);
  z.zl2 = lossy_coil(z.xl2, n.q0);
  // The load || cout as an admittance, so that cout = 0 needs no case;
  // for the designed load, ROUT / (1 + j bout ROUT).
  z.zout = load / (real(1.0f) + Complex{0.0f, z.bout} * load);
  z.zser2 = z.zl2 + z.zout;
  z.zmid = parall(z.zser2, z.zcmid);
  z.zser1 = z.zl1 + z.zmid;
  z.zin = parall(z.zser1, z.zc1);
  return z;
}

// The output voltage of the network of impedances `z` under `drive`: the
// bits of analyse_pi_l's vout.
inline Complex output_voltage(const PiLImpedances& z, const Drive& drive) {
  const Complex iin = real(drive.emf) / (real(drive.zs) + z.zin);
  const Complex vin = z.zin * iin;
  const Complex il1 = vin / z.zser1;
  const Complex vmid = z.zmid * il1;
  const Complex il2 = vmid / z.zser2;
  return z.zout * il2;
}

// Every node and branch quantity of one analysis, voltages and currents as
// phasors.
struct PiLState {
  Complex zin;      // input impedance
  Complex zmid;     // what L1 sees: the middle capacitor and the L section
  Complex iin;      // current from the drive
  Complex vin;      // input node
  Complex il1;      // through L1
  Complex vmid;     // middle node
  Complex il2;      // through L2
  Complex vout;     // output node
  Complex vl1;      // across L1 with its loss
  Complex vl2;      // across L2 with its loss
  Complex ic1;      // in C1
  Complex icmid;    // in the middle capacitor
  Complex icout;    // in the output capacitor
  float x1 = 0.0f;  // reactances at the frequency, ohm
  float xl1 = 0.0f;
  float xmid = 0.0f;  // of cmid
  float xl2 = 0.0f;
  float bout = 0.0f;  // susceptance of cout, S
};

// The state of the network of impedances `z` under `drive`: the bits of
// analyse_pi_l's.
inline PiLState driven_state(const PiLImpedances& z, const Drive& drive) {
  PiLState s;
  s.x1 = z.x1;
  s.xl1 = z.xl1;
  s.xmid = z.xmid;
  s.xl2 = z.xl2;
  s.bout = z.bout;
  s.zmid = z.zmid;
  s.zin = z.zin;
  s.iin = real(drive.emf) / (real(drive.zs) + s.zin);
  s.vin = s.zin * s.iin;
  s.il1 = s.vin / z.zser1;
  s.vmid = s.zmid * s.il1;
  s.il2 = s.vmid / z.zser2;
  s.vout = z.zout * s.il2;
  s.vl1 = z.zl1 * s.il1;
  s.vl2 = z.zl2 * s.il2;
  s.ic1 = s.vin / z.zc1;
  s.icmid = s.vmid / z.zcmid;
  s.icout = s.vout * Complex{0.0f, s.bout};
  return s;
}

// The reflection magnitude of `z` against the real `r0`, |(z - r0) / (z +
// r0)|: the modulus of the pi network's coefficient, whose numerator's
// sign, and so its quotient's, differs exactly.
inline float reflection_magnitude(Complex z, float r0) {
  return modulus(reflection(z, real(r0)));
}

}  // namespace merid

#endif  // MERID_CALC_PI_L_LADDER_H_
