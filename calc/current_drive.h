#ifndef MERID_CALC_CURRENT_DRIVE_H_
#define MERID_CALC_CURRENT_DRIVE_H_

// Either network driven by a current at its input, as a tube or a
// transistor drives it, with the strays of real parts: the coils'
// self-capacitance across them and the capacitors' lead inductance in
// series.  Double precision, the circuit solved as a ladder: a new
// analysis, not the dialogue's.

namespace merid {

// A network as a ladder from the amplifier to the load, SI units: C1 to
// ground, L1 in series, the middle capacitor to ground, L2 in series (0:
// none, the pi network), the output capacitor to ground (0: none), the
// load resistance.  The coils carry the series loss X / q0.
struct Ladder {
  double c1 = 0.0;
  double l1 = 0.0;
  double cmid = 0.0;
  double l2 = 0.0;
  double cout = 0.0;
  double q0 = 0.0;
  double rout = 0.0;
};

// The strays of the parts, SI units, each 0 for none: across every coil,
// and in series with C1 and with the capacitors after L1.
struct Strays {
  double coil_c = 0.0;
  double c1_lead = 0.0;
  double c2_lead = 0.0;
};

// The ladder at one frequency under a current of 1 A RMS into its input,
// with `rp` (ohm, infinity for none) across the source: the load voltage's
// magnitude, and the powers into the ladder and into the load.
struct CurrentDrive {
  double v_load = 0.0;
  double p_in = 0.0;
  double p_load = 0.0;
};
CurrentDrive current_drive(const Ladder& ladder, const Strays& strays,
                           double rp, double f);

// The frequency, Hz, at which a coil `l` resonates with its
// self-capacitance `c`: 1 / (2 pi sqrt(l c)); infinity for c = 0.
double self_resonance(double l, double c);

}  // namespace merid

#endif  // MERID_CALC_CURRENT_DRIVE_H_
