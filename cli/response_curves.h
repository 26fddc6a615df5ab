#ifndef MERID_CLI_RESPONSE_CURVES_H_
#define MERID_CLI_RESPONSE_CURVES_H_

// The three curves behind the bandwidths of a design, over its sweep grid:
// the voltage and the current response in dB and |S11|, with the band each
// bandwidth measures.

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "calc/complex.h"
#include "calc/harmonics.h"
#include "calc/pi_l.h"
#include "calc/sweep.h"
#include "calc/synthesis.h"

namespace merid {

struct ResponseCurves {
  // Output voltage under the matched drive, dB relative to vref2, the
  // output voltage at the working frequency.
  std::vector<CurvePoint> voltage;
  // Output voltage under the high-impedance drive, dB relative to its peak
  // over the upper half of the grid.
  std::vector<CurvePoint> current;
  // Reflection magnitude at the input port.
  std::vector<CurvePoint> s11;
  // From the first to the last grid point within 1 dB: its width is bw_u
  // and bw_i.
  Band voltage_band;
  Band current_band;
  // Between the crossings of 0.1 that give bw_s11; one crossing gives the
  // band from the start of the grid, as bw_s11 is then the crossing's own
  // frequency.
  Band s11_band;
};

// The curves of the feasible design `d` and their bands, from the sweeps
// that give its bandwidths, traced point by point.
ResponseCurves response_curves(const Design& d);
ResponseCurves response_curves(const PiLDesign& d);

// What the plot and the Smith chart say of a feasible design besides its
// curves, whichever its network.
struct DrawingSubject {
  // The network and its inputs: one line, or two where one would not fit.
  std::vector<std::string> title;
  float fmhz = 0.0f;    // the working frequency as the outputs show it
  float fhz = 0.0f;     // ... and as the calculation used it, Hz
  float rin = 0.0f;     // ohm
  float fstart = 0.0f;  // the sweep window and its step, Hz
  float fstop = 0.0f;
  float step = 0.0f;
  float bw_u = 0.0f;  // the three bandwidths, kHz
  float bw_i = 0.0f;
  float bw_s11 = 0.0f;
  HarmonicTable harmonics;
  // The input impedance at a frequency in Hz, from the impedance of the
  // port that the S11 sweep takes its reflection from.
  std::function<Complex(float)> zin;
};

DrawingSubject drawing_subject(const Design& d);
DrawingSubject drawing_subject(const PiLDesign& d);

// At most about `max_points` points of `curve` for drawing: the lowest and
// the highest point of each run of neighbours, in frequency order, so that
// no peak or notch is lost.
std::vector<CurvePoint> decimated(std::span<const CurvePoint> curve,
                                  std::size_t max_points);

}  // namespace merid

#endif  // MERID_CLI_RESPONSE_CURVES_H_
