#ifndef MERID_DESIGN_ARGUMENTS_H_
#define MERID_DESIGN_ARGUMENTS_H_

// The request of merid-calc and the page: merid-calc's options, described
// once in a table that the parser, the help and the page share, and the six
// inputs, each read by the keyboard's number rules and held to the
// dialogue's accepted range.  The page puts its request in the same words.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/amplifier_options.h"
#include "base/free_form.h"
#include "base/inputs.h"
#include "base/status.h"
#include "design/load_swr.h"
#include "design/network.h"
#include "text/language.h"

namespace merid {

enum class OutputFormat { kText, kJson, kCsv };

// What the command line asks for.  `inputs` holds the inputs that were
// given; with `bands` the frequency is not one of them, with --elements
// the loaded Q (NaN) is not, and inputs.elements holds the elements.
struct Options {
  bool help = false;
  bool version = false;
  OutputFormat format = OutputFormat::kText;
  // --lang: the words of the text output and the plots, and of the
  // warnings on standard error, which without --lang stay English.
  Language language = Language::kRussian;
  Language warning_language = Language::kEnglish;
  // The inputs and one-number options whose text holds more than the
  // number the keyboard's rules read of it ("2 500" as one argument reads
  // 2), each said for a warning in warning_language: "RIN = \"2 500\": a
  // space ends ...", "--cmin \"5 0\": ...".
  std::vector<std::string> misread;
  bool bands = false;
  std::string svg_path;              // empty: no plot
  bool whole_window = false;         // the plot spans the whole sweep window
  std::string smith_path;            // empty: no Smith chart
  float swr = 0.0f;                  // 0: no stresses under a mismatched load
  bool retune = false;               // with swr: the tank retuned as well
  std::string elements;              // --elements as given, empty: none
  const Network* network = nullptr;  // the default: the first of networks()
  AmplifierOptions amplifier;
  TankInputs inputs;  // with amplifier.rin_from, rin is the estimate
};

// What --swr asks for, with --retune and the bench's capacitors; none
// without --swr.
std::optional<SwrRequest> swr_request(const Options& options);

// Reads the arguments that follow the program name into `options`, or says
// in one line why they cannot be had.  --help and --version win over
// everything else on the line.
Status parse_arguments(std::span<const std::string_view> args,
                       Options& options);

// One option of the table: its name with its dashes, the name of its value
// (empty for a switch), and what it does for --help, one paragraph that
// the help wraps.
struct OptionHelp {
  std::string_view name;
  std::string_view value;
  std::string_view help;
};

// The options in the help's order, the networks' parameters among them.
std::vector<OptionHelp> option_help();

// Reads one option's value (`name` with its dashes; a switch's value
// empty) as merid-calc reads it on its own, without the rest of a
// request: its refusal in merid-calc's words, or success.  An unknown
// option is refused.
Status check_option(std::string_view name, std::string_view value);

// The range of an option whose value is one number (`name` with its
// dashes): --swr, a network's parameter (its input's range), --cmin and the
// emission options; none for any other option.
std::optional<ValueBounds> number_option_bounds(std::string_view name);

// A typed number longer than the dialogue's line buffer is refused rather
// than cut, as that buffer would cut it.
inline constexpr std::size_t kMaxArgumentBytes = kRealBufferSize;

}  // namespace merid

#endif  // MERID_DESIGN_ARGUMENTS_H_
