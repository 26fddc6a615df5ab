#ifndef MERID_CLI_TEXT_OUTPUT_H_
#define MERID_CLI_TEXT_OUTPUT_H_

// merid-calc's text output in UTF-8: the results screen of the dialogue
// with the peak values under it, and the band table.  Lines end in CR LF
// like every line of the screen, so the results block is the screen's own
// bytes.

#include <span>

#include "base/byte_io.h"
#include "calc/synthesis.h"
#include "cli/band_table.h"

namespace merid {

// The input block and the twenty-two results exactly as the results screen
// writes them, then the peak voltages and currents of the three elements
// in the same two-column form.  `d` is a feasible design.
void write_design_text(ByteSink& out, const Design& d);

// The dialogue's two-line message for a loaded Q too small for the
// transformation.
void write_infeasible_text(ByteSink& out);

// The five fixed inputs in the input block's form, then one row per band
// frequency: F, C1, C2, L, the peak voltage across C1 and the peak current
// in L.  An infeasible row says so after its frequency.
void write_band_table_text(ByteSink& out, const Design& inputs,
                           std::span<const BandRow> rows);

}  // namespace merid

#endif  // MERID_CLI_TEXT_OUTPUT_H_
