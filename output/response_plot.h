#ifndef MERID_OUTPUT_RESPONSE_PLOT_H_
#define MERID_OUTPUT_RESPONSE_PLOT_H_

// The plot of a design's responses as an SVG document.

#include <span>
#include <string>
#include <vector>

#include "design/emissions.h"
#include "design/response_curves.h"
#include "text/language.h"

namespace merid {

// Most points drawn per curve; the sweep grid has up to 57000.
inline constexpr std::size_t kMaxPlotPoints = 2000;

// How much of the sweep window the frequency axis spans.
enum class PlotWindow {
  kBands,  // around F: the three measured bands and as much again each side
  kWhole,  // the whole sweep window from 0
};

// The voltage and the current response in dB (left scale) and |S11| (right
// scale) against frequency in MHz of the feasible design `d`, of any
// network; the -1 dB line, the 0.1 line, the working frequency and the
// three measured bands, each as a bar of its own and its edges in its own
// dash, with axis labels, a legend and the suppression of the harmonics 2F
// to 5F; with `emissions`, under it their levels at the load against the
// limit.  Its words in `language`, the title as `d` has it.
std::string response_plot_svg(const DrawingSubject& d,
                              const ResponseCurves& curves, Language language,
                              PlotWindow window = PlotWindow::kBands,
                              const Emissions* emissions = nullptr);

// At most about `max_points` points of `curve` for drawing: the lowest and
// the highest point of each run of neighbours, in frequency order, so that
// no peak or notch is lost.
std::vector<CurvePoint> decimated(std::span<const CurvePoint> curve,
                                  std::size_t max_points);

}  // namespace merid

#endif  // MERID_OUTPUT_RESPONSE_PLOT_H_
