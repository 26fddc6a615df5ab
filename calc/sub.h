#ifndef MERID_CALC_SUB_H_
#define MERID_CALC_SUB_H_

// Second-harmonic suppression and element stresses of the pi tank.  The
// parallel combination of impedances, parall, lives with the other complex
// operations in calc/complex.h.

#include "calc/complex.h"
#include "calc/network.h"

namespace merid {

// What one harmonic analysis yields.  The stresses are RMS values at the
// working frequency.
struct Harmonics {
  float suppression = 0.0f;  // 20 log10 |vout(f) / vout(2f)|, dB
  float qc1 = 0.0f;          // reactive power in C1, var
  float qc2 = 0.0f;          // reactive power in C2, var
  float ql = 0.0f;           // reactive power in L, var
  float ic1 = 0.0f;          // current in C1, A
  float ic2 = 0.0f;          // current in C2, A
  float il = 0.0f;           // current in L, A
  Complex vref;              // output voltage at f, V
  float ul = 0.0f;           // voltage across L and its loss, V
};

// The tank (c1, c2 in F, l in H) analysed at f and 2f (f in Hz) under the
// high-impedance drive; its suppression is KI.
Harmonics garmonica1(float uin, float c1, float c2, float l, float rin,
                     float rout, float f, float q0);

// The same under the drive matched to rin with 2 uin open-circuit; its
// suppression is KU and its vref the reference of the voltage response.
Harmonics garmonica2(float uin, float c1, float c2, float l, float rin,
                     float rout, float f, float q0);

}  // namespace merid

#endif  // MERID_CALC_SUB_H_
