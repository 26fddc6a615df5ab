#include "design/arguments.h"

#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "base/entry_reading.h"
#include "base/free_form.h"
#include "base/number_text.h"
#include "base/quoted.h"
#include "calc/mismatch.h"
#include "design/band_table.h"
#include "design/emission_rules.h"

namespace merid {
namespace {

bool starts_with(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// A network parameter's value as it was given, before the network is
// known.
struct GivenParameter {
  std::string_view name;
  float value;
};

// What the reading of the options collects besides Options.
struct Reading {
  std::vector<std::string_view> numbers;
  std::vector<GivenParameter> parameters;
  // Each number taken, the option or input it was given for and its text,
  // so that a text holding more than its number ("2 500") is warned of.
  std::vector<std::pair<std::string, std::string_view>> taken;
};

// Reads an option's value into `options`.
using ValueReader = Status (*)(std::string_view value, Options& options);

struct OptionRow {
  std::string_view name;
  std::string_view value;  // empty: a switch, which takes none
  std::string_view help;
  ValueReader read;  // for a switch, called with an empty value
};

// A switch: the option sets its member of Options.
template <bool Options::*Member>
Status set_switch(std::string_view, Options& options) {
  options.*Member = true;
  return {};
}

// The value that `name` stands for among `choices`; false when none.
template <typename Value, std::size_t N>
bool read_choice(
    std::string_view name,
    const std::array<std::pair<std::string_view, Value>, N>& choices,
    Value& value) {
  for (const auto& [word, choice] : choices) {
    if (name != word) continue;
    value = choice;
    return true;
  }
  return false;
}

Status read_format(std::string_view name, Options& options) {
  if (name.empty()) return failure("--format needs text, json or csv");
  if (!read_choice(name,
                   std::to_array<std::pair<std::string_view, OutputFormat>>(
                       {{"text", OutputFormat::kText},
                        {"json", OutputFormat::kJson},
                        {"csv", OutputFormat::kCsv}}),
                   options.format)) {
    return failure(
        concat({"--format ", echoed(name), ": choose text, json or csv"}));
  }
  return {};
}

// --lang: both the text's and the warnings' language.
Status read_language(std::string_view name, Options& options) {
  if (name.empty()) return failure("--lang needs ru or en");
  if (!read_choice(
          name,
          std::to_array<std::pair<std::string_view, Language>>(
              {{"ru", Language::kRussian}, {"en", Language::kEnglish}}),
          options.language)) {
    return failure(concat({"--lang ", echoed(name), ": choose ru or en"}));
  }
  options.warning_language = options.language;
  return {};
}

// "pi or pi-l": the networks' names for a refusal.
std::string network_choices() {
  std::string out;
  const auto all = networks();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (i > 0) out.append(i + 1 == all.size() ? " or " : ", ");
    out.append(all[i]->name);
  }
  return out;
}

Status read_network(std::string_view name, Options& options) {
  options.network = find_network(name);
  if (options.network == nullptr) {
    return failure(
        concat({"--network ", echoed(name), ": choose ", network_choices()}));
  }
  return {};
}

// An SWR typed by the keyboard's number rules, from kMinSwr to kMaxSwr.
Status read_swr(std::string_view text, Options& options) {
  RealEntry entry;
  entry.status = EntryStatus::kMalformed;
  if (text.size() <= kMaxArgumentBytes) entry = parse_real(text);
  if (entry.status != EntryStatus::kValue ||
      !(entry.value >= kMinSwr && entry.value <= kMaxSwr)) {
    return failure(concat({"--swr ", echoed(text),
                           ": give an SWR from 1 to 10, as in 2 or 1,5"}));
  }
  options.swr = entry.value;
  return {};
}

Status read_svg(std::string_view path, Options& options) {
  options.svg_path = std::string(path);
  if (path.empty()) return failure("--svg needs a file name");
  return {};
}

Status read_smith(std::string_view path, Options& options) {
  options.smith_path = std::string(path);
  if (path.empty()) return failure("--smith needs a file name");
  return {};
}

Status read_c1_range(std::string_view text, Options& options) {
  return read_capacitor_range("--c1-range", text,
                              options.amplifier.capacitors.c1);
}

Status read_c2_range(std::string_view text, Options& options) {
  return read_capacitor_range("--c2-range", text,
                              options.amplifier.capacitors.c2);
}

Status read_elements_option(std::string_view text, Options& options) {
  if (text.empty())
    return failure("--elements needs the elements, as in 120,4.7,640");
  options.elements = std::string(text);
  return {};
}

// An emission option's value into the emission options, made where the
// first such option stands.
template <const std::string_view* Name>
Status read_emission(std::string_view text, Options& options) {
  std::optional<EmissionOptions>& e = options.amplifier.emissions;
  if (!e) e.emplace();
  return read_emission_value(*Name, text, *e);
}

// "us or ...": the rules' names for a refusal.
std::string rule_choices() {
  std::string out;
  const auto all = emission_rules();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (i > 0) out.append(i + 1 == all.size() ? " or " : ", ");
    out.append(all[i].name);
  }
  return out;
}

Status read_limit(std::string_view name, Options& options) {
  if (find_emission_rule(name) == nullptr) {
    return failure(
        concat({"--limit ", echoed(name), ": choose ", rule_choices()}));
  }
  std::optional<EmissionOptions>& e = options.amplifier.emissions;
  if (!e) e.emplace();
  e->rule = std::string(name);
  return {};
}

constexpr std::string_view kConduction = "--conduction";
constexpr std::string_view kPushPull = "--push-pull";
constexpr std::string_view kRp = "--rp";
constexpr std::string_view kCoilC = "--coil-c";
constexpr std::string_view kC1Lead = "--c1-lead";
constexpr std::string_view kC2Lead = "--c2-lead";
constexpr std::string_view kLimitDbc = "--limit-dbc";
constexpr std::string_view kMargin = "--margin";

Status read_cmin_option(std::string_view text, Options& options) {
  return read_cmin(text, options.amplifier);
}

Status read_rin_from_option(std::string_view text, Options& options) {
  return read_rin_from(text, options.amplifier);
}

constexpr OptionRow kOptions[] = {
    {"--format", "text|json|csv",
     "text, the default: the dialogue's results screen in UTF-8 with its CR "
     "LF line ends (the six inputs and the 22 results), then the peak values "
     "that component ratings need: the peak voltage across C1, C2 and L and "
     "the peak current in each, sqrt(2) times the RMS values, and KU and KI "
     "at 3F, 4F and 5F (the screen has them at 2F), from the same two drives "
     "in the same single-precision arithmetic as the screen's.  json: one "
     "JSON object of the fields listed below.  csv: a header line of the "
     "field names and one line of values.  JSON and CSV write each number as "
     "the shortest text that reads back to the same single-precision value; "
     "a value that is not finite is null in JSON and inf or nan in CSV.  "
     "Their lines end in LF.",
     read_format},
    {"--lang", "ru|en",
     "the language of the text output, of the plots' words and of the "
     "warnings on standard error: ru, the default, or en.  Without --lang the "
     "text and the plots are Russian and the warnings English, as they have "
     "always been; --lang ru makes the warnings Russian too.  JSON and CSV "
     "are the same in either: their keys, values and warning texts stay "
     "English.",
     read_language},
    {"--bands", "",
     "the design repeated at the lower edge, the centre and the upper edge of "
     "every amateur band below, with QN, Q0, RIN, ROUT and PIN fixed; each "
     "row is a calculation of its own.  As text, a table of F, C1, C2, L, "
     "the peak voltage across C1 and the peak current in L: the C1, C2 and L "
     "columns give the range a band's tuning must cover.  As JSON an array "
     "of one object per row, as CSV one line per row; each row has band, "
     "edge (low, centre or high) and infeasible before the fields below, and "
     "a row that cannot be built is marked, not left out.  With --swr only "
     "as json or csv, each row with its load_swr.  The bands, MHz:",
     set_switch<&Options::bands>},
    {"--swr", "S",
     "also the figures under a mismatched load, 1 <= S <= 10 (typed like "
     "the inputs): the designed tank at F with its load replaced by every "
     "impedance of SWR S against ROUT (reflection (S-1)/(S+1) at 360 evenly "
     "spaced phases, S*ROUT and ROUT/S exact among them, each extreme then "
     "refined between its neighbouring phases), for each of three drives: "
     "the matched one (a source of RIN with the open-circuit voltage 2 "
     "sqrt(RIN PIN), which puts PIN into a matched tank), the high-impedance "
     "one (11 RIN and 11 sqrt(RIN PIN): into a matched tank 11/12 of the "
     "matched one's input voltage, about 84 % of PIN), and the levelled one, "
     "which puts PIN into the tank at every load, as a levelled amplifier or "
     "one tuned up for full output does.  For each, the largest RMS and peak "
     "voltage across and current in every element, the largest power into "
     "the load and lost in the coils, and the limits of the input "
     "resistance, reactance and |S11| the amplifier sees.  Then, for every "
     "voltage and current, the largest over the drives (and with --retune "
     "the retuned tank) and which gave it: the figure to rate the part by.  "
     "Each load is analysed in the screen's single-precision arithmetic, so "
     "S = 1 gives the screen's currents and coil voltage to the bit under "
     "the matched drive.  As text a block per drive under the peaks and the "
     "rating block; as JSON the object load_swr (swr, then matched, "
     "high_impedance and levelled, each with the keys below, rating with "
     "the voltages' and currents' largest and rating_drive with the drive "
     "that gave each, or retuned); as CSV the columns load_swr, "
     "matched_KEY, high_impedance_KEY, levelled_KEY, rating_KEY and "
     "rating_drive_KEY.",
     read_swr},
    {"--retune", "",
     "with --swr: also the tank retuned into every load of the circle, as an "
     "operator retunes into an antenna: the coils fixed, C1 and C2 (pi-L: C1 "
     "and the middle capacitor) set so that the amplifier sees RIN again, "
     "and PIN put in.  A pi section has a closed form: C2 from the quadratic "
     "that makes the real part of the admittance seen through the coil (its "
     "loss X/Q0 in series) 1/RIN, then C1 takes away the imaginary part; of "
     "two settings the one whose C2 lies nearer the design's, which "
     "retuning from it reaches.  The pi-L network's pi section is retuned "
     "the same way, its middle node seeing L2 and the load, with COUT "
     "across it, as its load.  A load that no setting of positive "
     "capacitors matches (the quadratic has no real root, or a root asks "
     "for a negative capacitor: the coil too large or too small for it) is "
     "counted as unmatched.  Reports each tuned capacitor's range, the "
     "unmatched phases of the 360, and the largest stresses at the settings "
     "that match; the settings in double precision, the stresses in single.  "
     "JSON: load_swr.retuned with c1_min, c1_max, c2_min, c2_max (pF; pi-L: "
     "the middle capacitor under the c2_ keys), unmatched and the keys of "
     "the drives, with a bench range also matchable (the phases whose "
     "setting lies within the ranges given); CSV: retuned_KEY.  With "
     "--smith the chart shows the circle of loads and the arc that no "
     "setting matches.",
     set_switch<&Options::retune>},
    {"--c1-range", "MIN,MAX",
     "the variable capacitor at C1 as the bench has it, pF, 0 <= MIN <= MAX "
     "<= 100000 (MIN with the tube's output capacitance and the strays "
     "across it; the numbers take a decimal point): says whether the "
     "design's C1 lies within it and by how many pF it misses.  As text a "
     "block under the results, with --bands a column of the miss (0: it "
     "fits); as JSON the object parts with c1_fits and c2_fits (true or "
     "false, null without a range), c1_miss and c2_miss (pF outside the "
     "range, 0 when it fits), per row with --bands; as CSV the same columns, "
     "fits 1 or 0.  With --swr --retune also load_swr.retuned.matchable.",
     read_c1_range},
    {"--c2-range", "MIN,MAX",
     "the same for C2 (pi-L: the middle capacitor, which tunes with C1).",
     read_c2_range},
    {"--elements", "C1,L,C2",
     "analyse the network of these elements instead of synthesising one, "
     "as a tank already built is checked: C1 and C2 in pF, L in uH (pi-L: "
     "C1,L1,CMID,L2,COUT, COUT 0 for none; CL then stands at the middle "
     "node), each above 0 and at most 1000000 pF or 100000 uH, with a "
     "decimal point.  The numbers are then F Q0 RIN ROUT PIN, without QN "
     "(with --bands Q0 RIN ROUT PIN, the elements kept at every band "
     "frequency: a fixed tank off its design frequency).  The tank is "
     "driven so that it takes PIN (the levelled drive: a given tank need "
     "not show RIN); every result of a design follows, the elements echoed "
     "under their keys, and besides what the amplifier sees at F: the input "
     "resistance and reactance and the SWR against RIN (JSON and CSV: "
     "elements (given), zin_r, zin_x, swr_in).  QN is the tank's own "
     "loaded Q, the reactive power in L over PIN (pi-L: in L1), and sets "
     "the sweep window; the pi-L network's RMID is the resistance its "
     "middle node sees through L2, CL what L2 and the load add there, C2' "
     "the rest of CMID.  Not with --fixed-coil, --cmin or a network "
     "parameter, which a built tank has no use for.",
     read_elements_option},
    {"--svg", "FILE",
     "also write FILE, an SVG plot against frequency: the voltage response "
     "(output voltage from a source of RIN, in dB relative to its value at "
     "F) and the current response (from a source of 11 RIN, in dB relative "
     "to its peak), on the left scale, and |S11| at the input on the right "
     "scale; the -1 dB and 0.1 lines, the working frequency, the three bands "
     "that the bandwidths measure (each a bar under the plot and its edges "
     "in its own dash), and KU and KI from 2F to 5F.  The axis spans the "
     "three bands and as much again on each side.  A plot is written whole "
     "or not at all (an old FILE stays as it was on failure), keeping an old "
     "FILE's mode and owner; other hard links of an old FILE keep the old "
     "plot, and a note on standard error says so.  Refused (status 2, "
     "before anything is written): a FIFO or a device, a loop of links, a "
     "file the user may not write, the file behind standard output or "
     "error, and --svg and --smith naming one file.",
     read_svg},
    {"--whole-window", "",
     "the plot spans the whole sweep window, 0 to 1.3 F (1.9 F for QN up to "
     "4.01).",
     set_switch<&Options::whole_window>},
    {"--smith", "FILE",
     "also write FILE, an SVG Smith chart of the input impedance over the "
     "sweep window normalised to RIN, with F, the edges of both -1 dB bands "
     "and the circle |S11| = 0.1 marked.",
     read_smith},
    {"--cmin", "PF",
     "the smallest C1 the amplifier side can have: the tube's or "
     "transistor's output capacitance, strays and the tuning capacitor's "
     "minimum, in pF, 0 <= PF <= 100000.  Adds Cmin, the margin C1 - Cmin "
     "and the lowest loaded Q (in steps of 0.001, within the accepted range, "
     "found by bisection on the synthesis: C1 grows with the loaded Q) at "
     "which C1 >= Cmin, or says that none exists.  With --bands, per row, as "
     "a last column Qn(Cmin).",
     read_cmin_option},
    {"--fixed-coil", "",
     "with --bands: a tapped coil keeps one inductance per band.  L is that "
     "of the design at the band's upper edge with QN; at the lower edge and "
     "the centre that L is kept and the loaded Q at which the synthesis "
     "gives it is found by bisection, so that the network still matches "
     "RIN.  Each row shows C1, C2 (the range of each capacitor on the band "
     "with that tap), the coil, the row's loaded Q and KU, and the peak "
     "stresses; a row no accepted loaded Q can match says so.",
     [](std::string_view, Options& o) -> Status {
       o.amplifier.fixed_coil = true;
       return {};
     }},
    {"--rin-from", "tube:EA,IA,CLASS",
     "RIN estimated from the anode supply EA (V, 0 < EA <= 100000), the "
     "anode current IA (A, 0 < IA <= 1000) and the class A, AB, B or C: RIN "
     "= EA / (k IA) with k 1.111, 1.468, 1.745 or 1.993, from the class's "
     "conduction angle (the models below).  The numbers take a decimal "
     "point.",
     read_rin_from_option},
    {"--rin-from", "transistor:VCC,VSAT,P",
     "RIN estimated from the supply VCC (V, 0 < VCC <= 10000), the "
     "saturation voltage VSAT (V, 0 <= VSAT < VCC) and the output power P "
     "(W, 0 < P <= 100000): RIN = (VCC - VSAT)^2 / (2 P).  The estimate, "
     "which must lie in RIN's range, is used as RIN and the RIN argument is "
     "left out; the text output shows it with its rule.",
     read_rin_from_option},
    {kConduction, "DEG",
     "the harmonics at the load, in dB below the carrier (dBc) and in W "
     "and dBm at PIN: the device's output current taken as cosine pulses of "
     "the full conduction angle DEG (120 <= DEG <= 360; by default that of "
     "--rin-from's tube class, A 360, AB 240, B 180, C 120, and without it "
     "AB's 240), whose harmonics 2 to 5 over the fundamental are their "
     "Fourier coefficients; the tank driven at each nF by that current "
     "(behind --rp, ideal by default) with the strays below, the load "
     "voltage at nF against that at F.  This is the current-drive transfer, "
     "not KU's or KI's ratio: KU and KI stay as they are.  Capacitors "
     "lossless, the coils' loss X/Q0, the strays as given.  Any of the "
     "options of this group asks for the block; as JSON the object "
     "emissions (conduction, rule, harmonics: one object per n with n, f "
     "MHz, dbc, watts, dbm, limit_dbc, margin and pass; carrier_watts, "
     "coil_srf MHz, worst_margin, and with a limit qn_for_limit or "
     "rmid_for_limit and shortfall); as CSV its members as columns "
     "emissions_KEY and hN_KEY; with --bands per row.",
     read_emission<&kConduction>},
    {kPushPull, "DB",
     "a push-pull stage: its even harmonics lowered by DB, how far its "
     "halves balance (0 <= DB <= 100; 20 to 30 dB is usual).",
     read_emission<&kPushPull>},
    {kRp, "OHM",
     "the device's output resistance across the current source (0.1 <= OHM "
     "<= 100000000); none by default, an ideal source.  With OHM = 11 RIN "
     "the transfer is KI's, whose source is 11 RIN.",
     read_emission<&kRp>},
    {kCoilC, "PF",
     "the self-capacitance of the coil (each coil of the pi-L), across it, "
     "0 <= PF <= 10000: reports the coils' self-resonance and warns where a "
     "harmonic up to 5F lies at or above it.",
     read_emission<&kCoilC>},
    {kC1Lead, "NH",
     "the inductance of C1's leads and strap, in series with it, 0 <= NH <= "
     "10000.",
     read_emission<&kC1Lead>},
    {kC2Lead, "NH",
     "the same of C2 (pi-L: of the middle and the output capacitor).",
     read_emission<&kC2Lead>},
    {"--limit", "RULE",
     "each harmonic against RULE, chosen by the frequency F the station "
     "transmits on and the carrier power (the rules below): the margin to "
     "the limit and pass or fail per harmonic, and the smallest loaded Q "
     "(pi, on the grid of 0.001, by bisection over the synthesis; the "
     "suppression grows with the loaded Q) or the RMID at the given loaded "
     "Q (pi-L, strictly between RIN and ROUT, the design's own or the one "
     "nearest it, to three digits) that meets the limit by --margin, or, "
     "where none does, the shortfall in dB: a low-pass filter is needed.",
     read_limit},
    {kLimitDbc, "X",
     "a limit of one's own instead: every harmonic at least X dB below the "
     "carrier (0 < X <= 200).",
     read_emission<&kLimitDbc>},
    {kMargin, "DB",
     "how far below the limit the search holds the worst harmonic, 0 <= DB "
     "<= 60; 6 by default.",
     read_emission<&kMargin>},
    {"--network", "NAME",
     "the network to design, one of those below; the default is the first.",
     read_network},
};

const OptionRow* find_option(std::string_view name) {
  for (const OptionRow& row : kOptions) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

// A network parameter and the first network that has it.
struct OwnedParameter {
  const Network* network = nullptr;
  const NetworkParameter* parameter = nullptr;
};

// The network parameter named `name` (an option without its dashes) of
// any network; none found, both null.
OwnedParameter find_parameter(std::string_view name) {
  for (const Network* network : networks()) {
    for (const NetworkParameter& p : network->parameters) {
      if (p.name == name) return {network, &p};
    }
  }
  return {};
}

// A network parameter typed by the keyboard's number rules, in the range
// of the input it is accepted as.
Status read_parameter(const NetworkParameter& p, std::string_view text,
                      Reading& reading) {
  float value = 0.0f;
  const Status read = read_input(p.accepted_as, text, NAN, value);
  if (!read.ok()) {
    return failure(concat({"--", p.name, " takes ", input_name(p.accepted_as),
                           "'s range: ", read.error}));
  }
  reading.parameters.push_back({p.name, value});
  return {};
}

// The network parameter that the option `name`, with or without its
// dashes, sets; none for any other.
const NetworkParameter* parameter_of(std::string_view name) {
  return find_parameter(name.substr(name.starts_with("--") ? 2 : 0)).parameter;
}

// The value of the option of `row`, or else of the network parameter
// `parameter`, read into `options` and `reading`.
Status read_value(const OptionRow* row, const NetworkParameter* parameter,
                  std::string_view value, Options& options, Reading& reading) {
  return row != nullptr ? row->read(value, options)
                        : read_parameter(*parameter, value, reading);
}

// Walks the arguments in order.  Before "--", "--help", "-h" and
// "--version" ask for the help or the version, an option is read with its
// value, and whatever else stands there is one of the numbers; from "--"
// on every argument is a number, and an option's value is its value
// whatever it looks like.  After a refusal the walk goes on, so that a
// request for the help or the version anywhere still wins.
class OptionReader {
 public:
  explicit OptionReader(std::span<const std::string_view> args) : args_(args) {}

  // The first refusal, or success.
  Status read(Options& options, Reading& reading) {
    Status first;
    bool options_ended = false;
    while (pos_ < args_.size()) {
      const std::string_view arg = args_[pos_++];
      if (options_ended) {
        reading.numbers.push_back(arg);
      } else if (arg == "--") {
        options_ended = true;
      } else if (arg == "--help" || arg == "-h") {
        options.help = true;
      } else if (arg == "--version") {
        options.version = true;
      } else if (!starts_with(arg, "--")) {
        reading.numbers.push_back(arg);
      } else {
        Status status = read_option(arg, options, reading);
        if (first.ok()) first = std::move(status);
      }
    }
    return first;
  }

 private:
  Status read_option(std::string_view arg, Options& options, Reading& reading) {
    const std::string_view name = arg.substr(0, arg.find('='));
    const OptionRow* row = find_option(name);
    const NetworkParameter* parameter =
        row == nullptr ? parameter_of(name) : nullptr;
    if (row == nullptr && parameter == nullptr) {
      return failure(
          concat({"unknown option ", echoed(arg), "; see merid-calc --help"}));
    }
    const bool switch_only = row != nullptr && row->value.empty();
    // The value is taken even when the option is refused, so that it is
    // not read as a number.
    const std::string_view value = switch_only ? "" : value_of(arg, name);
    if (given_before(name)) {
      return failure(concat({name, " is given twice; give it once"}));
    }
    if (switch_only && name.size() < arg.size()) {
      return failure(concat({name, " takes no value; see merid-calc --help"}));
    }
    Status read = read_value(row, parameter, value, options, reading);
    if (read.ok() && number_option_bounds(name)) {
      reading.taken.emplace_back(name, value);
    }
    return read;
  }

  // Whether the option `name` came before; notes it when not.
  bool given_before(std::string_view name) {
    for (const std::string_view seen : given_) {
      if (seen == name) return true;
    }
    given_.push_back(name);
    return false;
  }

  // The value of "--name=value", or of "--name value" from the next
  // argument; empty when there is none.
  std::string_view value_of(std::string_view arg, std::string_view name) {
    if (arg.size() > name.size()) return arg.substr(name.size() + 1);
    if (pos_ < args_.size()) return args_[pos_++];
    return {};
  }

  std::span<const std::string_view> args_;
  std::size_t pos_ = 0;
  std::vector<std::string_view> given_;
};

Status count_error(std::size_t given, bool bands, bool rin_from,
                   bool elements) {
  std::string usage;
  if (elements) {
    const std::string_view rin = rin_from ? "" : " RIN";
    usage =
        bands ? concat({"--bands with --elements takes ",
                        rin_from ? "three" : "four", " numbers, Q0", rin,
                        " ROUT PIN"})
              : concat({"with --elements expected ", rin_from ? "four" : "five",
                        " numbers, F Q0", rin, " ROUT PIN"});
  } else if (rin_from) {
    usage = bands ? "--bands with --rin-from takes four numbers, QN Q0 ROUT "
                    "PIN (--rin-from gives RIN)"
                  : "with --rin-from expected five numbers, F QN Q0 ROUT PIN "
                    "(--rin-from gives RIN)";
  } else {
    usage = bands ? "--bands takes five numbers, QN Q0 RIN ROUT PIN (the "
                    "band table gives the frequencies)"
                  : "expected six numbers, F QN Q0 RIN ROUT PIN";
  }
  return failure(concat(
      {usage, ", got ", std::to_string(given), "; see merid-calc --help"}));
}

// Puts each given parameter in its place among the network's; a failure
// when one belongs to another network.
Status place_parameters(const Reading& reading, Options& options) {
  const std::span<const NetworkParameter> own = options.network->parameters;
  for (const GivenParameter& given : reading.parameters) {
    std::size_t i = 0;
    while (i < own.size() && own[i].name != given.name) ++i;
    if (i == own.size()) {
      const OwnedParameter other = find_parameter(given.name);
      return failure(concat({"--", given.name, " sets the ",
                             other.network->title, "'s ", other.parameter->what,
                             "; add --network ", other.network->name}));
    }
    options.inputs.parameters[i] = given.value;
  }
  return {};
}

// "C1,L,C2 (pF, uH, pF)": a network's elements as --elements takes them.
std::string element_form(const Network& network) {
  std::string names;
  std::string units;
  for (const ElementRow& e : network.elements) {
    names += concat({names.empty() ? "" : ",", e.name});
    units += concat({units.empty() ? "" : ", ", e.unit});
  }
  return concat({names, " (", units, ")"});
}

// The elements of --elements for the network chosen, each in its range.
Status read_elements(Options& options) {
  const Network& network = *options.network;
  const std::string_view text = options.elements;
  const std::string prefix = concat({"--elements ", echoed(text), ": "});
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (parts.size() != network.elements.size()) {
    return failure(concat({prefix, "the ", network.title, " takes ",
                           std::to_string(network.elements.size()),
                           " elements, ", element_form(network), ", got ",
                           std::to_string(parts.size())}));
  }
  GivenElements values{};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const ElementRow& e = network.elements[i];
    const std::string range =
        concat({e.may_be_zero ? "0 <= " : "0 < ", e.name, " <= ", plain(e.high),
                " (", e.unit, ")"});
    const Status read = read_number(
        e.name, parts[i], range,
        [&e](float x) {
          return !(e.may_be_zero ? x >= 0.0f : x > 0.0f) || !(x <= e.high);
        },
        values[i]);
    if (!read.ok()) return failure(prefix + read.error);
  }
  options.inputs.elements = values;
  return {};
}

// What the options cannot do together.
Status conflict(const Options& options) {
  if (options.bands && !options.svg_path.empty()) {
    return failure("--svg plots one design and takes no --bands");
  }
  if (options.bands && !options.smith_path.empty()) {
    return failure("--smith charts one design and takes no --bands");
  }
  if (options.bands && options.swr >= kMinSwr &&
      options.format == OutputFormat::kText) {
    return failure(
        "--swr with --bands adds columns to --format json or csv only");
  }
  if (options.whole_window && options.svg_path.empty()) {
    return failure("--whole-window sets the span of the --svg plot; add --svg");
  }
  if (!options.elements.empty()) {
    if (options.amplifier.fixed_coil) {
      return failure(
          "--fixed-coil keeps a coil for a design; --elements gives every "
          "element");
    }
    if (options.amplifier.cmin) {
      return failure(
          "--cmin finds a loaded Q for a design; --elements gives C1");
    }
  }
  if (const std::optional<EmissionOptions>& e = options.amplifier.emissions) {
    if (!e->rule.empty() && e->limit_db) {
      return failure("--limit and --limit-dbc are two limits; give one");
    }
    if (e->margin && !e->limited()) {
      return failure(
          "--margin is how far below a limit; add --limit or --limit-dbc");
    }
  }
  if (options.retune && options.swr < kMinSwr) {
    return failure(
        "--retune retunes the tank into the loads of --swr; add --swr");
  }
  if (options.amplifier.fixed_coil && !options.bands) {
    return failure(
        "--fixed-coil keeps one coil across each band and needs --bands");
  }
  return {};
}

}  // namespace

std::vector<OptionHelp> option_help() {
  std::vector<OptionHelp> out;
  for (const OptionRow& row : kOptions) {
    out.push_back({row.name, row.value, row.help});
  }
  return out;
}

std::optional<SwrRequest> swr_request(const Options& options) {
  if (options.swr < kMinSwr) return std::nullopt;
  return SwrRequest{options.swr, options.retune, options.amplifier.capacitors};
}

std::optional<ValueBounds> number_option_bounds(std::string_view name) {
  if (name == "--swr") return ValueBounds{kMinSwr, true, kMaxSwr};
  if (const NetworkParameter* p = parameter_of(name)) {
    const InputRange& r = input_row(p->accepted_as).range;
    return ValueBounds{r.low, r.low_inclusive, r.high};
  }
  return option_bounds(name);
}

Status check_option(std::string_view name, std::string_view value) {
  Options options;
  options.network = networks().front();
  Reading reading;
  const OptionRow* row = find_option(name);
  const NetworkParameter* parameter =
      row == nullptr ? parameter_of(name) : nullptr;
  if (row == nullptr && parameter == nullptr) {
    return failure(concat({"unknown option ", echoed(name)}));
  }
  return read_value(row, parameter, value, options, reading);
}

Status parse_arguments(std::span<const std::string_view> args,
                       Options& options) {
  options = Options{};
  options.network = networks().front();
  Reading reading;
  Status status = OptionReader(args).read(options, reading);
  if (options.help || options.version) return {};
  if (!status.ok()) return status;
  const std::optional<RinEstimate>& estimate = options.amplifier.rin_from;
  const bool elements = !options.elements.empty();
  const std::size_t first = options.bands ? 1 : 0;
  const std::size_t given =
      kInputCount - first - (estimate ? 1 : 0) - (elements ? 1 : 0);
  if (reading.numbers.size() != given) {
    return count_error(reading.numbers.size(), options.bands,
                       estimate.has_value(), elements);
  }
  status = place_parameters(reading, options);
  if (status.ok() && elements && !reading.parameters.empty()) {
    const std::string_view name = reading.parameters.front().name;
    status = failure(concat({"--", name, " sets a design's ",
                             find_parameter(name).parameter->what,
                             "; --elements gives every element"}));
  }
  if (status.ok()) status = conflict(options);
  if (status.ok() && elements) status = read_elements(options);
  if (!status.ok()) return status;

  std::size_t next = 0;
  for (std::size_t i = first; i < kInputCount; ++i) {
    const InputRow& row = kInputs[i];
    if (row.input == Input::kRin && estimate) {
      options.inputs.rin = static_cast<float>(estimate->resistance);
      continue;
    }
    if (row.input == Input::kQn && elements) {
      // A built tank has the loaded Q it has; Q0 is held above 1.2.
      options.inputs.qn = NAN;
      continue;
    }
    const float qn = elements ? 1.0f : options.inputs.qn;
    const std::string_view text = reading.numbers[next++];
    status = read_input(row.input, text, qn, options.inputs.*row.member);
    if (!status.ok()) return status;
    reading.taken.emplace_back(concat({input_name(row.input), " ="}), text);
  }
  for (const auto& [what, text] : reading.taken) {
    const std::string why = entry_problem_text(text, options.warning_language);
    if (!why.empty()) {
      options.misread.push_back(concat({what, " ", echoed(text), ": ", why}));
    }
  }
  return {};
}

}  // namespace merid
