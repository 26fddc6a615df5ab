#include "cli/text_output.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/design_fields.h"
#include "base/number_text.h"
#include "cli/pi_l_output.h"
#include "cli/text_lines.h"
#include "console/console_writer.h"
#include "console/results_screen.h"
#include "text/amplifier_texts.h"
#include "text/calc_texts.h"
#include "text/messages.h"
#include "text/pi_l_texts.h"
#include "text/value_field.h"

namespace merid {
namespace {

// The band table: a name column, then values in screen-wide fields, each
// right-aligned in its column under its heading; 80 columns in all without
// the amplifier options' columns.
constexpr std::size_t kBandLabelColumns = 5;
constexpr std::array<std::size_t, kBandColumnHeadings.size()>
    kBandColumnWidths = {12, 12, 12, 12, 13, 13};
constexpr std::size_t kQnColumnWidth = 10;
constexpr std::size_t kKuColumnWidth = 10;
constexpr std::size_t kQnForCminColumnWidth = 12;

// One column of the band table of rows of type Row.
template <typename Row>
struct BandColumn {
  std::string_view heading;
  std::size_t width;
  // The value of a feasible row; none prints `missing`.
  std::optional<float> (*value)(const Row&);
  std::string_view missing = {};
};

void peak_row(ByteSink& out, std::string_view left, float left_value,
              std::string_view right, float right_value) {
  write_line(out, two_column_row(left, left_value, right, right_value));
}

std::string padded_left(std::string_view text, std::size_t width) {
  const std::size_t used = utf8_columns(text);
  std::string out(width > used ? width - used : 0, ' ');
  out.append(text);
  return out;
}

std::string padded_right(std::string_view text, std::size_t width) {
  std::string out(text);
  const std::size_t used = utf8_columns(text);
  out.append(width > used ? width - used : 0, ' ');
  return out;
}

// With --cmin, the loaded Q for Cmin last.
template <typename Row>
void add_cmin_column(std::vector<BandColumn<Row>>& columns,
                     const AmplifierOptions& options) {
  if (!options.cmin) return;
  columns.push_back({kBandQnForCminHeading, kQnForCminColumnWidth,
                     [](const Row& r) { return r.report.qn_for_cmin; },
                     kBandNoQnForCmin});
}

std::vector<BandColumn<AmplifierRow>> band_columns(
    const Design&, const AmplifierOptions& options) {
  using Row = const AmplifierRow&;
  const auto& h = kBandColumnHeadings;
  const auto& w = kBandColumnWidths;
  std::vector<BandColumn<AmplifierRow>> columns = {
      {h[0], w[0],
       [](Row r) -> std::optional<float> { return r.row.design.f; }},
      {h[1], w[1],
       [](Row r) -> std::optional<float> { return r.row.design.results.c1; }},
      {h[2], w[2],
       [](Row r) -> std::optional<float> { return r.row.design.results.c2; }},
      {h[3], w[3],
       [](Row r) -> std::optional<float> {
         if (r.report.coil != CoilFit::kNone) return r.report.l_fixed;
         return r.row.design.results.l;
       }},
      {h[4], w[4],
       [](Row r) -> std::optional<float> {
         return peak_values(r.row.design.results).uc1;
       }},
      {h[5], w[5], [](Row r) -> std::optional<float> {
         return peak_values(r.row.design.results).il;
       }}};
  if (options.fixed_coil) {
    const BandColumn<AmplifierRow> qn{
        kBandQnHeading, kQnColumnWidth,
        [](Row r) -> std::optional<float> { return r.row.design.qn; }};
    const BandColumn<AmplifierRow> ku{
        kBandKuHeading, kKuColumnWidth,
        [](Row r) -> std::optional<float> { return r.row.design.results.ku; }};
    columns.insert(columns.begin() + 4, {qn, ku});
  }
  add_cmin_column(columns, options);
  return columns;
}

std::vector<BandColumn<PiLAmplifierRow>> band_columns(
    const PiLDesign& inputs, const AmplifierOptions& options) {
  using Row = const PiLAmplifierRow&;
  using Value = std::optional<float>;
  const auto& h = kPiLBandColumnHeadings;
  const std::size_t w = kBandColumnWidths[0];
  const std::size_t peak_w = kBandColumnWidths[4];
  std::vector<BandColumn<PiLAmplifierRow>> columns = {
      {h[0], w, [](Row r) -> Value { return r.row.design.f; }},
      {h[1], w, [](Row r) -> Value { return r.row.design.results.c1; }},
      {h[2], w,
       [](Row r) -> Value {
         if (r.report.coil != CoilFit::kNone) return r.report.l_fixed;
         return r.row.design.results.l1;
       }},
      {h[3], w, [](Row r) -> Value { return r.row.design.results.cmid; }},
      {h[4], w, [](Row r) -> Value { return r.row.design.results.l2; }}};
  if (!inputs.cl_at_middle) {
    columns.push_back(
        {h[5], w, [](Row r) -> Value { return r.row.design.results.cout; }});
  }
  if (options.fixed_coil) {
    columns.push_back({kBandQnHeading, kQnColumnWidth,
                       [](Row r) -> Value { return r.row.design.qn; }});
    columns.push_back({kPiLBandRmidHeading, w,
                       [](Row r) -> Value { return r.row.design.rmid; }});
    columns.push_back({kBandKuHeading, kKuColumnWidth, [](Row r) -> Value {
                         return r.row.design.results.harmonics.ku[0];
                       }});
  }
  columns.push_back({h[6], peak_w, [](Row r) -> Value {
                       return peak(r.row.design.results.uin);
                     }});
  columns.push_back({h[7], peak_w, [](Row r) -> Value {
                       return peak(r.row.design.results.il1);
                     }});
  add_cmin_column(columns, options);
  return columns;
}

template <typename Row>
void band_header(ByteSink& out, std::span<const BandColumn<Row>> columns) {
  std::string line =
      concat({" ", padded_right(kBandLabelHeading, kBandLabelColumns)});
  for (const BandColumn<Row>& column : columns) {
    line.append(padded_left(column.heading, column.width));
  }
  write_line(out, std::move(line));
}

// Why a row has no network: a coil no accepted loaded Q matches, or a
// loaded Q too small for the transformation.
std::string_view infeasible_note(CoilFit coil) {
  switch (coil) {
    case CoilFit::kQnAboveRange:
      return kCoilAboveRangeRow;
    case CoilFit::kQnBelowRange:
      return kCoilBelowRangeRow;
    default:
      break;
  }
  return kInfeasibleRow;
}

template <typename Row>
void band_row(ByteSink& out, std::string_view label, const Row& r,
              std::span<const BandColumn<Row>> columns) {
  const auto& d = r.row.design;
  std::string line = concat({" ", padded_right(label, kBandLabelColumns)});
  if (d.infeasible) {
    line.append(
        value_field(shown_mhz(d), static_cast<int>(kBandColumnWidths[0])));
    line.append(infeasible_note(r.report.coil));
    write_line(out, std::move(line));
    return;
  }
  for (const BandColumn<Row>& column : columns) {
    const std::optional<float> value = column.value(r);
    if (!value) {
      line.append(padded_left(column.missing, column.width));
      continue;
    }
    // A screen-wide field, blanks before it to fill the column.
    line.append(column.width - kScreenFieldWidth, ' ');
    line.append(value_field(*value, kScreenFieldWidth));
  }
  write_line(out, std::move(line));
}

// The band table under its input block: the heading, with a fixed coil
// the two lines `coil_note` that say how it is kept, the column headings
// and the rows, a blank line between bands; with --rin-from the estimate.
template <typename NetworkDesign, typename Row>
void write_band_rows(ByteSink& out, const NetworkDesign& inputs,
                     std::span<const Row> rows, const AmplifierOptions& options,
                     std::array<std::string_view, 2> coil_note) {
  ConsoleWriter screen(out, utf8_messages());
  write_heading(out, kBandsHeading);
  if (options.fixed_coil) {
    for (const std::string_view line : coil_note) {
      write_line(out, line);
    }
  }
  const std::vector<BandColumn<Row>> columns = band_columns(inputs, options);
  band_header<Row>(out, columns);
  const AmateurBand* previous = nullptr;
  for (const Row& r : rows) {
    const bool first_of_band = r.row.band != previous;
    if (first_of_band && previous != nullptr) screen.empty_line();
    band_row<Row>(out, first_of_band ? r.row.band->label : "", r, columns);
    previous = r.row.band;
  }
  write_rin_estimate_text(out, options);
}

}  // namespace

void write_rin_estimate_text(ByteSink& out, const AmplifierOptions& options) {
  if (!options.rin_from) return;
  const RinEstimate& e = *options.rin_from;
  ConsoleWriter screen(out, utf8_messages());
  write_heading(out, kRinEstimateHeading);
  const std::string r = concat({fixed(e.resistance, 3), kOhm});
  if (e.device == RinEstimate::Device::kTube) {
    const double k = tube_class_factor(e.tube_class);
    write_line(out,
               concat({kRinTube, tube_class_name(e.tube_class), kRinTubeRule,
                       plain(e.ratings[0]), " / (", fixed(k, 1), " * ",
                       plain(e.ratings[1]), ") = ", r}));
    return;
  }
  write_line(out, concat({kRinTransistor, "(", plain(e.ratings[0]), " - ",
                          plain(e.ratings[1]), ")^2 / (2 * ",
                          plain(e.ratings[2]), ") = ", r}));
}

void write_design_text(ByteSink& out, const Design& d) {
  ConsoleWriter screen(out, utf8_messages());
  show_results(screen, d);
  const Peaks p = peak_values(d.results);
  write_heading(out, kPeaksHeading);
  peak_row(out, kPeakUc1, p.uc1, kPeakIc1, p.ic1);
  peak_row(out, kPeakUc2, p.uc2, kPeakIc2, p.ic2);
  peak_row(out, kPeakUl, p.ul, kPeakIl, p.il);
}

void write_infeasible_text(ByteSink& out) {
  ConsoleWriter screen(out, utf8_messages());
  screen.text_line(Msg::kInfeasible1);
  screen.text_line(Msg::kInfeasible2);
}

void write_amplifier_text(ByteSink& out, const AmplifierOptions& options,
                          const AmplifierReport& report) {
  if (options.cmin) {
    ConsoleWriter screen(out, utf8_messages());
    write_heading(out, kCminHeading);
    peak_row(out, kCminLabel, *options.cmin, kC1MarginLabel,
             static_cast<float>(report.c1_margin.value_or(NAN)));
    write_line(
        out, report.qn_for_cmin
                 ? concat({kQnForCminLabel,
                           value_field(*report.qn_for_cmin, kScreenFieldWidth)})
                 : concat({kQnForCminLabel, kNoQnForCmin}));
  }
  write_rin_estimate_text(out, options);
}

void write_band_table_text(ByteSink& out, const Design& inputs,
                           std::span<const AmplifierRow> rows,
                           const AmplifierOptions& options) {
  ConsoleWriter screen(out, utf8_messages());
  screen.text_line(Msg::kInputHeading);
  screen.text_line(Msg::kInputDashes);
  show_fixed_inputs(screen, inputs);
  write_band_rows(out, inputs, rows, options,
                  {kFixedCoilHeading, kFixedCoilHeading2});
}

void write_band_table_text(ByteSink& out, const PiLDesign& inputs,
                           std::span<const PiLAmplifierRow> rows,
                           const AmplifierOptions& options) {
  write_pi_l_inputs(out, inputs, false);
  write_band_rows(out, inputs, rows, options,
                  {kPiLFixedCoilHeading, kPiLFixedCoilHeading2});
}

}  // namespace merid
