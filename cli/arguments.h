#ifndef MERID_CLI_ARGUMENTS_H_
#define MERID_CLI_ARGUMENTS_H_

// The command line of merid-calc: options and the six inputs, each read by
// the keyboard's number rules and held to the dialogue's accepted range.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "calc/synthesis.h"

namespace merid {

enum class OutputFormat { kText, kJson, kCsv };

// The six inputs in the order they are typed.
enum class Input { kF, kQn, kQ0, kRin, kRout, kPin };
inline constexpr std::size_t kInputCount = 6;

// The argument's name as the usage line writes it, e.g. "QN".
std::string_view input_name(Input input);

// The accepted range, e.g. "0.1 <= F <= 150 (MHz)".  The bound of Q0 is
// 1.2 QN, so its text depends on `qn`; a not-a-number qn gives the formula
// alone.
std::string range_text(Input input, float qn);

// What the command line asks for.  `design` holds the inputs that were
// given; with `bands` the frequency is not one of them.
struct Options {
  bool help = false;
  bool version = false;
  OutputFormat format = OutputFormat::kText;
  bool bands = false;
  std::string svg_path;       // empty: no plot
  bool whole_window = false;  // the plot spans the whole sweep window
  std::string smith_path;     // empty: no Smith chart
  float swr = 0.0f;           // 0: no stresses under a mismatched load
  Design design;
};

// The options, or the one-line reason they cannot be had.
struct ParsedArguments {
  bool ok = false;
  Options options;
  std::string error;
};

// Reads the arguments that follow the program name.  --help and --version
// win over everything else on the line.
ParsedArguments parse_arguments(std::span<const std::string_view> args);

// A typed number longer than this is refused rather than cut, as the
// dialogue's 10-byte line buffer would cut it.
inline constexpr std::size_t kMaxArgumentBytes = 10;

// One input from its argument text; `qn` is the loaded Q accepted before,
// which bounds Q0.  Empty `error` when the value is accepted.
struct InputValue {
  float value = 0.0f;
  std::string error;
};
InputValue read_input(Input input, std::string_view text, float qn);

}  // namespace merid

#endif  // MERID_CLI_ARGUMENTS_H_
