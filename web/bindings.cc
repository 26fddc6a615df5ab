// The page's calculation, texts and number rules, as functions that
// JavaScript calls.  A request is the page's entries as typed, by
// merid-calc's option names, and its language; each function reads it as
// merid-calc reads the same options (design/arguments.h), refused where
// merid-calc refuses it, and gives back JSON made by the design and output
// layers, so the page holds no text, number or rule of its own.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/amplifier_options.h"
#include "base/byte_io.h"
#include "base/entry_reading.h"
#include "base/free_form.h"
#include "base/inputs.h"
#include "base/number_text.h"
#include "calc/mismatch.h"
#include "design/amplifier_report.h"
#include "design/arguments.h"
#include "design/band_table.h"
#include "design/emission_rules.h"
#include "design/least_loaded_q.h"
#include "design/load_swr.h"
#include "design/network.h"
#include "output/data_output.h"
#include "output/response_plot.h"
#include "output/results_screen.h"
#include "output/smith_chart.h"
#include "output/text_lines.h"
#include "output/text_output.h"
#include "output/warning_text.h"
#include "report/printer.h"
#include "text/line_format.h"
#include "text/page_texts.h"

namespace merid {
namespace {

// merid-calc's JSON: its keys and warnings are English whatever the page's
// language.
constexpr Language kJsonLanguage = Language::kEnglish;

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

std::string json_text(std::string_view text) { return json_string(text); }

// ---------------------------------------------------------------------
// The controls of the page beside the six inputs: merid-calc's options by
// their names without the dashes, in the sections that open on request.

enum class ControlKind { kNumber, kFlag, kChoice, kText };

using PageText = std::string_view PageTexts::*;

struct Control {
  std::string_view name;
  std::string_view section;
  ControlKind kind;
  PageText label;
  PageText hint = nullptr;  // a form for a text; none: the range
  bool numbers = false;     // a text of numbers parted by commas
};

constexpr std::string_view kSectionNetwork = "network";
constexpr std::string_view kSectionSwr = "swr";
constexpr std::string_view kSectionParts = "parts";
constexpr std::string_view kSectionAmplifier = "amplifier";
constexpr std::string_view kSectionEmissions = "emissions";
constexpr std::string_view kSectionBands = "bands";

struct Section {
  std::string_view name;
  PageText title;
};

constexpr Section kSections[] = {
    {kSectionNetwork, &PageTexts::section_network},
    {kSectionSwr, &PageTexts::section_swr},
    {kSectionParts, &PageTexts::section_parts},
    {kSectionAmplifier, &PageTexts::section_amplifier},
    {kSectionEmissions, &PageTexts::section_emissions},
    {kSectionBands, &PageTexts::section_bands},
};

using K = ControlKind;
constexpr Control kControls[] = {
    {"network", kSectionNetwork, K::kChoice, &PageTexts::network},
    {"rmid", kSectionNetwork, K::kNumber, &PageTexts::rmid},
    {"swr", kSectionSwr, K::kNumber, &PageTexts::swr},
    {"retune", kSectionSwr, K::kFlag, &PageTexts::retune},
    {"elements", kSectionParts, K::kText, &PageTexts::elements, nullptr, true},
    {"c1-range", kSectionParts, K::kText, &PageTexts::c1_range,
     &PageTexts::range_hint, true},
    {"c2-range", kSectionParts, K::kText, &PageTexts::c2_range,
     &PageTexts::range_hint, true},
    {"rin-from", kSectionAmplifier, K::kText, &PageTexts::rin_from,
     &PageTexts::rin_from_hint},
    {"cmin", kSectionAmplifier, K::kNumber, &PageTexts::cmin},
    {"conduction", kSectionEmissions, K::kNumber, &PageTexts::conduction},
    {"push-pull", kSectionEmissions, K::kNumber, &PageTexts::push_pull},
    {"rp", kSectionEmissions, K::kNumber, &PageTexts::rp},
    {"coil-c", kSectionEmissions, K::kNumber, &PageTexts::coil_c},
    {"c1-lead", kSectionEmissions, K::kNumber, &PageTexts::c1_lead},
    {"c2-lead", kSectionEmissions, K::kNumber, &PageTexts::c2_lead},
    {"limit", kSectionEmissions, K::kChoice, &PageTexts::limit},
    {"limit-dbc", kSectionEmissions, K::kNumber, &PageTexts::limit_dbc},
    {"margin", kSectionEmissions, K::kNumber, &PageTexts::margin},
    {"fixed-coil", kSectionBands, K::kFlag, &PageTexts::fixed_coil},
};

// The six inputs by the page's names, in the order they are typed.
constexpr std::string_view kInputNames[kInputCount] = {"f",   "qn",   "q0",
                                                       "rin", "rout", "pin"};

std::string option_of(std::string_view name) { return concat({"--", name}); }

// ---------------------------------------------------------------------
// The request as the page sends it.

struct PageRequest {
  Language language = Language::kRussian;
  std::map<std::string, std::string, std::less<>> values;

  std::string_view value(std::string_view name) const {
    const auto it = values.find(name);
    return it == values.end() ? std::string_view() : it->second;
  }
  bool flag(std::string_view name) const { return value(name) == "1"; }
};

Language language_of(std::string_view code) {
  return code == "en" ? Language::kEnglish : Language::kRussian;
}

std::string_view language_code(Language language) {
  return language == Language::kEnglish ? "en" : "ru";
}

PageRequest read_request(const std::string& json) {
  using emscripten::val;
  const val parsed = val::global("JSON").call<val>("parse", json);
  PageRequest r;
  if (parsed["lang"].isString()) {
    r.language = language_of(parsed["lang"].as<std::string>());
  }
  const val values = parsed["values"];
  if (values.isUndefined() || values.isNull()) return r;
  const std::vector<std::string> keys = emscripten::vecFromJSArray<std::string>(
      val::global("Object").call<val>("keys", values));
  for (const std::string& key : keys) {
    const val v = values[key];
    if (v.isString()) r.values[key] = v.as<std::string>();
  }
  return r;
}

// ---------------------------------------------------------------------
// Ranges in the page's words and clean numbers.

// "0.1 <= F <= 150 МГц".  Each bound is the float the value is compared
// with, in the shortest text that reads back to it; Q0's is the product
// 1.2·Qn it is compared with, written as its two factors ("1.2·12"), since
// the product's own shortest text (14.400001) says less to a reader and
// 14.4 would not be the bound compared.
std::string input_range_text(Input input, std::optional<float> qn,
                             const PageTexts& t) {
  const InputRow& row = input_row(input);
  const auto i = static_cast<std::size_t>(input);
  std::string low = plain(row.range.low);
  if (row.range.low_times_qn) {
    low = filled(t.q0_bound,
                 {plain(row.range.low), qn ? plain(*qn) : t.input_names[1]});
  }
  std::string text = concat({low, row.range.low_inclusive ? " <= " : " < ",
                             t.input_names[i], " <= ", plain(row.range.high)});
  if (!t.input_units[i].empty()) text += concat({" ", t.input_units[i]});
  return text;
}

// The bounds of a number control, from the rules merid-calc reads it by.
std::optional<ValueBounds> control_bounds(std::string_view name) {
  return number_option_bounds(option_of(name));
}

std::string bounds_text(const ValueBounds& b, const PageTexts& t) {
  return filled(b.low_inclusive ? t.bounds_inclusive : t.bounds_exclusive,
                {plain(b.low), plain(b.high)});
}

// ---------------------------------------------------------------------
// Each entry read, with its hint.

struct Entry {
  std::string name;
  bool refused = false;
  bool used = true;  // false: the request leaves it out
  std::string hint;
  std::string reading;   // what is read of it, the shortest text
  std::string argument;  // what merid-calc is given for it
};

std::string refused_hint(std::string_view why, std::string_view range,
                         const PageTexts& t) {
  return filled(t.refused_hint, {why, range});
}

// What merid-calc is given for a number read strictly: the text itself
// when the dialogue's buffer holds it, else the number's shortest text.
std::string argument_text(std::string_view text, float value) {
  const std::string_view t = without_blanks_around(text);
  if (t.size() <= kRealBufferSize) return std::string(t);
  return plain(value).size() <= kRealBufferSize ? plain(value)
                                                : shortest(value);
}

// A number typed strictly, refused with its reason and `range` or
// accepted with its reading.
Entry read_number_entry(std::string_view name, std::string_view text,
                        std::string_view range, Language language,
                        std::optional<float>& value) {
  const PageTexts& t = page_texts(language);
  Entry e{std::string(name), false, true, std::string(range), {}, {}};
  const StrictEntry strict = read_entry_strictly(text);
  if (strict.reading) e.reading = plain(*strict.reading);
  if (!strict.accepted()) {
    e.refused = true;
    e.hint = refused_hint(entry_problem_text(strict, language), range, t);
    return e;
  }
  value = *strict.reading;
  e.argument = argument_text(text, *value);
  if (e.argument.size() > kRealBufferSize) {
    value.reset();
    e.refused = true;
    e.hint = refused_hint(
        filled(t.too_many_digits, {std::to_string(kRealBufferSize)}), range, t);
  }
  return e;
}

Entry read_input_entry(Input input, std::string_view text,
                       std::optional<float> qn, Language language,
                       std::optional<float>& value) {
  const PageTexts& t = page_texts(language);
  const std::string range = input_range_text(input, qn, t);
  const std::string_view name = kInputNames[static_cast<std::size_t>(input)];
  Entry e = read_number_entry(name, text, range, language, value);
  if (e.refused) return e;
  if (input_row(input).range.low_times_qn && !qn) {
    // Q0 is not judged while QN is refused.
    value.reset();
    return e;
  }
  if (refused(input, *value, qn.value_or(NAN))) {
    e.refused = true;
    e.hint = refused_hint(t.out_of_range, range, t);
    value.reset();
  }
  return e;
}

// An element's unit as merid-calc names it ("pF", "uH") in the page's
// language.
std::string_view unit_text(std::string_view unit, const PageTexts& t) {
  if (unit == "pF") return t.unit_pf;
  if (unit == "uH") return t.unit_uh;
  return unit;
}

// "C1,L,C2 (pF, uH, pF); C1,L1,CMID,L2,COUT (...)": the elements of each
// network as --elements takes them.
std::string element_forms(const PageTexts& t) {
  std::string out;
  for (const Network* n : networks()) {
    std::string names;
    std::string units;
    for (const ElementRow& e : n->elements) {
      names += concat({names.empty() ? "" : ",", e.name});
      units += concat({units.empty() ? "" : ", ", unit_text(e.unit, t)});
    }
    out += concat({out.empty() ? "" : "; ", names, " (", units, ")"});
  }
  return out;
}

// What a control's hint says before anything is typed: a number's range,
// a text's form.
std::string control_hint(const Control& c, const PageTexts& t) {
  if (const std::optional<ValueBounds> b = control_bounds(c.name)) {
    return bounds_text(*b, t);
  }
  if (c.name == "elements") return filled(t.elements_hint, {element_forms(t)});
  return c.hint != nullptr ? std::string(t.*c.hint) : std::string();
}

// Why a list of numbers parted by commas (a capacitor's range, the
// elements) is refused by the strict reading: "number 2: a space ends the
// number..."; empty when each is a number as it stands.
std::string list_problem(std::string_view text, Language language) {
  const PageTexts& t = page_texts(language);
  std::size_t index = 0;
  for (std::size_t start = 0;; ++index) {
    const std::size_t comma = text.find(',', start);
    const std::string_view part = text.substr(start, comma - start);
    const StrictEntry e = read_entry_strictly(part);
    if (e.problem == EntryProblem::kSpaceInside && e.suggestion.empty()) {
      return filled(t.list_item_blank, {std::to_string(index + 1)});
    }
    if (!e.accepted()) {
      return filled(t.list_item_refused, {std::to_string(index + 1),
                                          entry_problem_text(e, language)});
    }
    if (comma == std::string_view::npos) return {};
    start = comma + 1;
  }
}

Entry read_control_entry(const Control& c, std::string_view text,
                         Language language) {
  const PageTexts& t = page_texts(language);
  const std::string range = control_hint(c, t);
  Entry e{std::string(c.name), false, false, range, {}, {}};
  if (c.kind == K::kFlag) {
    e.used = text == "1";
    return e;
  }
  if (without_blanks_around(text).empty()) return e;
  e.used = true;
  e.argument = std::string(without_blanks_around(text));
  if (c.kind == K::kNumber) {
    std::optional<float> value;
    e = read_number_entry(c.name, text, range, language, value);
    if (e.refused) return e;
  }
  if (c.numbers) {
    if (const std::string why = list_problem(e.argument, language);
        !why.empty()) {
      e.refused = true;
      e.hint = refused_hint(why, range, t);
      return e;
    }
  }
  const Status checked = check_option(option_of(c.name), e.argument);
  if (!checked.ok()) {
    e.refused = true;
    e.hint = c.kind == K::kNumber
                 ? refused_hint(t.out_of_range, range, t)
                 : refused_hint(filled(t.request_refused, {checked.error}),
                                range, t);
  }
  return e;
}

// ---------------------------------------------------------------------
// The request read: every entry, and when each is accepted merid-calc's
// options for it.

struct ReadRequest {
  Language language;
  std::vector<Entry> entries;  // the six inputs, then the controls
  bool accepted = false;
  std::string refusal;  // merid-calc's refusal of the whole, or empty
  std::vector<std::string> marks;
  Options options;
};

const Entry* find_entry(const ReadRequest& r, std::string_view name) {
  for (const Entry& e : r.entries) {
    if (e.name == name) return &e;
  }
  return nullptr;
}

// Whether `error` names the option `name` ("--cmin" and not "--cmin-x").
bool names_option(std::string_view error, std::string_view name) {
  const std::string option = option_of(name);
  for (std::size_t at = error.find(option); at != std::string_view::npos;
       at = error.find(option, at + 1)) {
    const std::size_t end = at + option.size();
    const auto next =
        end == error.size() ? ' ' : static_cast<unsigned char>(error[end]);
    if (!std::isalnum(next) && next != '-') return true;
  }
  return false;
}

// merid-calc's arguments for the request: the options, "--" and the
// numbers; with `bands` the band table's.
std::vector<std::string> arguments_of(const ReadRequest& r, bool bands) {
  std::vector<std::string> args;
  for (const Control& c : kControls) {
    const Entry* e = find_entry(r, c.name);
    if (e == nullptr || !e->used) continue;
    // A band table as text has no columns under an SWR.
    if (bands && c.section == kSectionSwr) continue;
    if (!bands && c.name == "fixed-coil") continue;
    args.push_back(c.kind == K::kFlag
                       ? option_of(c.name)
                       : concat({option_of(c.name), "=", e->argument}));
  }
  if (bands) args.push_back("--bands");
  args.push_back("--");
  for (std::size_t i = 0; i < kInputCount; ++i) {
    const Entry& e = r.entries[i];
    if (bands && i == 0) continue;
    if (e.used) args.push_back(e.argument);
  }
  return args;
}

// The request read and, when every entry is accepted, parsed as
// merid-calc parses the same options (`bands`: with --bands).
ReadRequest read_all(const PageRequest& page, bool bands) {
  ReadRequest r;
  r.language = page.language;
  const bool elements = !without_blanks_around(page.value("elements")).empty();
  const bool rin_from = !without_blanks_around(page.value("rin-from")).empty();
  std::optional<float> qn;
  bool accepted = true;
  for (const InputRow& row : kInputs) {
    const std::string_view name =
        kInputNames[static_cast<std::size_t>(row.input)];
    std::optional<float> value;
    Entry e = read_input_entry(row.input, page.value(name),
                               elements ? std::optional<float>(1.0f) : qn,
                               page.language, value);
    // A built tank has its own loaded Q; an estimate gives RIN.
    const bool unused = (row.input == Input::kQn && elements) ||
                        (row.input == Input::kRin && rin_from) ||
                        (row.input == Input::kF && bands);
    if (unused) {
      const PageTexts& t = page_texts(page.language);
      const std::string_view why = row.input == Input::kQn ? t.qn_of_elements
                                   : row.input == Input::kRin
                                       ? t.rin_of_estimate
                                       : std::string_view(e.hint);
      e = Entry{e.name, false, false, std::string(why), {}, {}};
    }
    if (row.input == Input::kQn) qn = value;
    accepted = accepted && !e.refused;
    r.entries.push_back(std::move(e));
  }
  for (const Control& c : kControls) {
    Entry e = read_control_entry(c, page.value(c.name), page.language);
    accepted = accepted && !e.refused;
    r.entries.push_back(std::move(e));
  }
  for (const Entry& e : r.entries) {
    if (e.refused) r.marks.push_back(e.name);
  }
  if (!accepted) return r;
  const std::vector<std::string> args = arguments_of(r, bands);
  const std::vector<std::string_view> views(args.begin(), args.end());
  const Status parsed = parse_arguments(views, r.options);
  if (!parsed.ok()) {
    const PageTexts& t = page_texts(page.language);
    r.refusal = filled(t.request_refused, {parsed.error});
    for (Entry& e : r.entries) {
      if (!names_option(parsed.error, e.name)) continue;
      e.refused = true;
      e.hint = r.refusal;
      r.marks.push_back(e.name);
    }
    return r;
  }
  r.accepted = true;
  return r;
}

// "lang=ru&f=7.1&...": the request as a URL's query, each value what
// merid-calc is given for it (the text as typed while it is refused).
std::string percent_encoded(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
      out.push_back(ch);
    } else {
      out += concat(
          {"%", std::string(1, kHex[c >> 4]), std::string(1, kHex[c & 15])});
    }
  }
  return out;
}

std::string query_of(const PageRequest& page, const ReadRequest& r) {
  std::string q = concat({"lang=", language_code(page.language)});
  for (const Entry& e : r.entries) {
    const std::string_view typed = page.value(e.name);
    if (without_blanks_around(typed).empty()) continue;
    const Control* control = nullptr;
    for (const Control& c : kControls) {
      if (c.name == e.name) control = &c;
    }
    if (control != nullptr && control->kind == K::kFlag && !e.used) continue;
    if (control != nullptr && control->name == "network" &&
        typed == networks().front()->name) {
      continue;
    }
    const std::string_view value = e.refused || e.argument.empty()
                                       ? without_blanks_around(typed)
                                       : e.argument;
    q += concat({"&", e.name, "=", percent_encoded(value)});
  }
  return q;
}

std::string entries_json(const ReadRequest& r) {
  std::string out = "{";
  for (const Entry& e : r.entries) {
    if (out.size() > 1) out += ", ";
    out += json_string(e.name) + ": " +
           json_object({{"hint", json_text(e.hint)},
                        {"refused", json_bool(e.refused)},
                        {"reading", json_text(e.reading)}});
  }
  return out + "}";
}

// ---------------------------------------------------------------------
// Blocks.

// Whether a builder needs the value first: an element of the network, a
// peak that rates a part, the efficiency or the suppression of the second
// harmonic (the keys every network's field table gives them).
bool emphasised(const Network& network, std::string_view key) {
  for (const ElementRow& e : network.elements) {
    if (e.key == key) return true;
  }
  constexpr std::string_view kFirstFigures[] = {"eta", "ku", "ki"};
  for (const std::string_view first : kFirstFigures) {
    if (key == first) return true;
  }
  return key.ends_with("_peak");
}

std::string cell_json(const TextCell& cell, bool emphasis) {
  return json_object({{"key", json_text(cell.key)},
                      {"label", json_text(cell.label)},
                      {"value", json_text(cell.value)},
                      {"emphasis", json_bool(emphasis)}});
}

std::string block_json(const TextBlockView& block, const Network& network,
                       bool emphasis) {
  const auto row_json = [&](const std::vector<TextCell>& row) {
    return json_array(row, [&](const TextCell& c) {
      return cell_json(c, emphasis || emphasised(network, c.key));
    });
  };
  return json_object({{"heading", json_text(block.heading)},
                      {"rows", json_array(block.rows, row_json)},
                      {"note", json_text(block.note)}});
}

class StringSink : public ByteSink {
 public:
  void write(std::string_view bytes) override { text_.append(bytes); }
  void flush() override {}
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find(kLineEnd);
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + kLineEnd.size());
  }
  return lines;
}

bool is_dashes(std::string_view line) {
  const std::string_view t = without_blanks_around(line);
  return !t.empty() && t.find_first_not_of('-') == std::string_view::npos;
}

// The cells of a line of merid-calc's text blocks: "label<tabs>= value"
// once or twice, the halves parted by five blanks; any other line is one
// cell of its text.
std::vector<TextCell> cells_of(std::string_view line) {
  constexpr std::string_view kEquals = "\t= ";
  const std::size_t first = line.find(kEquals);
  if (first == std::string_view::npos) {
    return {TextCell{{}, {}, std::string(without_blanks_around(line))}};
  }
  std::vector<TextCell> cells;
  std::string label(bare_label(line.substr(0, first)));
  std::string_view rest = line.substr(first + kEquals.size());
  const std::size_t second = rest.find(kEquals);
  if (second != std::string_view::npos) {
    const std::string_view middle = rest.substr(0, second);
    const std::size_t start = middle.find_first_not_of(' ');
    const std::size_t gap = middle.find("     ", start);
    cells.push_back(TextCell{{}, label, std::string(middle.substr(0, gap))});
    label = std::string(
        bare_label(gap == std::string_view::npos ? "" : middle.substr(gap)));
    rest = rest.substr(second + kEquals.size());
  }
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  cells.push_back(TextCell{{}, label, std::string(rest)});
  return cells;
}

// merid-calc's text blocks, each headed by an empty line, its heading and
// the dashes, as the page shows them.
std::vector<TextBlockView> blocks_of_text(std::string_view text) {
  const std::vector<std::string_view> lines = lines_of(text);
  std::vector<TextBlockView> blocks;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i + 2 < lines.size() && lines[i].empty() && is_dashes(lines[i + 2])) {
      blocks.push_back(
          TextBlockView{std::string(bare_label(lines[i + 1])), {}, {}});
      i += 2;
      continue;
    }
    if (without_blanks_around(lines[i]).empty()) continue;
    if (blocks.empty()) blocks.push_back({});
    blocks.back().rows.push_back(cells_of(lines[i]));
  }
  return blocks;
}

std::string blocks_json(const std::vector<TextBlockView>& blocks,
                        const Network& network, bool emphasise_last) {
  std::string out = "[";
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    if (i > 0) out += ", ";
    out += block_json(blocks[i], network,
                      emphasise_last && i + 1 == blocks.size());
  }
  return out + "]";
}

// The blocks merid-calc's text output writes by `write`.
template <class Write>
std::vector<TextBlockView> written_blocks(Write write) {
  StringSink sink;
  write(sink);
  return blocks_of_text(sink.text());
}

// The keys of the figures of merid-calc's JSON that the blocks show, a
// list per block, each key a path with dots ("load_swr.matched.uc1"), for
// the labelled cells in order; "" for a cell of no figure.
using BlockKeys = std::vector<std::vector<std::string>>;

// Each labelled cell of `blocks` its key.  TextCell holds a view, so the
// keys live in `keys`, which outlives the blocks' JSON.
void give_keys(std::vector<TextBlockView>& blocks, const BlockKeys& keys) {
  for (std::size_t b = 0; b < blocks.size() && b < keys.size(); ++b) {
    std::size_t k = 0;
    for (std::vector<TextCell>& row : blocks[b].rows) {
      for (TextCell& cell : row) {
        if (cell.label.empty() || k == keys[b].size()) continue;
        cell.key = keys[b][k++];
      }
    }
  }
}

// The SWR fields' keys under `prefix` in the order of the rows and their
// two columns.
std::vector<std::string> swr_row_keys(const Network& n,
                                      std::string_view prefix) {
  std::vector<const SwrField*> fields;
  for (const SwrField& f : n.swr_fields) fields.push_back(&f);
  std::stable_sort(
      fields.begin(), fields.end(), [](const SwrField* a, const SwrField* b) {
        return a->row != b->row ? a->row < b->row : a->column < b->column;
      });
  std::vector<std::string> keys;
  for (const SwrField* f : fields) keys.push_back(concat({prefix, f->name}));
  return keys;
}

BlockKeys swr_keys(const Network& n, const LoadSwr& s) {
  BlockKeys keys;
  for (const DriveFigures& drive : s.drives) {
    keys.push_back(swr_row_keys(
        n, concat({"load_swr.", swr_drive_name(drive.drive), "."})));
  }
  if (s.retuned) {
    std::vector<std::string> retuned;
    for (const std::string_view k :
         {"c1_min", "c1_max", "c2_min", "c2_max", "unmatched"}) {
      retuned.push_back(concat({"load_swr.retuned.", k}));
    }
    if (s.retuned->matchable)
      retuned.emplace_back("load_swr.retuned.matchable");
    for (std::string& k : swr_row_keys(n, "load_swr.retuned.")) {
      retuned.push_back(std::move(k));
    }
    keys.push_back(std::move(retuned));
  }
  std::vector<std::string> rating;
  for (const SwrField& f : n.swr_fields) {
    if (f.rating) rating.push_back(concat({"load_swr.rating.", f.name}));
  }
  keys.push_back(std::move(rating));
  return keys;
}

BlockKeys emission_keys(const DesignModel& d, const Emissions& e) {
  std::vector<std::string> keys = {"emissions.carrier_watts"};
  if (e.coil_srf_mhz) keys.emplace_back("emissions.coil_srf");
  if (e.search && e.search->value) {
    keys.push_back(concat({"emissions.", d.limit_search().key}));
  } else if (e.search && e.search->shortfall) {
    keys.emplace_back("emissions.shortfall");
  }
  return {keys};
}

// The line of column headings over the harmonics' rows ("  n     F, MHz
// dBc ...") as a row of cells without keys, which the page lays out as the
// table's heading row: the first heading as each cell's label, each of
// the others as a value.  Headings are parted by two blanks or more.
void split_column_headings(std::vector<TextCell>& row) {
  if (row.size() != 1 || !row[0].label.empty()) return;
  std::vector<std::string> headings;
  std::string_view rest = without_blanks_around(row[0].value);
  while (!rest.empty()) {
    std::size_t end = rest.find("  ");
    headings.emplace_back(without_blanks_around(rest.substr(0, end)));
    rest = end == std::string_view::npos
               ? std::string_view()
               : without_blanks_around(rest.substr(end));
  }
  if (headings.size() < 2) return;
  std::vector<TextCell> cells;
  for (std::size_t i = 1; i < headings.size(); ++i) {
    cells.push_back(TextCell{{}, headings[0], headings[i]});
  }
  row = std::move(cells);
}

// A harmonic's row of the emission block as a cell per figure: "2F", then
// f, dBc, W, dBm and with a limit the limit, the margin and the verdict.
void split_harmonic_rows(TextBlockView& block, const Emissions& e,
                         std::vector<std::string>& keys) {
  static constexpr std::string_view kColumns[] = {
      "f", "dbc", "watts", "dbm", "limit_dbc", "margin", "pass"};
  std::size_t h = 0;
  std::vector<TextCell>* previous = nullptr;
  for (std::vector<TextCell>& row : block.rows) {
    std::vector<TextCell>* const before = std::exchange(previous, &row);
    if (h == e.harmonics.size() || row.size() != 1 || !row[0].label.empty()) {
      continue;
    }
    const std::string n = concat({std::to_string(e.harmonics[h].n), "F"});
    if (!row[0].value.starts_with(n + " ")) continue;
    if (h == 0 && before != nullptr) split_column_headings(*before);
    std::vector<TextCell> cells;
    std::string_view rest = std::string_view(row[0].value).substr(n.size());
    for (const std::string_view column : kColumns) {
      rest = without_blanks_around(rest);
      if (rest.empty()) break;
      const std::size_t end = rest.find(' ');
      keys.push_back(
          concat({"emissions.harmonics.", std::to_string(h), ".", column}));
      cells.push_back(
          TextCell{keys.back(), n, std::string(rest.substr(0, end))});
      rest = end == std::string_view::npos ? "" : rest.substr(end);
    }
    row = std::move(cells);
    ++h;
  }
}

// ---------------------------------------------------------------------
// The design.

// The key of the figure that a row of the text alone shows (one without a
// key of its own, "a value that another field holds already": pi-L's Qn
// of the pi section is qn): the one field in the data with the same bits.
std::string_view held_by(const DesignModel& d, std::string_view label,
                         Language language) {
  const Field* text_only = nullptr;
  for (const Field& f : d.network().fields) {
    if (!f.in_data() && f.text.shown() && f.text.label != nullptr &&
        bare_label(f.text.label(language)) == label) {
      text_only = &f;
    }
  }
  if (text_only == nullptr) return {};
  const float value = d.number(*text_only);
  const Field* holder = nullptr;
  for (const Field& f : d.network().fields) {
    if (!f.in_data() || std::bit_cast<std::uint32_t>(d.number(f)) !=
                            std::bit_cast<std::uint32_t>(value)) {
      continue;
    }
    if (holder != nullptr) return {};  // not one field: no key
    holder = &f;
  }
  return holder != nullptr ? holder->key : std::string_view();
}

// The main blocks: the network's results without the input block, which
// the page's entries show, and for a built tank what the amplifier sees.
std::string main_blocks_json(const DesignModel& d, Language language) {
  const std::vector<TextBlockView> views = text_blocks(d, language);
  std::vector<TextBlockView> shown(views.begin() + 1, views.end());
  for (TextBlockView& block : shown) {
    for (std::vector<TextCell>& row : block.rows) {
      for (TextCell& cell : row) {
        if (cell.key.empty()) cell.key = held_by(d, cell.label, language);
      }
    }
  }
  const BlockKeys given = {{"zin_r", "zin_x", "swr_in"}};
  if (given_figures(d)) {
    std::vector<TextBlockView> all =
        written_blocks([&](ByteSink& s) { write_design_text(s, d, language); });
    if (!all.empty()) shown.push_back(std::move(all.back()));
    std::vector<TextBlockView> last(1);
    std::swap(last.front(), shown.back());
    give_keys(last, given);
    std::swap(last.front(), shown.back());
  }
  return blocks_json(shown, d.network(), false);
}

std::string warnings_json(const AmplifierReport& report,
                          const AmplifierOptions& options, Language language) {
  return json_array(report.warnings, [&](const DesignWarning& w) {
    return json_object(
        {{"key", json_text(warning_code(w.code))},
         {"text", json_text(warning_text(w, options, language))}});
  });
}

std::string sections_json(const DesignModel& d, const Options& o,
                          const AmplifierReport& report, const LoadSwr* swr,
                          Language language) {
  const Network& n = d.network();
  const AmplifierOptions& a = o.amplifier;
  std::vector<TextBlockView> swr_blocks;
  BlockKeys keys_swr;
  if (swr != nullptr) {
    swr_blocks = written_blocks(
        [&](ByteSink& s) { write_swr_text(s, d, *swr, language); });
    keys_swr = swr_keys(n, *swr);
    give_keys(swr_blocks, keys_swr);
  }
  std::vector<TextBlockView> parts = written_blocks(
      [&](ByteSink& s) { write_parts_text(s, d, a, report, language); });
  BlockKeys keys_parts(1);
  if (report.parts) {
    for (std::size_t i = 0; i < kTunedCapacitors; ++i) {
      if (!report.parts->capacitors[i]) continue;
      keys_parts[0].emplace_back();
      keys_parts[0].push_back(
          concat({"parts.c", std::to_string(i + 1), "_miss"}));
    }
  }
  give_keys(parts, keys_parts);
  std::vector<TextBlockView> amplifier = written_blocks(
      [&](ByteSink& s) { write_amplifier_text(s, a, report, language); });
  const BlockKeys keys_amplifier = {{"cmin", "c1_margin", "qn_for_cmin"}};
  if (a.cmin) give_keys(amplifier, keys_amplifier);
  std::vector<TextBlockView> emissions = written_blocks(
      [&](ByteSink& s) { write_emissions_text(s, d, a, report, language); });
  BlockKeys keys_emissions;
  std::vector<std::string> harmonic_keys;
  if (report.emissions && !emissions.empty()) {
    keys_emissions = emission_keys(d, *report.emissions);
    give_keys(emissions, keys_emissions);
    harmonic_keys.reserve(report.emissions->harmonics.size() * 7);
    split_harmonic_rows(emissions.front(), *report.emissions, harmonic_keys);
  }
  return json_object({{kSectionSwr, blocks_json(swr_blocks, n, true)},
                      {kSectionParts, blocks_json(parts, n, false)},
                      {kSectionAmplifier, blocks_json(amplifier, n, false)},
                      {kSectionEmissions, blocks_json(emissions, n, false)}});
}

std::string refused_view(const PageRequest& page, const ReadRequest& r) {
  std::string warnings = "[]";
  if (!r.refusal.empty()) {
    warnings = json_array(std::initializer_list<std::string_view>{r.refusal},
                          [](std::string_view text) {
                            return json_object({{"key", json_text("refused")},
                                                {"text", json_text(text)}});
                          });
  }
  return json_object({{"entries", entries_json(r)},
                      {"accepted", "false"},
                      {"infeasible", "false"},
                      {"infeasible_text", "[]"},
                      {"qn_min", "null"},
                      {"marks", json_array(r.marks, json_text)},
                      {"blocks", "[]"},
                      {"sections", "{}"},
                      {"warnings", warnings},
                      {"json", "\"\""},
                      {"query", json_text(query_of(page, r))}});
}

// The lines of the screen's message as one sentence: a word the screen
// parts with a hyphen at a line's end is whole again.
std::string joined_lines(std::span<const std::string> lines) {
  std::string out;
  for (const std::string& line : lines) {
    const std::string_view text = without_blanks_around(line);
    if (!out.empty() && out.back() == '-') {
      out.pop_back();
    } else if (!out.empty()) {
      out.push_back(' ');
    }
    out.append(text);
  }
  return out;
}

// The sentences for a design that cannot be built: the screen's message
// that the loaded Q is too small (not for a built tank) whole, and what
// the network adds.
std::vector<std::string> infeasible_sentences(const DesignModel& d,
                                              std::optional<float> qn_min,
                                              Language language) {
  std::vector<std::string> lines = infeasible_lines(d, qn_min, language);
  const std::size_t message = d.inputs().elements ? 0 : 2;
  std::vector<std::string> sentences;
  if (message > 0 && lines.size() >= message) {
    sentences.push_back(
        joined_lines(std::span<const std::string>(lines).first(message)));
  }
  for (std::size_t i = message; i < lines.size(); ++i) {
    if (!without_blanks_around(lines[i]).empty())
      sentences.emplace_back(without_blanks_around(lines[i]));
  }
  return sentences;
}

std::string infeasible_view(const PageRequest& page, const ReadRequest& r,
                            const DesignModel& d) {
  const Language language = page.language;
  const std::optional<float> least = least_feasible_loaded_q(d);
  const std::vector<std::string> lines =
      infeasible_sentences(d, least, language);
  const std::string qn_min = least ? json_text(plain(*least)) : "null";
  std::vector<std::string> marks = r.marks;
  if (!d.inputs().elements) marks.emplace_back("qn");
  const std::string amplifier =
      blocks_json(written_blocks([&](ByteSink& s) {
                    write_rin_estimate_text(s, r.options.amplifier, language);
                  }),
                  d.network(), false);
  return json_object(
      {{"entries", entries_json(r)},
       {"accepted", "true"},
       {"infeasible", "true"},
       {"infeasible_text", json_array(lines, json_text)},
       {"qn_min", qn_min},
       {"marks", json_array(marks, json_text)},
       {"blocks", "[]"},
       {"sections", json_object({{kSectionAmplifier, amplifier}})},
       {"warnings", "[]"},
       {"json", json_text(infeasible_json(
                    d, least, amplifier_report(d, r.options.amplifier),
                    DataContext{r.options.amplifier, kJsonLanguage}))},
       {"query", json_text(query_of(page, r))}});
}

// Whether the dialogue could have written a report of the design of
// `o`: its network has the dialogue's screen and the tank is synthesised.
bool has_report(const Options& o) {
  return o.network->screen != nullptr && !o.inputs.elements;
}

std::string view_result(const std::string& request) {
  const PageRequest page = read_request(request);
  const ReadRequest r = read_all(page, false);
  if (!r.accepted) return refused_view(page, r);
  const Options& o = r.options;
  const TankDesign d = o.network->design(o.inputs);
  if (!d->feasible()) return infeasible_view(page, r, *d);
  const std::optional<SwrRequest> asked = swr_request(o);
  const std::optional<LoadSwr> swr =
      asked ? std::optional<LoadSwr>(load_swr(*d, *asked)) : std::nullopt;
  const AmplifierReport report = amplifier_report(*d, o.amplifier);
  const DataContext context{o.amplifier, kJsonLanguage};
  const LoadSwr* s = swr ? &*swr : nullptr;
  return json_object(
      {{"entries", entries_json(r)},
       {"accepted", "true"},
       {"infeasible", "false"},
       {"infeasible_text", "[]"},
       {"qn_min", "null"},
       {"marks", json_array(r.marks, json_text)},
       {"blocks", main_blocks_json(*d, page.language)},
       {"sections", sections_json(*d, o, report, s, page.language)},
       {"warnings", warnings_json(report, o.amplifier, page.language)},
       {"json", json_text(design_json(*d, report, s, context))},
       // Whether report() gives the dialogue's report of this design.
       {"report", json_bool(has_report(o))},
       {"query", json_text(query_of(page, r))}});
}

// ---------------------------------------------------------------------
// Plots, band table, report.

std::string plots_result(const std::string& request) {
  const PageRequest page = read_request(request);
  const ReadRequest r = read_all(page, false);
  const auto none = json_object({{"response", "\"\""}, {"smith", "\"\""}});
  if (!r.accepted) return none;
  const Options& o = r.options;
  const TankDesign d = o.network->design(o.inputs);
  if (!d->feasible()) return none;
  const std::optional<SwrRequest> asked = swr_request(o);
  std::optional<LoadCircle> loads;
  if (asked && asked->retune) {
    const LoadSwr swr = load_swr(*d, *asked);
    if (swr.retuned) loads = LoadCircle{swr.swr, swr.retuned->matched};
  }
  const AmplifierReport report = amplifier_report(*d, o.amplifier);
  const ResponseCurves curves = d->response_curves();
  const DrawingSubject subject = d->drawing_subject(page.language);
  const Emissions* emissions = report.emissions ? &*report.emissions : nullptr;
  return json_object(
      {{"response",
        json_text(response_plot_svg(subject, curves, page.language,
                                    PlotWindow::kBands, emissions))},
       {"smith", json_text(smith_chart_svg(subject, curves, page.language,
                                           loads ? &*loads : nullptr))}});
}

std::string band_line_json(const BandTableLine& line, const BandRow& row,
                           const PageTexts& t) {
  const auto cell_text = [](const BandTableCell& c) {
    return json_text(c.text);
  };
  const bool marked = row.report.c1_margin && *row.report.c1_margin < 0.0;
  const std::string_view note = marked && line.note.empty()
                                    ? t.c1_below_cmin_row
                                    : without_blanks_around(line.note);
  return json_object({{"name", json_text(line.band_name)},
                      {"band", json_text(line.band)},
                      {"edge", json_text(edge_name(line.edge))},
                      {"frequency", json_text(line.frequency)},
                      {"cells", json_array(line.cells, cell_text)},
                      {"note", json_text(note)},
                      {"coil", json_text(line.coil)},
                      {"marked", json_bool(marked)}});
}

std::string bands_result(const std::string& request) {
  const PageRequest page = read_request(request);
  const PageTexts& t = page_texts(page.language);
  const ReadRequest r = read_all(page, true);
  if (!r.accepted) {
    return json_object(
        {{"refused", "true"},
         {"status", json_text(r.refusal.empty() ? t.fix_inputs_first
                                                : std::string_view(r.refusal))},
         {"marks", json_array(r.marks, json_text)}});
  }
  const Options& o = r.options;
  const TankDesign inputs = o.network->uncalculated(o.inputs);
  const std::vector<BandRow> rows = band_table(*inputs, o.amplifier);
  const BandTableView view =
      band_table_view(*inputs, rows, o.amplifier, page.language);
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < view.lines.size(); ++i) {
    lines.push_back(band_line_json(view.lines[i], rows[i], t));
  }
  const auto heading = [](const BandTableColumn& c) {
    return json_text(c.heading);
  };
  return json_object(
      {{"refused", "false"},
       {"status",
        json_text(filled(t.rows_calculated, {std::to_string(lines.size())}))},
       {"band_heading", json_text(t.band_heading)},
       {"columns", json_array(view.columns, heading)},
       {"coil_heading",
        json_text(o.amplifier.fixed_coil ? t.coil_heading : "")},
       {"lines", json_array(lines, [](const std::string& l) { return l; })}});
}

// The 27 lines that the dialogue appends to rezultat.txt for this design
// on this date, in Russian as the dialogue writes them; empty when the
// request is refused, the design infeasible or its network has no screen.
std::string report_text(const std::string& request, int year, int month,
                        int day) {
  const ReadRequest r = read_all(read_request(request), false);
  if (!r.accepted || !has_report(r.options)) return {};
  const TankDesign d = r.options.network->design(r.options.inputs);
  if (!d->feasible()) return {};
  return format_report(make_report_record(*d), Date{year, month, day});
}

// ---------------------------------------------------------------------
// The form.

std::string choice_json(std::string_view value, std::string_view label) {
  return json_object(
      {{"value", json_text(value)}, {"label", json_text(label)}});
}

std::string network_label(const Network& n, const PageTexts& t) {
  return std::string(n.name == "pi-l" ? t.network_pi_l : t.network_pi);
}

std::vector<std::string> choices_of(const Control& c, Language language) {
  const PageTexts& t = page_texts(language);
  std::vector<std::string> out;
  if (c.name == "network") {
    for (const Network* n : networks()) {
      out.push_back(choice_json(n->name, network_label(*n, t)));
    }
  } else if (c.name == "limit") {
    out.push_back(choice_json("", t.limit_none));
    for (const EmissionRule& rule : emission_rules()) {
      const std::string_view text =
          language == Language::kEnglish ? rule.text : rule.text_ru;
      out.push_back(choice_json(rule.name, concat({rule.name, " — ", text})));
    }
  }
  return out;
}

// The network whose parameter the control `name` sets, "" for a control
// of every network.
std::string_view owning_network(std::string_view name) {
  for (const Network* n : networks()) {
    for (const NetworkParameter& p : n->parameters) {
      if (p.name == name) return n->name;
    }
  }
  return {};
}

std::string control_json(const Control& c, Language language) {
  const PageTexts& t = page_texts(language);
  static constexpr std::string_view kKinds[] = {"number", "flag", "choice",
                                                "text"};
  const std::string hint = control_hint(c, t);
  const std::string value =
      c.name == "network" ? std::string(networks().front()->name) : "";
  return json_object(
      {{"name", json_text(c.name)},
       {"label", json_text(t.*c.label)},
       {"kind", json_text(kKinds[static_cast<int>(c.kind)])},
       {"choices", json_array(choices_of(c, language),
                              [](const std::string& s) { return s; })},
       {"hint", json_text(hint)},
       {"value", json_text(value)},
       {"network", json_text(owning_network(c.name))}});
}

std::string section_json(const Section& s, Language language) {
  std::vector<std::string> controls;
  for (const Control& c : kControls) {
    if (c.section == s.name) controls.push_back(control_json(c, language));
  }
  return json_object(
      {{"name", json_text(s.name)},
       {"title", json_text(page_texts(language).*s.title)},
       {"controls",
        json_array(controls, [](const std::string& c) { return c; })}});
}

// The typical design, the dialogue's session in README.
constexpr std::string_view kDefaults[kInputCount] = {"7.1",  "12", "200",
                                                     "2000", "50", "100"};

std::string form_result(const std::string& lang) {
  const Language language = language_of(lang);
  const PageTexts& t = page_texts(language);
  std::vector<std::string> inputs;
  for (const InputRow& row : kInputs) {
    const auto i = static_cast<std::size_t>(row.input);
    inputs.push_back(json_object(
        {{"name", json_text(kInputNames[i])},
         {"label", json_text(t.input_labels[i])},
         {"hint", json_text(input_range_text(row.input, std::nullopt, t))},
         {"value", json_text(kDefaults[i])}}));
  }
  std::vector<std::string> sections;
  for (const Section& s : kSections)
    sections.push_back(section_json(s, language));
  const std::vector<std::pair<std::string_view, std::string>> texts = {
      {"title", std::string(t.title)},
      {"language", std::string(t.language_label)},
      {"input_heading", std::string(t.input_heading)},
      {"results_heading", std::string(t.results_heading)},
      {"warnings_heading", std::string(t.warnings_heading)},
      {"no_warnings", std::string(t.no_warnings)},
      {"loading", std::string(t.loading)},
      {"copy_link", std::string(t.copy_link)},
      {"link_copied", std::string(t.link_copied)},
      {"download_report", filled(t.download_report, {kResultsFileName})},
      {"report_file", std::string(kResultsFileName)},
      {"download_json", std::string(t.download_json)},
      {"json_file", std::string(t.json_file)},
      {"print", std::string(t.print)},
      {"refused_heading", std::string(t.refused_heading)},
      {"infeasible_heading", std::string(t.infeasible_heading)},
      {"plots_heading", std::string(t.plots_heading)},
      {"response_alt", std::string(t.response_alt)},
      {"response_caption", std::string(t.response_caption)},
      {"smith_alt", std::string(t.smith_alt)},
      {"smith_caption", std::string(t.smith_caption)},
      {"bands_heading", std::string(t.bands_heading)},
      {"bands_intro", std::string(t.bands_intro)},
      {"bands_run", std::string(t.bands_run)},
      {"bands_stale", std::string(t.bands_stale)},
      {"fix_inputs_first", std::string(t.fix_inputs_first)},
      {"optional", std::string(t.optional_hint)},
  };
  std::string texts_out = "{";
  for (const auto& [key, text] : texts) {
    if (texts_out.size() > 1) texts_out += ", ";
    texts_out += json_string(key) + ": " + json_string(text);
  }
  texts_out += "}";
  const Language all[] = {Language::kRussian, Language::kEnglish};
  return json_object(
      {{"lang", json_text(language_code(language))},
       {"title", json_text(t.title)},
       {"languages", json_array(all,
                                [](Language l) {
                                  return choice_json(
                                      language_code(l),
                                      page_texts(l).language_name);
                                })},
       {"texts", texts_out},
       {"inputs", json_array(inputs, [](const std::string& s) { return s; })},
       {"sections",
        json_array(sections, [](const std::string& s) { return s; })}});
}

}  // namespace
}  // namespace merid

EMSCRIPTEN_BINDINGS(merid) {
  emscripten::function("form", &merid::form_result);
  emscripten::function("view", &merid::view_result);
  emscripten::function("plots", &merid::plots_result);
  emscripten::function("bands", &merid::bands_result);
  emscripten::function("report", &merid::report_text);
}
