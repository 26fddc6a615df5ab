#ifndef MERID_OUTPUT_SMITH_CHART_H_
#define MERID_OUTPUT_SMITH_CHART_H_

// The input impedance of a design over its sweep window on a Smith chart,
// as an SVG document.

#include <string>
#include <vector>

#include "calc/complex.h"
#include "design/response_curves.h"
#include "text/language.h"

namespace merid {

// One point of the chart: the input impedance at a frequency, ohm.
struct ImpedancePoint {
  float freq = 0.0f;  // Hz
  Complex zin;
};

// The input impedance at the frequencies of the S11 curve, from the
// impedance of the port that the S11 sweep takes its reflection from, so
// |zin - rin| / |zin + rin| is each point's |S11| to the bit.
std::vector<ImpedancePoint> input_impedance_curve(const DrawingSubject& d,
                                                  const ResponseCurves& c);

// The loads of one SWR that a retuned tank was asked to match, by phase
// step of the reflection against ROUT (kSwrPhases of them), and whether
// it could.
struct LoadCircle {
  float swr = 1.0f;
  std::vector<bool> matched;
};

// The chart of the feasible design `d`, of any network, normalised to its
// rin: the curve, the working frequency, the edges of the two -1 dB bands, and
// the circle |S11| = 0.1, with a grid of constant resistance and reactance, a
// title and a legend in the response plot's style.  With `loads`, also
// their circle, normalised to ROUT (the reflection of the load), and the
// arcs of it that no setting matches.  Its words in `language`, the title
// as `d` has it.
std::string smith_chart_svg(const DrawingSubject& d,
                            const ResponseCurves& curves, Language language,
                            const LoadCircle* loads = nullptr);

}  // namespace merid

#endif  // MERID_OUTPUT_SMITH_CHART_H_
