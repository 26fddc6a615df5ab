#ifndef MERID_CALC_GIVEN_H_
#define MERID_CALC_GIVEN_H_

// A pi tank of given elements analysed instead of synthesised: a tank
// already built, checked at any frequency.  New figures, not the
// dialogue's: single precision in the one-point analysis's operations.

#include "calc/design_inputs.h"
#include "calc/synthesis.h"

namespace merid {

// Below this share of PIN taken from the matched source (an SWR above
// about 40000) the input of a built tank is all but a pure reactance, and
// the real part of its impedance, the power it takes and every figure
// scaled by it are lost in single precision.
inline constexpr double kLeastResolvedShare = 1e-4;

// Whether a built tank that takes `taken` W from the matched source of PIN
// `pin` can be analysed: more than kLeastResolvedShare of it, finite.
bool resolved_power(double taken, float pin);

// The elements of a built pi tank, in display units.
struct PiElements {
  float c1_pf = 0.0f;
  float l_uh = 0.0f;
  float c2_pf = 0.0f;
};

// The tank `e` at inputs.f (MHz) with its load, unloaded Q, input
// resistance and power from `inputs` (its loaded Q ignored), driven so that
// it takes PIN (the levelled drive: a given tank need not show RIN, and the
// amplifier puts its power in all the same).  Every result of a design,
// the elements echoed: the stresses under that drive, the efficiency, KU
// and KI (ratios, the same for any drive), S11 and S22 against RIN and
// ROUT, and the bands over the sweep window of the tank's own loaded Q,
// which is qn: the reactive power in L over PIN, as a design's is.
// Infeasible, with nothing but its inputs, where the power it takes cannot
// be resolved (resolved_power) or the efficiency comes out beyond 0 to
// 100 %.
Design given_pi(const DesignInputs& inputs, const PiElements& e);

}  // namespace merid

#endif  // MERID_CALC_GIVEN_H_
