#include "cli/help.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "base/inputs.h"
#include "base/number_text.h"
#include "design/amplifier_report.h"
#include "design/arguments.h"
#include "design/band_table.h"
#include "design/emission_rules.h"
#include "design/load_swr.h"
#include "design/network.h"

namespace merid {
namespace {

constexpr std::size_t kLineWidth = 76;
// Where an option's or a field's text begins.
constexpr std::size_t kOptionColumn = 17;
constexpr std::size_t kFieldColumn = 16;
constexpr std::size_t kCodeColumn = 25;

constexpr std::string_view kUsage =
    "Usage: merid-calc [--format text|json|csv] [--swr S [--retune]]\n"
    "                  [--svg FILE [--whole-window]] [--smith FILE]\n"
    "                  [--cmin PF] [--c1-range MIN,MAX] [--c2-range MIN,MAX]\n"
    "                  F QN Q0 RIN ROUT PIN\n"
    "       merid-calc --bands [--fixed-coil] [--format text|json|csv]\n"
    "                  [--swr S [--retune]] [--cmin PF] ... QN Q0 RIN ROUT "
    "PIN\n"
    "       merid-calc --elements C1,L,C2 ... F Q0 RIN ROUT PIN (QN left out)\n"
    "       merid-calc ... [--conduction DEG] [--limit RULE | --limit-dbc X]\n"
    "                  [--margin DB] ... (the harmonics at the load)\n"
    "       merid-calc ... --rin-from tube:EA,IA,CLASS ... (RIN left out)\n"
    "       merid-calc ... --rin-from transistor:VCC,VSAT,P ... (RIN left "
    "out)\n"
    "       merid-calc --lang en ... (the text and the plots in English)\n";

constexpr std::string_view kDescription =
    "Calculates the pi-network output tank of an RF power amplifier (C1 from "
    "the amplifier side to ground, the series coil L, C2 from the load side "
    "to ground) exactly as merid-utf8 does, from six inputs given on the "
    "command line.";

constexpr std::string_view kInputsIntro =
    "Inputs, typed as at the dialogue (a decimal comma works, as in 7,1; at "
    "most 10 characters), each in the dialogue's accepted range:";

constexpr std::string_view kOptionsRule =
    "Options stand anywhere before a lone --, each at most once (a "
    "repeated option is refused); from -- on every argument is one of the "
    "numbers, and an option's value is taken as it stands, even one that "
    "begins with -- or reads -h.";

constexpr std::string_view kAmplifierIntro =
    "The amplifier behind the tank (these searches and estimates are new "
    "calculations, made in double precision where that is sounder; every "
    "design they report is the dialogue's own single-precision synthesis):";

constexpr std::string_view kWarningsIntro =
    "Warnings: a result that is physically meaningless or misleading is "
    "reported with the figure that shows it, on standard error as "
    "\"merid-calc: warning: ...\" lines in text mode, as the \"warnings\" "
    "array of {\"code\", \"text\"} objects in JSON and as the warnings column "
    "(the codes, parted by blanks) in CSV.  The codes:";

constexpr std::string_view kExitHelp =
    "Exit status: 0 done, warnings or not (among them one for an input or "
    "an option's number whose text holds more than the number read of it, "
    "such as \"2 500\" as one argument, which reads 2); 1 the loaded Q is too "
    "small for the "
    "transformation (the dialogue's two-line message follows with the least "
    "loaded Q that makes it, on standard error for json and csv, which "
    "write the inputs with \"infeasible\": true and \"qn_min\" instead; "
    "with --bands such rows are marked in the table, and so are rows that "
    "--fixed-coil cannot match); 2 a bad "
    "argument or option value (one line on standard error naming it, its "
    "value and its accepted range), a file that cannot be written, or "
    "standard output that cannot take the results (\"merid-calc: standard "
    "output: \" and the reason).";

// What the figures stand for: the models behind them.
constexpr std::string_view kModels[] = {
    "KU and KI are the ratio, in dB, of the load voltage at F to the load "
    "voltage at nF (n = 2 to 5) for the same source: KU from the matched "
    "source, KI from the high-impedance one.  They are the network's "
    "attenuation between F and nF, not the level of a harmonic at the "
    "antenna, which depends on the harmonic content of the amplifier's "
    "current as well.",
    "Losses: each coil has the series resistance X/Q0 at every frequency, X "
    "its reactance there, so its Q is Q0 wherever it is analysed; the "
    "capacitors are lossless.  The efficiency is the power into ROUT over "
    "the power into the tank.",
    "The drives: the matched source is RIN with the open-circuit voltage 2 "
    "sqrt(RIN PIN), which puts PIN into a matched tank; the high-impedance "
    "source is 11 RIN with 11 sqrt(RIN PIN), which into a matched tank "
    "gives 11/12 of the matched one's input voltage, about 84 % of PIN, "
    "and otherwise drives the tank nearly as a current does, like a tube; "
    "the levelled source (--swr, --elements) puts PIN into the tank "
    "whatever its input impedance, as an amplifier levelled or tuned up for "
    "full output does.",
    "--rin-from: the tube rule RIN = EA / (k IA) takes the fundamental of "
    "the anode current as 0.9 k times its mean IA, the anode swinging to "
    "0.9 EA.  The current is taken as cosine pulses of the class's "
    "conduction angle, A 360, AB 240, B 180 and C 120 degrees, the angle "
    "the harmonics at the load are reckoned from, so that the two describe "
    "one current: 0.9 k is the pulses' fundamental over their mean, 1, "
    "1.321, pi/2 and 1.794, and k is 1.111, 1.468, 1.745 and 1.993 for "
    "classes A, AB, B and C.  The power the estimate stands for is (0.9 "
    "EA)^2 / (2 RIN).  The transistor rule is that of one single-ended "
    "stage, RIN = (VCC - VSAT)^2 / (2 P) with P its output power; a "
    "push-pull pair's collector-to-collector load is four times this for "
    "the same VCC and P.",
};

constexpr std::string_view kManual =
    "The manual page merid-calc(1) tells the same at more length, with "
    "examples.";

// The words of `text` with the blanks after each: one, or two after a
// sentence.
struct Word {
  std::string_view text;
  std::size_t blanks;
};

std::vector<Word> words_of(std::string_view text) {
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t end = std::min(text.find(' ', i), text.size());
    std::size_t next = end;
    while (next < text.size() && text[next] == ' ') ++next;
    words.push_back({text.substr(i, end - i), next - end});
    i = next;
  }
  return words;
}

// `text` as lines of at most kLineWidth columns, the first starting after
// `start` columns already written, every other indented by `indent`.
std::string wrapped(std::string_view text, std::size_t start,
                    std::size_t indent) {
  std::string out;
  std::size_t column = start;
  std::size_t gap = 0;  // blanks owed before the next word
  for (const Word& w : words_of(text)) {
    if (column > indent && column + gap + w.text.size() > kLineWidth) {
      out.push_back('\n');
      out.append(indent, ' ');
      column = indent;
      gap = 0;
    }
    out.append(gap, ' ');
    out.append(w.text);
    column += gap + w.text.size();
    gap = std::min<std::size_t>(w.blanks, 2);
  }
  out.push_back('\n');
  return out;
}

// An empty line, then `text` wrapped.
std::string paragraph_text(std::string_view text) {
  return concat({"\n", wrapped(text, 0, 0)});
}

// "  NAME" and its text from `column` on; a name too long for the space
// stands on its own line.
std::string item_text(std::string_view name, std::string_view text,
                      std::size_t column) {
  std::string out = concat({"  ", name});
  if (out.size() + 1 > column) {
    out.push_back('\n');
    out.append(column, ' ');
  } else {
    out.append(column - out.size(), ' ');
  }
  return out + wrapped(text, column, column);
}

// The help as it is put together: its text, and each of its entries (an
// item's name and text, or a paragraph) as words for the manual's test.
class Help {
 public:
  void item(std::string_view name, std::string_view text, std::size_t column) {
    text_ += item_text(name, text, column);
    entries_.push_back(concat({name, " ", text}));
  }
  void paragraph(std::string_view text) {
    text_ += concat({"\n", wrapped(text, 0, 0)});
    entries_.emplace_back(text);
  }
  // As it stands, not an entry: the usage and the headings, which the page
  // has as its synopsis and its sections.
  void verbatim(std::string_view text) { text_ += text; }
  // A line laid out in columns, an entry of its words.
  void line(std::string_view text) {
    text_ += text;
    entries_.emplace_back(text);
  }

  const std::string& text() const { return text_; }
  const std::vector<std::string>& entries() const { return entries_; }

 private:
  std::string text_;
  std::vector<std::string> entries_;
};

std::string padded(std::string_view text, std::size_t width) {
  std::string out(text);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

// "160m 1.8-2, 80m 3.5-3.8, ...".
std::string band_list() {
  std::string out;
  for (const AmateurBand& band : amateur_bands()) {
    if (!out.empty()) out.append(", ");
    out.append(
        concat({band.name, " ", plain(band.f[0]), "-", plain(band.f[2])}));
  }
  return out;
}

void add_option(Help& help, const OptionHelp& option) {
  const std::string name = option.value.empty()
                               ? std::string(option.name)
                               : concat({option.name, " ", option.value});
  std::string text(option.help);
  if (option.name == "--bands") text = concat({text, " ", band_list(), "."});
  help.item(name, text, kOptionColumn);
}

// The usage line of each network after the default, with its parameters.
std::string network_usage() {
  std::string out;
  for (const Network* network : networks().subspan(1)) {
    std::string line = concat({"merid-calc --network ", network->name});
    for (const NetworkParameter& p : network->parameters) {
      line += concat({" [--", p.name, " ", p.value_name, "]"});
    }
    line += " ...";
    out += concat({"       ", wrapped(line, 7, 18)});
  }
  return out + "       merid-calc --help | --version\n";
}

void add_options(Help& help) {
  help.verbatim("\nOptions:\n");
  help.paragraph(kOptionsRule);
  for (const OptionHelp& option : option_help()) {
    if (option.name == "--cmin") help.paragraph(kAmplifierIntro);
    if (option.name == "--network") help.verbatim("\nThe network:\n");
    add_option(help, option);
  }
  for (const Network* network : networks()) {
    help.item(concat({"--network ", network->name}), network->description,
              kOptionColumn);
    for (const NetworkParameter& p : network->parameters) {
      help.item(concat({"--", p.name, " ", p.value_name}), p.meaning,
                kOptionColumn);
    }
  }
}

void add_warnings(Help& help) {
  help.paragraph(kWarningsIntro);
  for (const WarningDescription& w : warning_descriptions()) {
    help.item(w.name, w.meaning, kCodeColumn);
  }
}

// The fields of `network` that JSON and CSV carry.
void add_network_fields(Help& help, const Network& network) {
  for (const Field& field : network.fields) {
    if (field.in_data()) {
      help.item(field.key, field.meaning, kFieldColumn);
    }
  }
}

// The figures of `network` under each drive in load_swr.
void add_swr_fields(Help& help, const Network& network) {
  help.verbatim(paragraph_text(
      concat({"Keys of each drive under load_swr of the ", network.title,
              " (and of rating, for the voltages and currents):"})));
  for (const SwrField& field : network.swr_fields) {
    help.item(field.name, field.meaning, kFieldColumn);
  }
}

constexpr std::string_view kPartsMeaning =
    "with --c1-range or --c2-range: an object (in CSV its columns): c1_fits "
    "and c2_fits, whether C1 and C2 (pi-L: the middle capacitor) lie within "
    "the ranges given, true or false (CSV 1 or 0), null without a range; "
    "c1_miss and c2_miss, pF outside the range, 0 when it fits";

constexpr std::pair<std::string_view, std::string_view> kLoadSwrMembers[] = {
    {"swr", "S (CSV: the column load_swr)"},
    {"matched",
     "the matched drive's figures, the keys below (CSV: matched_KEY)"},
    {"high_impedance", "the high-impedance drive's (high_impedance_KEY)"},
    {"levelled", "the levelled drive's, PIN into the tank (levelled_KEY)"},
    {"rating",
     "each voltage's and current's largest over the drives and the retuned "
     "tank (rating_KEY)"},
    {"rating_drive",
     "which gave it: matched, high_impedance, levelled or retuned "
     "(rating_drive_KEY)"},
    {"retuned",
     "with --retune: c1_min, c1_max, c2_min, c2_max, the tuned capacitors' "
     "range, pF (pi-L: the middle capacitor under c2_); unmatched, the "
     "phases of 360 no setting matches; with a range matchable, those the "
     "bench's capacitors match; and the keys below (retuned_KEY)"},
};

void add_fields(Help& help) {
  help.verbatim(
      "\nFields (JSON keys, CSV columns; \"with\" marks those an option "
      "adds):\n");
  add_network_fields(help, *networks().front());
  for (const AmplifierField& field : amplifier_fields()) {
    help.item(field.name, field.meaning, kFieldColumn);
  }
  help.item("parts", kPartsMeaning, kFieldColumn);
  help.item("warnings", "the design's warnings, as above", kFieldColumn);
  help.verbatim("\nThe object load_swr (with --swr):\n");
  for (const auto& [name, meaning] : kLoadSwrMembers) {
    help.item(name, meaning, kFieldColumn);
  }
  add_swr_fields(help, *networks().front());
  for (const Network* network : networks().subspan(1)) {
    help.verbatim(paragraph_text(
        concat({"Fields of --network ", network->name,
                " (JSON keys, CSV columns, after network, which is ",
                network->name, "):"})));
    add_network_fields(help, *network);
    add_swr_fields(help, *network);
  }
}

Help make_help() {
  Help help;
  help.verbatim(kUsage);
  help.verbatim(network_usage());
  help.paragraph(kDescription);
  help.paragraph(kInputsIntro);
  for (const InputRow& input : kInputs) {
    help.line(concat({"  ", padded(input.name, 6), padded(input.meaning, 32),
                      range_text(input.input, NAN), "\n"}));
  }
  add_options(help);
  add_warnings(help);
  add_fields(help);
  help.verbatim("\nEmission rules (--limit RULE):\n");
  for (const EmissionRule& rule : emission_rules()) {
    help.item(rule.name, rule.text, kFieldColumn);
  }
  help.verbatim("\nThe models:\n");
  for (const std::string_view model : kModels) help.paragraph(model);
  help.paragraph(kExitHelp);
  help.verbatim(paragraph_text(kManual));
  return help;
}

}  // namespace

std::string help_text() { return make_help().text(); }

std::vector<std::string> help_entries() { return make_help().entries(); }

}  // namespace merid
