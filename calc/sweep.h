#ifndef MERID_CALC_SWEEP_H_
#define MERID_CALC_SWEEP_H_

// The sweeps over the frequency grid of a design: the -1 dB bands of the
// current and the voltage response and the S11(0.1) band, all three from
// one walk over the grid, and on request every grid point of that walk as
// a curve for drawing.

#include <array>
#include <cstdint>
#include <vector>

#include "calc/complex.h"
#include "calc/network.h"

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

// The sweep window of a design at `f` Hz with the loaded Q `qn`, from
// kSweepStart to kNarrowWindow f (kWideWindow f at a loaded Q up to 4.01),
// its grid, and the points of the S11 sweep: the grid's less the share of
// it below fstart.
struct SweepPlan {
  float fstart = 0.0f;
  float fstop = 0.0f;
  SweepGrid grid;
  std::int32_t ns11 = 0;
};
SweepPlan sweep_plan(float f, float qn);

// The frequencies (Hz) between which a bandwidth is measured.
struct Band {
  bool found = false;
  float low = 0.0f;
  float high = 0.0f;
};

// One grid point of a traced sweep.
struct CurvePoint {
  float freq;   // Hz
  float value;  // dB, or |S11|
};

struct S11Band {
  float bw_s11 = 0.0f;      // kHz
  std::int32_t ncross = 0;  // crossings of 0.1 found, all of them
  // The first three crossings, Hz: each at the frequency of the last point
  // before it.  Zero where there was none.
  std::array<double, 3> fcross{};
  // Between the crossings that give bw_s11; one crossing gives the band
  // from the first point of the sweep, as bw_s11 is then the crossing's own
  // frequency.
  Band band{};
};

// The bands of one design's sweeps.
struct SweepBands {
  float bw_i = 0.0f;  // Hz, the width of `current`
  float bw_u = 0.0f;  // Hz, the width of `voltage`
  // From the first to the last grid point within 1 dB of the reference.
  Band current;
  Band voltage;
  S11Band s11;
};

// The values of every grid point that the sweeps visit, in grid order.
struct SweepTrace {
  // Output voltage under the matched drive, dB relative to vref2:
  // -20 log10 |vref2 / vout|.
  std::vector<CurvePoint> voltage;
  // Output voltage under the high-impedance drive, dB relative to its peak
  // vmax over the upper half of the grid: -20 log10 (vmax / |vout|).
  std::vector<CurvePoint> current;
  // Reflection magnitude at the input port, |S11|.
  std::vector<CurvePoint> s11;
};

// The bands of the tank driven from uin behind rin: both responses over the
// `grid.nstep` points of `grid`, the voltage response against `vref2`, and
// the S11 sweep over its first `ns11` points.  With a `trace`, its curves
// are filled as well; without one no logarithm is taken.
SweepBands sweep_bands(const Tank& tank, float uin, float rin,
                       const SweepGrid& grid, Complex vref2, std::int32_t ns11,
                       SweepTrace* trace = nullptr);

// Each sweep alone, as sweep_bands measures it: the responses of module
// subpolosa, the S11 band of module polosa_s11.

// -1 dB bandwidth in Hz of the output voltage under the high-impedance
// drive, against the peak found over the upper half of the grid.
float fpolosa1(float c1, float c2, float l, float uin, float rin, float rout,
               float q0, const SweepGrid& grid);

// -1 dB bandwidth in Hz of the output voltage under the matched drive,
// against `vref2`, the output voltage at the working frequency.
float fpolosa2(float c1, float c2, float l, float uin, float rin, float rout,
               float q0, const SweepGrid& grid, Complex vref2);

// Sweeps `ns11` points from `fstart` by `step` (Hz; c1, c2 in F, l in H).
// One crossing gives its own frequency, two the span between them, three
// the span from the second to the third; any other count gives 0.
S11Band subs11(float q0, float c1, float c2, float l, float fstart, float step,
               std::int32_t ns11, float rin, float rout);

}  // namespace merid

#endif  // MERID_CALC_SWEEP_H_
