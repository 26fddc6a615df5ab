#include "console/results_screen.h"

#include "base/design_fields.h"

namespace merid {
namespace {

void input_line(ConsoleWriter& out, const DesignField& field, const Design& d) {
  out.value_line(field.label, screen_value(field, d), kScreenFieldWidth);
}

}  // namespace

void show_fixed_inputs(ConsoleWriter& out, const Design& d) {
  const auto& inputs = screen_layout().inputs;
  for (std::size_t i = 1; i < inputs.size(); ++i) {
    input_line(out, *inputs[i], d);
  }
}

void show_results(ConsoleWriter& out, const Design& d) {
  out.text_line(Msg::kInputHeading);
  out.text_line(Msg::kInputDashes);
  input_line(out, *screen_layout().inputs[0], d);
  show_fixed_inputs(out, d);
  out.empty_line();
  out.text_line(Msg::kResultsHeading);
  out.text_line(Msg::kResultsDashes);
  for (const auto& [left, right] : screen_layout().rows) {
    out.value_row(left->label, screen_value(*left, d), right->label,
                  screen_value(*right, d));
  }
}

ReportRecord make_report_record(const Design& d) {
  ReportRecord rec;
  for (const DesignField& field : design_fields()) {
    if (field.slot != ReportRecord::kFieldCount) {
      rec.field[field.slot] = screen_value(field, d);
    }
  }
  return rec;
}

}  // namespace merid
