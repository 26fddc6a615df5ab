#ifndef MERID_CALC_MISMATCH_H_
#define MERID_CALC_MISMATCH_H_

// The stresses of the designed tank when its load is not the resistance it
// was designed for but any impedance of a given SWR against it: what the
// parts must be rated for with a real antenna.

#include "calc/network.h"
#include "calc/synthesis.h"

namespace merid {

inline constexpr float kMinSwr = 1.0f;
inline constexpr float kMaxSwr = 10.0f;
// Evenly spaced phases of the reflection coefficient on the load circle;
// phase 0 (the load S rout) and phase pi (rout / S) are among them.
inline constexpr int kSwrPhases = 360;

// The extremes over every load of one SWR at the working frequency, RMS
// values of phasors, single precision.
struct MismatchStresses {
  float uc1 = 0.0f;    // largest voltage across C1, V
  float uc2 = 0.0f;    // across C2, V
  float ul = 0.0f;     // across L and its loss resistance, V
  float ic1 = 0.0f;    // largest current in C1, A
  float ic2 = 0.0f;    // in C2, A
  float il = 0.0f;     // in L, A
  float pload = 0.0f;  // largest power into the load, W
  float ploss = 0.0f;  // largest power in the coil's loss resistance, W
  // The input impedance the amplifier sees, ohm, and its reflection
  // magnitude against rin.
  float r_min = 0.0f;
  float r_max = 0.0f;
  float x_min = 0.0f;
  float x_max = 0.0f;
  float s11_min = 0.0f;
  float s11_max = 0.0f;
};

// The loads of SWR `swr` against `rout`: the impedances whose reflection
// coefficient (z - rout) / (z + rout) has magnitude (swr - 1) / (swr + 1)
// and phase 2 pi phase_step / kSwrPhases.  Computed in double precision and
// rounded to single, but phase 0 and pi give swr rout and rout / swr, each one
// single-precision operation, exactly real.  Swr 1 gives rout alone.
Complex swr_load(float rout, float swr, double phase_step);

// Both drives of the feasible design `d`: the matched one of the voltage
// response and KU, and the high-impedance one of the current response and
// KI.
struct SwrStresses {
  float swr = 1.0f;
  MismatchStresses matched;
  MismatchStresses high_impedance;
};
SwrStresses swr_stresses(const Design& d, float swr);

}  // namespace merid

#endif  // MERID_CALC_MISMATCH_H_
