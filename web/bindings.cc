// The page's calculation, texts and number rules, as functions that
// JavaScript calls.  Each takes plain numbers or text and gives back JSON
// (or the report's text) made by the design and output layers, so the page
// needs no view of the module's memory and holds no text, number or rule
// of its own.  Every value shown is a screen field or a text of the
// layers; every number meant for a program is the shortest text that
// reads back to the same float.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/amplifier_options.h"
#include "base/free_form.h"
#include "base/inputs.h"
#include "base/number_text.h"
#include "design/amplifier_report.h"
#include "design/band_table.h"
#include "design/network.h"
#include "output/data_output.h"
#include "output/response_plot.h"
#include "output/results_screen.h"
#include "output/smith_chart.h"
#include "output/text_lines.h"
#include "output/text_output.h"
#include "output/warning_text.h"
#include "report/printer.h"
#include "text/amplifier_texts.h"
#include "text/calc_texts.h"
#include "text/messages.h"
#include "text/page_texts.h"

namespace merid {
namespace {

// The page shows the warnings in Russian; the JSON it offers has
// merid-calc's English ones.
constexpr Language kPageLanguage = Language::kRussian;
constexpr Language kJsonLanguage = Language::kEnglish;

// What a call that breaks its preconditions gets: the page reads every
// entry through entries() first, so only a caller's fault lands here.
constexpr std::string_view kRefusedCall = "{\"refused\": true}";

std::string json_bool(bool b) { return b ? "true" : "false"; }

// Members whose values are JSON already.
using JsonMember = std::pair<std::string_view, std::string>;

std::string json_object(std::initializer_list<JsonMember> members) {
  std::string out = "{";
  for (const auto& [key, value] : members) {
    if (out.size() > 1) out += ", ";
    out += json_string(key) + ": " + value;
  }
  return out + "}";
}

// The items of `items`, each written by `write`, as a JSON array.
template <class Items, class Write>
std::string json_array(const Items& items, Write write) {
  std::string out = "[";
  for (const auto& item : items) {
    if (out.size() > 1) out += ", ";
    out += write(item);
  }
  return out + "]";
}

std::string json_strings(std::span<const std::string_view> texts) {
  return json_array(texts, json_string);
}

// A line without the blanks around it.
std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

// One entry as the page shows it: the value when it is accepted, and the
// hint beside it, the accepted range and, when refused, why.
struct Entry {
  std::optional<float> value;
  bool refused = false;
  std::string hint;
};

Entry refused_entry(std::string_view why, std::string_view range) {
  return Entry{std::nullopt, true, filled(kPageRefusedHint, {why, range})};
}

// What is wrong with a real value typed as `status`.
std::string_view unread_reason(EntryStatus status) {
  return status == EntryStatus::kMalformed ? kPageNotANumber : kPageNoValue;
}

// One of the six inputs, read as the dialogue reads a line: its first ten
// bytes by the free-form rules.  `qn` is the loaded Q accepted before,
// none while QN is refused: an input that QN bounds is then not judged.
Entry read_entry(Input input, std::string_view text, std::optional<float> qn) {
  const RealEntry entry = parse_real(text.substr(0, kRealBufferSize));
  const std::string range = range_text(input, qn.value_or(NAN));
  if (entry.status != EntryStatus::kValue) {
    return refused_entry(unread_reason(entry.status), range);
  }
  if (input_row(input).range.low_times_qn && !qn) {
    return Entry{std::nullopt, false, range};
  }
  if (refused(input, entry.value, qn.value_or(NAN))) {
    return refused_entry(kPageOutOfRange, range);
  }
  return Entry{entry.value, false, range};
}

// Whether `text` asks for no minimum C1: it is blank.
bool no_cmin(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

// The minimum C1 as merid-calc reads --cmin, none for blank text; a
// refusal says why in the page's words.
Entry read_cmin_entry(std::string_view text) {
  const std::string range = cmin_range_text();
  AmplifierOptions options;
  if (no_cmin(text) || read_cmin(text, options).ok()) {
    return Entry{options.cmin, false, range};
  }
  if (text.size() > kRealBufferSize) {
    return refused_entry(
        filled(kPageTooLong, {std::to_string(kRealBufferSize)}), range);
  }
  const RealEntry entry = parse_real(text);
  if (entry.status != EntryStatus::kValue) {
    return refused_entry(unread_reason(entry.status), range);
  }
  return refused_entry(kPageOutOfRange, range);
}

std::string entry_json(const Entry& e) {
  return json_object(
      {{"refused", json_bool(e.refused)}, {"hint", json_string(e.hint)}});
}

// What a design, a band table or a plot is asked of: a network and its
// inputs, each in its range, and the amplifier options.
struct Request {
  const Network* network;
  TankInputs inputs;
  AmplifierOptions options;
};

// Whether `param0`, NaN for the network's default, is a value the network
// takes.
bool parameter_accepted(const Network& network, float param0, float qn) {
  if (std::isnan(param0)) return true;
  return !network.parameters.empty() &&
         !refused(network.parameters.front().accepted_as, param0, qn);
}

// The request, or none when the network is unknown or a value refused.
// A band table's inputs have no frequency.
std::optional<Request> request(const std::string& network_name,
                               const DesignInputs& six, float param0,
                               const std::string& cmin, bool with_frequency) {
  const Network* network = find_network(network_name);
  if (network == nullptr || !parameter_accepted(*network, param0, six.qn)) {
    return std::nullopt;
  }
  for (const InputRow& row : kInputs) {
    if (row.input == Input::kF && !with_frequency) continue;
    if (refused(row.input, six.*row.member, six.qn)) return std::nullopt;
  }
  Request r{network, {}, {}};
  static_cast<DesignInputs&>(r.inputs) = six;
  r.inputs.parameters[0] = param0;
  if (!no_cmin(cmin) && !read_cmin(cmin, r.options).ok()) {
    return std::nullopt;
  }
  return r;
}

std::string cell_json(const TextCell& cell) {
  return json_object({{"key", json_string(cell.key)},
                      {"label", json_string(cell.label)},
                      {"value", json_string(cell.value)}});
}

std::string block_json(const TextBlockView& block) {
  const auto row_json = [](const std::vector<TextCell>& row) {
    return json_array(row, cell_json);
  };
  return json_object({{"heading", json_string(block.heading)},
                      {"rows", json_array(block.rows, row_json)},
                      {"note", json_string(block.note)}});
}

std::string warnings_json(const AmplifierReport& report,
                          const AmplifierOptions& options) {
  return json_array(report.warnings, [&](const DesignWarning& w) {
    return json_object(
        {{"code", json_string(warning_code(w.code))},
         {"text", json_string(warning_text(w, options, kPageLanguage))}});
  });
}

// The dialogue's two lines for a loaded Q too small for the
// transformation, and what the network adds to them.
std::string infeasible_json(const DesignModel& d) {
  const std::vector<std::string> all = infeasible_lines(d);
  std::vector<std::string_view> lines;
  for (const std::string& line : all) {
    if (!trimmed(line).empty()) lines.push_back(trimmed(line));
  }
  return json_object({{"infeasible", "true"},
                      {"infeasible_text", json_strings(lines)},
                      {"blocks", "[]"},
                      {"warnings", "[]"},
                      {"json", "\"\""}});
}

// The design of the network named `network` as merid-calc calculates it:
// its text blocks, its warnings in Russian and its JSON as merid-calc
// writes it.  `param0` NaN: the network's default; `cmin` blank: none.
std::string design_result(const std::string& network, float f, float qn,
                          float q0, float rin, float rout, float pin,
                          float param0, const std::string& cmin) {
  const std::optional<Request> r =
      request(network, {f, qn, q0, rin, rout, pin}, param0, cmin, true);
  if (!r) return std::string(kRefusedCall);
  const TankDesign d = r->network->design(r->inputs);
  if (!d->feasible()) return infeasible_json(*d);
  const AmplifierReport report = amplifier_report(*d, r->options);
  const DataContext context{r->options, kJsonLanguage};
  return json_object(
      {{"infeasible", "false"},
       {"infeasible_text", "[]"},
       {"blocks", json_array(text_blocks(*d), block_json)},
       {"warnings", warnings_json(report, r->options)},
       {"json", json_string(design_json(*d, report, nullptr, context))}});
}

std::string band_line_json(const BandTableLine& line) {
  const auto cell_text = [](const BandTableCell& c) {
    return json_string(c.text);
  };
  return json_object({{"band", json_string(line.band)},
                      {"name", json_string(line.band_name)},
                      {"edge", json_string(edge_name(line.edge))},
                      {"frequency", json_string(line.frequency)},
                      {"cells", json_array(line.cells, cell_text)},
                      {"note", json_string(trimmed(line.note))},
                      {"coil", json_string(line.coil)}});
}

// merid-calc's band table (--bands, with --fixed-coil when `fixed_coil`)
// of the inputs: its columns, a line per band frequency, with a fixed coil
// the heading and per line the word of the coil column, and the line the
// page reports when it is done.
std::string bands_result(const std::string& network, float qn, float q0,
                         float rin, float rout, float pin, float param0,
                         const std::string& cmin, bool fixed_coil) {
  std::optional<Request> r =
      request(network, {0.0f, qn, q0, rin, rout, pin}, param0, cmin, false);
  if (!r) return std::string(kRefusedCall);
  r->options.fixed_coil = fixed_coil;
  const TankDesign inputs = r->network->uncalculated(r->inputs);
  const std::vector<BandRow> rows = band_table(*inputs, r->options);
  const BandTableView view = band_table_view(*inputs, rows, r->options);
  const auto heading = [](const BandTableColumn& c) {
    return json_string(c.heading);
  };
  return json_object(
      {{"band_heading", json_string(kBandLabelHeading)},
       {"columns", json_array(view.columns, heading)},
       {"coil_heading",
        json_string(fixed_coil ? kCoilFitHeading : std::string_view())},
       {"lines", json_array(view.lines, band_line_json)},
       {"status", json_string(filled(kPageRowsCalculated,
                                     {std::to_string(view.lines.size())}))}});
}

// merid-calc's response plot and Smith chart of the design, as SVG
// documents; empty strings for an infeasible design.
std::string plots_result(const std::string& network, float f, float qn,
                         float q0, float rin, float rout, float pin,
                         float param0) {
  const std::optional<Request> r =
      request(network, {f, qn, q0, rin, rout, pin}, param0, {}, true);
  if (!r) return std::string(kRefusedCall);
  const TankDesign d = r->network->design(r->inputs);
  if (!d->feasible()) {
    return json_object({{"response", "\"\""}, {"smith", "\"\""}});
  }
  const ResponseCurves curves = d->response_curves();
  const DrawingSubject subject = d->drawing_subject();
  return json_object(
      {{"response", json_string(response_plot_svg(subject, curves))},
       {"smith", json_string(smith_chart_svg(subject, curves))}});
}

// The 27 lines that the dialogue appends to rezultat.txt for this design
// on this date, for a network that has the dialogue's screen; empty for
// an infeasible design, which has no report, and for refused inputs.
std::string report_text(const std::string& network, float f, float qn, float q0,
                        float rin, float rout, float pin, int year, int month,
                        int day) {
  const std::optional<Request> r =
      request(network, {f, qn, q0, rin, rout, pin}, NAN, "", true);
  if (!r || r->network->screen == nullptr) return {};
  const TankDesign d = r->network->design(r->inputs);
  if (!d->feasible()) return {};
  return format_report(make_report_record(*d), Date{year, month, day});
}

// The six inputs as typed and the minimum C1, each read by its rules: a
// hint per entry, and when every one is accepted the six values to
// calculate with.
std::string entries_of(std::span<const std::string> typed,
                       const std::string& cmin) {
  if (typed.size() != kInputCount) return std::string(kRefusedCall);
  std::vector<Entry> entries;
  std::optional<float> qn;  // accepted so far; it bounds Q0
  for (std::size_t i = 0; i < kInputCount; ++i) {
    entries.push_back(read_entry(kInputs[i].input, typed[i], qn));
    if (kInputs[i].input == Input::kQn) qn = entries.back().value;
  }
  const Entry cmin_entry = read_cmin_entry(cmin);
  bool accepted = !cmin_entry.refused;
  for (const Entry& e : entries) accepted = accepted && e.value.has_value();
  const auto value = [](const Entry& e) { return json_number(*e.value); };
  return json_object(
      {{"accepted", json_bool(accepted)},
       {"values", accepted ? json_array(entries, value) : "null"},
       {"entries", json_array(entries, entry_json)},
       {"cmin", entry_json(cmin_entry)}});
}

std::string entries_result(const emscripten::val& typed,
                           const std::string& cmin) {
  return entries_of(emscripten::vecFromJSArray<std::string>(typed), cmin);
}

std::string fixed_coil_label(const Network& network) {
  std::string label;
  for (const std::string_view line : network.fixed_coil_note) {
    if (!label.empty()) label += ' ';
    label.append(trimmed(line));
  }
  return label;
}

// Every text the page shows that no calculation gives, by the names the
// page's elements carry.
std::string texts_result(const std::string& network_name) {
  const Network* network = find_network(network_name);
  if (network == nullptr) return std::string(kRefusedCall);
  const MessageTable& m = utf8_messages();
  std::vector<std::string_view> labels;
  for (const InputRow& row : kInputs)
    labels.push_back(bare_label(m[row.prompt]));
  const auto text = [](std::string_view t) { return json_string(t); };
  return json_object(
      {{"title", text(kPageTitle)},
       {"input_heading", text(bare_label(m[Msg::kInputHeading]))},
       {"inputs", json_strings(labels)},
       {"cmin_label", text(kPageCminLabel)},
       {"results_heading", text(kPageResultsHeading)},
       {"warnings_heading", text(kPageWarningsHeading)},
       {"no_warnings", text(kPageNoWarnings)},
       {"download", text(filled(kPageDownloadReport, {kResultsFileName}))},
       {"report_file", text(kResultsFileName)},
       {"plots_heading", text(kPagePlotsHeading)},
       {"response_alt", text(kPageResponseAlt)},
       {"response_caption", text(kPageResponseCaption)},
       {"smith_alt", text(kPageSmithAlt)},
       {"smith_caption", text(kPageSmithCaption)},
       {"bands_heading", text(bare_label(kBandsHeading))},
       {"bands_intro", text(filled(kPageBandsIntro, {kBandQnForCminHeading}))},
       {"fixed_coil", text(fixed_coil_label(*network))},
       {"bands_run", text(kPageBandsRun)},
       {"fix_inputs_first", text(kPageFixInputsFirst)}});
}

}  // namespace
}  // namespace merid

EMSCRIPTEN_BINDINGS(merid) {
  emscripten::function("design", &merid::design_result);
  emscripten::function("bands", &merid::bands_result);
  emscripten::function("plots", &merid::plots_result);
  emscripten::function("report", &merid::report_text);
  emscripten::function("entries", &merid::entries_result);
  emscripten::function("texts", &merid::texts_result);
}
