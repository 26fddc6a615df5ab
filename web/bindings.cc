// The calculation, its texts and its number rules for the page, as
// functions that JavaScript calls.  Every function takes plain numbers or
// text and gives back JSON or text, so the page needs no view of the
// module's memory.

#include <emscripten/bind.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "design/pi_network.h"
#include "base/free_form.h"
#include "base/inputs.h"
#include "calc/design_warnings.h"
#include "calc/synthesis.h"
#include "design/amplifier_report.h"
#include "design/band_table.h"
#include "design/response_curves.h"
#include "output/response_plot.h"
#include "output/smith_chart.h"
#include "output/results_screen.h"
#include "report/printer.h"
#include "tests/support/synthesis_golden.h"
#include "text/messages.h"
#include "text/value_field.h"

namespace merid {
namespace {

std::string hex_bits(std::uint32_t b) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(b));
  return text;
}

std::string bits_of(const FieldValue& value) {
  return hex_bits(golden::bits(value));
}

// A JSON string of UTF-8 text: the labels hold tabs, nothing else needs
// escaping but quotes and backslashes.
std::string json_string(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\t') {
      out += "\\t";
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[7];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + '"';
}

// A number JSON can hold: a not-a-number or an infinity is null, and the
// bit pattern beside it says which.
std::string json_number(const FieldValue& value) {
  return std::visit(
      [](auto x) -> std::string {
        if constexpr (std::is_same_v<decltype(x), float>) {
          if (!std::isfinite(x)) return "null";
          char text[32];
          std::snprintf(text, sizeof text, "%.9g", static_cast<double>(x));
          return text;
        } else {
          return std::to_string(x);
        }
      },
      value);
}

std::string label_of(Msg label) { return json_string(utf8_messages()[label]); }

// One screen field: its label as the screen writes it and its value field.
std::string screen_cell(const DesignField& field, const Design& d) {
  return "{\"name\":" + json_string(field.name) +
         ",\"label\":" + label_of(field.label) + ",\"field\":" +
         json_string(value_field(screen_value(field, d), kScreenFieldWidth)) +
         "}";
}

std::string screen_json(const Design& d) {
  const ScreenLayout& layout = screen_layout();
  std::string inputs;
  for (const DesignField* field : layout.inputs) {
    inputs += (inputs.empty() ? "" : ",") + screen_cell(*field, d);
  }
  std::string rows;
  for (const auto& [left, right] : layout.rows) {
    rows += std::string(rows.empty() ? "" : ",") + "[" + screen_cell(*left, d) +
            "," + screen_cell(*right, d) + "]";
  }
  return "{\"input_heading\":" + label_of(Msg::kInputHeading) +
         ",\"results_heading\":" + label_of(Msg::kResultsHeading) +
         ",\"inputs\":[" + inputs + "],\"rows\":[" + rows + "]}";
}

std::string fields_json(const Design& d) {
  std::string out;
  for (const DesignField& field : design_fields()) {
    if (d.infeasible && !field.known_without_results()) continue;
    const FieldValue value = field_value(field, d);
    out += std::string(out.empty() ? "" : ",") + json_string(field.name) +
           ":{\"bits\":\"" + bits_of(value) +
           "\",\"value\":" + json_number(value) + "}";
  }
  return "{" + out + "}";
}

std::string warnings_json(const Design& d, float cmin_pf) {
  const std::optional<double> cmin =
      cmin_pf > 0.0f ? std::optional<double>(cmin_pf) : std::nullopt;
  std::string out;
  for (const DesignWarning& w : design_warnings(d, window_reach(d), cmin)) {
    char figure[32];
    std::snprintf(figure, sizeof figure, "%.6g", w.figure);
    out += std::string(out.empty() ? "" : ",") +
           "{\"code\":" + std::to_string(static_cast<int>(w.code)) +
           ",\"figure\":" + figure + "}";
  }
  return "[" + out + "]";
}

Design inputs_of(float f, float qn, float q0, float rin, float rout,
                 float pin) {
  return make_design(f, qn, q0, rin, rout, pin);
}

// The design calculated as the dialogue calculates it: every field with its
// bit pattern, the screen and, when feasible, the warnings.  `cmin_pf` at
// or below zero means none is given.
std::string calculate_json(float f, float qn, float q0, float rin, float rout,
                           float pin, float cmin_pf) {
  const Design d = calculate(inputs_of(f, qn, q0, rin, rout, pin));
  std::string out = "{\"infeasible\":";
  out += d.infeasible ? "true" : "false";
  out += ",\"fields\":" + fields_json(d);
  if (!d.infeasible) {
    out += ",\"screen\":" + screen_json(d);
    out += ",\"warnings\":" + warnings_json(d, cmin_pf);
  }
  return out + "}";
}

// Everything synthesis leaves behind, by the golden file's column names:
// the exactness test compares these with the file.
std::string synthesis_json(float f, float qn, float q0, float rin, float rout,
                           float pin) {
  Design d = inputs_of(f, qn, q0, rin, rout, pin);
  synthesis(d);
  std::string out;
  for (const golden::Field& field : golden::outputs_of(d)) {
    out += std::string(out.empty() ? "" : ",") + json_string(field.name) +
           ":\"" + hex_bits(field.bits) + "\"";
  }
  return "{" + out + "}";
}

// The 27 lines that the dialogue appends to rezultat.txt for this design
// on this date; empty for an infeasible design, which has no report.
std::string report_text(float f, float qn, float q0, float rin, float rout,
                        float pin, int year, int month, int day) {
  const Design d = calculate(inputs_of(f, qn, q0, rin, rout, pin));
  if (d.infeasible) return {};
  return format_report(make_report_record(d), Date{year, month, day});
}

// A line typed for a real value, read as the dialogue reads it: its first
// ten bytes by the free-form rules.
std::string parse_json(const std::string& line) {
  const std::string_view text(line);
  const std::string_view first_line = text.substr(0, text.find('\n'));
  const RealEntry entry = parse_real(first_line.substr(0, kRealBufferSize));
  std::string status = "value";
  if (entry.status == EntryStatus::kMalformed) status = "malformed";
  if (entry.status == EntryStatus::kNoValue) status = "empty";
  return "{\"status\":\"" + status + "\",\"bits\":\"" + bits_of(entry.value) +
         "\",\"value\":" + json_number(entry.value) + "}";
}

bool input_refused(int input, float value, float qn) {
  return refused(static_cast<Input>(input), value, qn);
}

std::string input_range(int input, float qn) {
  return range_text(static_cast<Input>(input), qn);
}

std::string input_prompt(int input) {
  return std::string(
      utf8_messages()[input_row(static_cast<Input>(input)).prompt]);
}

std::string band_row_json(const AmplifierRow& r) {
  const Design& d = r.row.design;
  const auto field = [](float value) {
    return json_string(value_field(value, kScreenFieldWidth));
  };
  std::string out = "{\"band\":" + json_string(r.row.band->label) +
                    ",\"edge\":" + json_string(edge_name(r.row.edge)) +
                    ",\"f\":" + field(d.fmhz) + ",\"qn\":" + field(d.qn) +
                    ",\"infeasible\":" + (d.infeasible ? "true" : "false");
  if (!d.infeasible) {
    out += ",\"c1\":" + field(d.results.c1) + ",\"l\":" + field(d.results.l) +
           ",\"c2\":" + field(d.results.c2);
  }
  if (r.report.qn_for_cmin) {
    out += ",\"qn_for_cmin\":" + field(*r.report.qn_for_cmin);
  }
  out += ",\"coil\":\"" + std::string(coil_fit_name(r.report.coil)) + "\"";
  if (r.report.coil != CoilFit::kNone) {
    out += ",\"l_fixed\":" + field(r.report.l_fixed);
  }
  return out + "}";
}

// The band table as merid-calc --bands gives it: the design's loaded Q,
// Q0, RIN, ROUT and PIN at the edges and centre of every amateur band,
// with the loaded Q a minimum C1 forces (cmin_pf above zero) and each
// band's coil kept from its upper edge (fixed_coil).
std::string bands_json(float qn, float q0, float rin, float rout, float pin,
                       float cmin_pf, bool fixed_coil) {
  AmplifierOptions options;
  if (cmin_pf > 0.0f) options.cmin = cmin_pf;
  options.fixed_coil = fixed_coil;
  const Design inputs = make_design(0.0f, qn, q0, rin, rout, pin);
  std::string out;
  for (const AmplifierRow& r : amplifier_band_table(inputs, options)) {
    out += (out.empty() ? "" : ",") + band_row_json(r);
  }
  return "[" + out + "]";
}

// merid-calc's response plot and Smith chart of the design, as SVG
// documents; empty strings for an infeasible design.
std::string plots_json(float f, float qn, float q0, float rin, float rout,
                       float pin) {
  const Design d = calculate(inputs_of(f, qn, q0, rin, rout, pin));
  if (d.infeasible) return "{\"response\":\"\",\"smith\":\"\"}";
  const ResponseCurves curves = response_curves(d);
  return "{\"response\":" + json_string(response_plot_svg(d, curves)) +
         ",\"smith\":" + json_string(smith_chart_svg(d, curves)) + "}";
}

// `value` in the screen's ten-character three-decimal field.
std::string screen_field(float value) {
  return value_field(value, kScreenFieldWidth);
}

// The dialogue's own message, e.g. the infeasible design's two lines.
std::string message(int index) {
  if (index < 0 || index >= static_cast<int>(kMessageCount)) return {};
  return std::string(utf8_messages()[static_cast<Msg>(index)]);
}

}  // namespace
}  // namespace merid

EMSCRIPTEN_BINDINGS(merid) {
  emscripten::function("calculate", &merid::calculate_json);
  emscripten::function("synthesis", &merid::synthesis_json);
  emscripten::function("report", &merid::report_text);
  emscripten::function("parse", &merid::parse_json);
  emscripten::function("refused", &merid::input_refused);
  emscripten::function("range", &merid::input_range);
  emscripten::function("prompt", &merid::input_prompt);
  emscripten::function("message", &merid::message);
  emscripten::function("field", &merid::screen_field);
  emscripten::function("bands", &merid::bands_json);
  emscripten::function("plots", &merid::plots_json);
  emscripten::constant("kInfeasible1",
                       static_cast<int>(merid::Msg::kInfeasible1));
  emscripten::constant("kInfeasible2",
                       static_cast<int>(merid::Msg::kInfeasible2));
}
