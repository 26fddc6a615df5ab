#ifndef MERID_DESIGN_RESPONSE_CURVES_H_
#define MERID_DESIGN_RESPONSE_CURVES_H_

// The three curves behind the bandwidths of a design, over its sweep grid,
// and what a drawing of a design says besides them.

#include <functional>
#include <string>
#include <vector>

#include "calc/complex.h"
#include "calc/harmonics.h"
#include "calc/sweep.h"
#include "text/language.h"

namespace merid {

struct ResponseCurves {
  // Output voltage under the matched drive, dB relative to the output
  // voltage at the working frequency.
  std::vector<CurvePoint> voltage;
  // Output voltage under the high-impedance drive, dB relative to its peak
  // over the upper half of the grid.
  std::vector<CurvePoint> current;
  // Reflection magnitude at the input port.
  std::vector<CurvePoint> s11;
  // The bands whose widths are bw_u, bw_i and bw_s11.  An S11 band of one
  // crossing runs from the start of the grid, as bw_s11 is then the
  // crossing's own frequency.
  Band voltage_band;
  Band current_band;
  Band s11_band;
};

// The curves of a traced sweep and the bands it found.
ResponseCurves curves_of(SweepTrace& trace, const Band& voltage,
                         const Band& current, const Band& s11);

// What the plot and the Smith chart say of a feasible design besides its
// curves, whichever its network.
struct DrawingSubject {
  // The network and its inputs in the language asked for: one line, or two
  // where one would not fit.
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

// "П-контур: F = 7.1 МГц, Qn = 12, Q0 = 200": how a title begins, in
// `language`.
std::string title_start(std::string_view network, float fmhz, float qn,
                        float q0, Language language);

}  // namespace merid

#endif  // MERID_DESIGN_RESPONSE_CURVES_H_
