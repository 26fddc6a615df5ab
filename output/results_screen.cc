#include "output/results_screen.h"

#include <cmath>

namespace merid {
namespace {

void input_line(ConsoleWriter& out, const Field& field, const DesignModel& d) {
  out.value_line(field.screen.label, d.number(field), kScreenFieldWidth);
}

void input_heading(ConsoleWriter& out) {
  out.text_line(Msg::kInputHeading);
  out.text_line(Msg::kInputDashes);
}

// The inputs after the frequency; one not known (a built tank's loaded Q
// before it is analysed) is left out, which no design of the dialogue's
// has.
void fixed_input_lines(ConsoleWriter& out, const DesignModel& d) {
  const auto& inputs = d.network().screen->inputs;
  for (std::size_t i = 1; i < inputs.size(); ++i) {
    if (std::isnan(d.number(*inputs[i]))) continue;
    input_line(out, *inputs[i], d);
  }
}

}  // namespace

void show_fixed_inputs(ConsoleWriter& out, const DesignModel& d) {
  input_heading(out);
  fixed_input_lines(out, d);
}

void show_results(ConsoleWriter& out, const DesignModel& d) {
  const ScreenLayout& screen = *d.network().screen;
  input_heading(out);
  input_line(out, *screen.inputs[0], d);
  fixed_input_lines(out, d);
  out.empty_line();
  out.text_line(Msg::kResultsHeading);
  out.text_line(Msg::kResultsDashes);
  for (const auto& [left, right] : screen.rows) {
    out.value_row(left->screen.label, d.number(*left), right->screen.label,
                  d.number(*right));
  }
}

ReportRecord make_report_record(const DesignModel& d) {
  ReportRecord rec;
  for (const Field& field : d.network().fields) {
    if (field.screen.slot != ReportRecord::kFieldCount) {
      rec.field[field.screen.slot] = d.number(field);
    }
  }
  return rec;
}

}  // namespace merid
