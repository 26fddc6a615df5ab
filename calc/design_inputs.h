#ifndef MERID_CALC_DESIGN_INPUTS_H_
#define MERID_CALC_DESIGN_INPUTS_H_

// The six numbers a design of any network starts from.

namespace merid {

struct DesignInputs {
  float f = 0.0f;     // working frequency, MHz
  float qn = 0.0f;    // loaded Q
  float q0 = 0.0f;    // unloaded Q of the coils
  float rin = 0.0f;   // ohm, the resistance the amplifier wants
  float rout = 0.0f;  // ohm, the load
  float pin = 0.0f;   // W
};

// The same inputs (and whatever `Inputs` holds besides) at the frequency
// `f_mhz`.
template <typename Inputs>
Inputs at_frequency(Inputs in, float f_mhz) {
  in.f = f_mhz;
  return in;
}

}  // namespace merid

#endif  // MERID_CALC_DESIGN_INPUTS_H_
