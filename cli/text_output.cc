#include "cli/text_output.h"

#include <array>
#include <string>
#include <string_view>

#include "base/design_fields.h"
#include "base/number_text.h"
#include "console/console_writer.h"
#include "console/results_screen.h"
#include "text/calc_texts.h"
#include "text/messages.h"
#include "text/value_field.h"

namespace merid {
namespace {

// The band table: a name column, then values in screen-wide fields, each
// right-aligned in its column under its heading; 80 columns in all.
constexpr std::size_t kBandLabelColumns = 5;
constexpr std::array<std::size_t, kBandColumnHeadings.size()>
    kBandColumnWidths = {12, 12, 12, 12, 13, 13};

void write_line(ByteSink& out, std::string line) {
  line.append(kLineEnd);
  out.write(line);
}

void peak_row(ByteSink& out, std::string_view left, float left_value,
              std::string_view right, float right_value) {
  write_line(out, two_column_row(left, left_value, right, right_value));
}

// Characters of UTF-8 text: every byte but the continuation bytes.
std::size_t columns(std::string_view utf8) {
  std::size_t n = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::string padded_left(std::string_view text, std::size_t width) {
  const std::size_t used = columns(text);
  std::string out(width > used ? width - used : 0, ' ');
  out.append(text);
  return out;
}

std::string padded_right(std::string_view text, std::size_t width) {
  std::string out(text);
  const std::size_t used = columns(text);
  out.append(width > used ? width - used : 0, ' ');
  return out;
}

void band_header(ByteSink& out) {
  std::string line =
      concat({" ", padded_right(kBandLabelHeading, kBandLabelColumns)});
  for (std::size_t i = 0; i < kBandColumnHeadings.size(); ++i) {
    line.append(padded_left(kBandColumnHeadings[i], kBandColumnWidths[i]));
  }
  write_line(out, std::move(line));
}

void band_row(ByteSink& out, std::string_view label, const Design& d) {
  std::string line = concat({" ", padded_right(label, kBandLabelColumns)});
  if (d.infeasible) {
    line.append(value_field(d.fmhz, static_cast<int>(kBandColumnWidths[0])));
    line.append(kInfeasibleRow);
    write_line(out, std::move(line));
    return;
  }
  const Results& r = d.results;
  const Peaks p = peak_values(r);
  const std::array<float, 6> values = {d.f, r.c1, r.c2, r.l, p.uc1, p.il};
  for (std::size_t i = 0; i < values.size(); ++i) {
    // A screen-wide field, blanks before it to fill the column.
    line.append(kBandColumnWidths[i] - kScreenFieldWidth, ' ');
    line.append(value_field(values[i], kScreenFieldWidth));
  }
  write_line(out, std::move(line));
}

}  // namespace

void write_design_text(ByteSink& out, const Design& d) {
  ConsoleWriter screen(out, utf8_messages());
  show_results(screen, d);
  const Peaks p = peak_values(d.results);
  screen.empty_line();
  write_line(out, std::string(kPeaksHeading));
  screen.text_line(Msg::kResultsDashes);
  peak_row(out, kPeakUc1, p.uc1, kPeakIc1, p.ic1);
  peak_row(out, kPeakUc2, p.uc2, kPeakIc2, p.ic2);
  peak_row(out, kPeakUl, p.ul, kPeakIl, p.il);
}

void write_infeasible_text(ByteSink& out) {
  ConsoleWriter screen(out, utf8_messages());
  screen.text_line(Msg::kInfeasible1);
  screen.text_line(Msg::kInfeasible2);
}

void write_band_table_text(ByteSink& out, const Design& inputs,
                           std::span<const BandRow> rows) {
  ConsoleWriter screen(out, utf8_messages());
  screen.text_line(Msg::kInputHeading);
  screen.text_line(Msg::kInputDashes);
  show_fixed_inputs(screen, inputs);
  screen.empty_line();
  write_line(out, std::string(kBandsHeading));
  screen.text_line(Msg::kResultsDashes);
  band_header(out);
  const AmateurBand* previous = nullptr;
  for (const BandRow& row : rows) {
    const bool first_of_band = row.band != previous;
    if (first_of_band && previous != nullptr) screen.empty_line();
    band_row(out, first_of_band ? row.band->label : "", row.design);
    previous = row.band;
  }
}

}  // namespace merid
