#ifndef MERID_OUTPUT_TEXT_OUTPUT_H_
#define MERID_OUTPUT_TEXT_OUTPUT_H_

// merid-calc's text output in UTF-8 of a design of any network: its
// network's text blocks (for the pi network the dialogue's results screen
// first, in Russian the same bytes), the stresses under a mismatched load,
// what the amplifier options add, and the band table, each in the language
// it is asked for.  Lines end in CR LF like every line of the screen.  The
// page shows the same blocks and the same band table, laid out from the
// views below.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/amplifier_options.h"
#include "base/byte_io.h"
#include "design/amplifier_report.h"
#include "design/band_table.h"
#include "design/load_swr.h"
#include "design/network.h"
#include "text/language.h"

namespace merid {

// One value of a text block: its field's key, its label without tabs and
// "= ", and its value in the screen's three-decimal field.
struct TextCell {
  std::string_view key;
  std::string label;  // in a view, bare as the page shows it
  std::string value;
};

// A block as the text output and the page show it.
struct TextBlockView {
  std::string heading;                      // without its leading blank
  std::vector<std::vector<TextCell>> rows;  // one or two cells each
  std::string note;                         // a line under the rows, or none
};

// The blocks of the feasible design `d`, the dialogue's screen as its
// input block and its results block.
std::vector<TextBlockView> text_blocks(const DesignModel& d, Language language);

// Every block of the feasible design `d`.
void write_design_text(ByteSink& out, const DesignModel& d, Language language);

// The dialogue's two-line message for a loaded Q too small for the
// transformation, what the network adds to it, and the least loaded Q
// that makes it, `qn_min` (least_feasible_loaded_q: none when no accepted
// one does); for a tank of given elements only what its network says.  The
// lines without their ends.
std::vector<std::string> infeasible_lines(const DesignModel& d,
                                          std::optional<float> qn_min,
                                          Language language);
void write_infeasible_text(ByteSink& out, const DesignModel& d,
                           std::optional<float> qn_min, Language language);

// With --swr: a block of each drive's extremes, with --retune one of the
// retuned tank, then the largest stress of each part over them all and
// which case gave it.
void write_swr_text(ByteSink& out, const DesignModel& d, const LoadSwr& s,
                    Language language);

// With the emission options: each harmonic at the load, dBc, W and dBm,
// against the limit; the coils' self-resonance and what the search for the
// limit found.
void write_emissions_text(ByteSink& out, const DesignModel& d,
                          const AmplifierOptions& options,
                          const AmplifierReport& report, Language language);

// With --c1-range or --c2-range: each tuned capacitor's range and how far
// the design's value lies outside it.
void write_parts_text(ByteSink& out, const DesignModel& d,
                      const AmplifierOptions& options,
                      const AmplifierReport& report, Language language);

// What the amplifier options add under the design's text: with --cmin,
// Cmin, the margin C1 - Cmin and the loaded Q that gives C1 >= Cmin; with
// --rin-from, the estimate of RIN and its rule.  Nothing without them.
void write_amplifier_text(ByteSink& out, const AmplifierOptions& options,
                          const AmplifierReport& report, Language language);

// With --rin-from, the estimate of RIN and its rule; nothing without.
void write_rin_estimate_text(ByteSink& out, const AmplifierOptions& options,
                             Language language);

// The band table as its cells: the columns that the network and the
// options give, and per row its band's label (on the band's first row) and
// a cell per column, or why the row has no network.
struct BandTableColumn {
  std::string heading;
  std::size_t width;
};
struct BandTableCell {
  std::string text;
  bool value = true;  // a value field, or a word in its place
};
struct BandTableLine {
  std::string_view band;       // its label on the band's first row, else empty
  std::string_view band_name;  // "160m", as JSON names it
  BandEdge edge;
  std::vector<BandTableCell> cells;  // empty for a row without a network
  std::string_view note;             // why it has none
  std::string frequency;             // the row's F in a value field
  std::string_view coil;             // how its coil came out, in words
};
struct BandTableView {
  std::vector<BandTableColumn> columns;
  std::vector<BandTableLine> lines;
};
BandTableView band_table_view(const DesignModel& inputs,
                              const std::vector<BandRow>& rows,
                              const AmplifierOptions& options,
                              Language language);

// The input block of `inputs` without the frequency, then the table: with
// a fixed coil the network's note on how the coils are kept, the column
// headings and one row per band frequency, a blank line between bands;
// with --rin-from the estimate closes it.
void write_band_table_text(ByteSink& out, const DesignModel& inputs,
                           const std::vector<BandRow>& rows,
                           const AmplifierOptions& options, Language language);

}  // namespace merid

#endif  // MERID_OUTPUT_TEXT_OUTPUT_H_
