#ifndef MERID_CALC_POLOSA_S11_H_
#define MERID_CALC_POLOSA_S11_H_

// The S11(0.1) band: a sweep of the input reflection and the span between
// its crossings through 0.1.

#include <cstdint>

namespace merid {

struct S11Band {
  float bw_s11 = 0.0f;      // kHz
  std::int32_t ncross = 0;  // crossings of 0.1 found, all of them
};

// Sweeps `ns11` points from `fstart` by `step` (Hz; c1, c2 in F, l in H).
// One crossing gives its own frequency, two the span between them, three
// the span from the second to the third; any other count gives 0.
S11Band subs11(float q0, float c1, float c2, float l, float fstart, float step,
               std::int32_t ns11, float rin, float rout);

}  // namespace merid

#endif  // MERID_CALC_POLOSA_S11_H_
