#ifndef MERID_CALC_RETUNE_H_
#define MERID_CALC_RETUNE_H_

// The tank retuned into a mismatched load: the two shunt capacitors of a
// pi section set, with its coil fixed, so that the amplifier sees its
// resistance again.  Double precision: this is a new calculation, not the
// dialogue's.

#include <optional>

#include "calc/complex.h"

namespace merid {

inline constexpr double kPicofaradsPerFarad = 1e12;

// An admittance g + jb, S.
struct Admittance {
  double g = 0.0;
  double b = 0.0;
};

// 1 / z in double precision.
Admittance admittance(Complex z);

// C1 at the section's input and C2 at its output node, in F.
struct ShuntSetting {
  double c1 = 0.0;
  double c2 = 0.0;
};

// The setting that makes the input of a pi section `rin` at `omega`
// (rad/s), its coil fixed (reactance x and loss resistance r, ohm), when
// the output node has besides C2 the admittance `node`: C2 from the
// quadratic that makes the real part of the admittance seen through the
// coil 1/rin, then C1 cancelling the rest.  Of the settings with both
// capacitors positive, the one whose C2 lies nearest `c2_now`, which an
// operator reaches by retuning from it; none where no such setting exists
// (the quadratic has no real root, or each root asks for a negative
// capacitor: a coil too large or too small for the load).
std::optional<ShuntSetting> retune_pi_section(double omega, Admittance node,
                                              double x, double r, double rin,
                                              double c2_now);

}  // namespace merid

#endif  // MERID_CALC_RETUNE_H_
