#ifndef MERID_CLI_RESPONSE_PLOT_H_
#define MERID_CLI_RESPONSE_PLOT_H_

// The plot of a design's responses as an SVG document.

#include <string>

#include "calc/synthesis.h"
#include "cli/response_curves.h"

namespace merid {

// Most points drawn per curve; the sweep grid has up to 57000.
inline constexpr std::size_t kMaxPlotPoints = 2000;

// The voltage and the current response in dB (left scale) and |S11| (right
// scale) against frequency in MHz over the sweep window of the feasible
// design `d`; the -1 dB line, the 0.1 line, the working frequency and the
// three measured bands marked, with axis labels and a legend.
std::string response_plot_svg(const Design& d, const ResponseCurves& curves);

}  // namespace merid

#endif  // MERID_CLI_RESPONSE_PLOT_H_
