#ifndef MERID_CLI_TEXT_OUTPUT_H_
#define MERID_CLI_TEXT_OUTPUT_H_

// merid-calc's text output in UTF-8: the results screen of the dialogue
// with the peak values under it, and the band table.  Lines end in CR LF
// like every line of the screen, so the results block is the screen's own
// bytes.

#include <span>

#include "base/byte_io.h"
#include "calc/synthesis.h"
#include "cli/amplifier_options.h"
#include "cli/amplifier_report.h"
#include "cli/band_table.h"

namespace merid {

// The input block and the twenty-two results exactly as the results screen
// writes them, then the peak voltages and currents of the three elements
// in the same two-column form.  `d` is a feasible design.
void write_design_text(ByteSink& out, const Design& d);

// The dialogue's two-line message for a loaded Q too small for the
// transformation.
void write_infeasible_text(ByteSink& out);

// What the amplifier options add under the design's text: with --cmin,
// Cmin, the margin C1 - Cmin and the loaded Q that gives C1 >= Cmin; with
// --rin-from, the estimate of R вх. and its rule.  Nothing without them.
void write_amplifier_text(ByteSink& out, const AmplifierOptions& options,
                          const AmplifierReport& report);

// With --rin-from, the estimate of R вх. and its rule; nothing without.
void write_rin_estimate_text(ByteSink& out, const AmplifierOptions& options);

// The five fixed inputs in the input block's form, then one row per band
// frequency: F, C1, C2, L, the peak voltage across C1 and the peak current
// in L; with --fixed-coil the band's coil in the L column and the row's
// loaded Q and KU after it, with --cmin the loaded Q for Cmin last.  An
// infeasible row says so after its frequency, and so does a row the coil
// cannot match.  With --rin-from the estimate closes the table.
void write_band_table_text(ByteSink& out, const Design& inputs,
                           std::span<const AmplifierRow> rows,
                           const AmplifierOptions& options);

// The same of the pi-L network: its five fixed inputs and RMID, then F,
// C1, L1, the middle capacitor, L2, with RMID < ROUT the output capacitor,
// the peak voltage across C1 and the peak current in L1; with --fixed-coil
// L1 is the band's coil and the row's loaded Q, RMID and KU follow L2.
void write_band_table_text(ByteSink& out, const PiLDesign& inputs,
                           std::span<const PiLAmplifierRow> rows,
                           const AmplifierOptions& options);

}  // namespace merid

#endif  // MERID_CLI_TEXT_OUTPUT_H_
