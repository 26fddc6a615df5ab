#ifndef MERID_CALC_SUBPOLOSA_H_
#define MERID_CALC_SUBPOLOSA_H_

// The frequency grid of the sweeps and the -1 dB bandwidths of the voltage
// and the current response.

#include <cstdint>
#include <span>

#include "calc/complex.h"

namespace merid {

// A sweep grid: point i (from 1) lies at the running sum fstart + step + ...
// + step, each sum rounded to single precision.
struct SweepGrid {
  float fstart = 0.0f;  // Hz
  float step = 0.0f;    // Hz
  std::int32_t nstep = 0;
};

// The grid step for the working frequency `f` and the number of points up
// to `fstop` (both Hz): 500 Hz below 1.1 MHz, a rounded linear rise up to
// 30.1 MHz, 5000 Hz from there.
SweepGrid delta(float f, float fstart, float fstop);

// One grid point of a response: its frequency (Hz) and its distance (dB)
// from the reference level.
struct ResponsePoint {
  float freq;
  float dev;
};

// Width in Hz of the band of points within 1 dB of the reference, from the
// first to the last such point.  When a first in-band run is followed by
// another one, the first is passed over (the low-frequency end of a
// response that starts near the reference).  No point in band gives 0.
// Marks the points it leaves out.
float band_width(std::span<ResponsePoint> resp);

// -1 dB bandwidth in Hz of the output voltage under the high-impedance
// drive, against the peak found over the upper half of the grid.
float fpolosa1(float c1, float c2, float l, float uin, float rin, float rout,
               float q0, const SweepGrid& grid);

// -1 dB bandwidth in Hz of the output voltage under the matched drive,
// against `vref2`, the output voltage at the working frequency.
float fpolosa2(float c1, float c2, float l, float uin, float rin, float rout,
               float q0, const SweepGrid& grid, Complex vref2);

}  // namespace merid

#endif  // MERID_CALC_SUBPOLOSA_H_
