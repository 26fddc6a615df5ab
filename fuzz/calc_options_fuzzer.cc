// Fuzz target: merid-calc's option list.  Each input byte picks the next
// argument: any option of the table or a network parameter, in either
// spelling, "--", "--help", "-h", "--version", one of the six typical
// numbers, or a value (short, oversized, or itself like an option); so
// options come repeated, misplaced, without values and with huge ones.
//
// Checks, against a model of the rules written here: "--help", "-h" and
// "--version" ask for the help exactly where an option may stand (before
// "--", not as an option's value), and then win; otherwise a repeated
// option is refused, naming it; a refusal is one printable line that
// echoes no more than 40 bytes of any value; a success has no repeat.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "design/arguments.h"
#include "design/network.h"
#include "fuzz/fuzz_support.h"

namespace merid::fuzz {
namespace {

// The names an argument can take: every option and parameter.
struct Spelled {
  std::string name;
  bool takes_value;
};

std::vector<Spelled> option_names() {
  std::vector<Spelled> names;
  for (const OptionHelp& option : option_help()) {
    names.push_back({std::string(option.name), !option.value.empty()});
  }
  for (const Network* network : networks()) {
    for (const NetworkParameter& p : network->parameters) {
      names.push_back({"--" + std::string(p.name), true});
    }
  }
  return names;
}

constexpr std::string_view kNumbers[] = {"7.1",  "12", "200",
                                         "2000", "50", "100"};
// Values that some option takes: a format, a network, an SWR, a
// capacitance, a file, ratings, a capacitor range and the elements of each
// network, a rule, a conduction angle, and a zero and a negative stray or
// limit; and two that look like options.
constexpr std::string_view kValues[] = {"json",
                                        "pi-l",
                                        "3",
                                        "30",
                                        "plot.svg",
                                        "tube:2500,0.4,AB",
                                        "-h",
                                        "--x",
                                        "10,250",
                                        "119.4,4.697,641.3",
                                        "100,4,700,2,0",
                                        "us",
                                        "180",
                                        "0",
                                        "-1"};

// The argument that byte `b` picks: from 0 up the option names, two bytes
// each; from 255 down the rest, so that an option added to the table moves
// none of a seed's values and numbers, only the names after it.
std::string pick(std::uint8_t b, const std::vector<Spelled>& names) {
  const std::size_t n = names.size();
  if (b < 2 * n) {
    const Spelled& s = names[b / 2];
    // The second spelling, --name=value, for an option that takes one.
    return b % 2 == 1 && s.takes_value ? s.name + "=3" : s.name;
  }
  b = static_cast<std::uint8_t>(255 - b);
  switch (b % 8) {
    case 0:
      return "--";
    case 1:
      return "--help";
    case 2:
      return "-h";
    case 3:
      return "--version";
    case 4:
      return std::string(kValues[(b / 8) % std::size(kValues)]);
    case 5:
      return std::string(200 + b, '\x01');  // oversized, with control bytes
    default:
      return std::string(kNumbers[(b / 8) % std::size(kNumbers)]);
  }
}

// What the rules say of `args`: whether they ask for the help or the
// version, and which option stands twice before any does.
struct Expected {
  bool help_or_version = false;
  std::string repeated;
};

Expected model(const std::vector<std::string>& args,
               const std::vector<Spelled>& names) {
  Expected e;
  std::vector<std::string> given;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h" || arg == "--version") {
      e.help_or_version = true;
      continue;
    }
    if (!arg.starts_with("--")) continue;
    const std::string name = arg.substr(0, arg.find('='));
    for (const Spelled& s : names) {
      if (s.name != name) continue;
      bool seen = false;
      for (const std::string& g : given) seen = seen || g == name;
      if (seen && e.repeated.empty()) e.repeated = name;
      given.push_back(name);
      // "--name value" takes the next argument as its value.
      if (s.takes_value && name.size() == arg.size()) ++i;
      break;
    }
  }
  return e;
}

bool printable_line(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

}  // namespace
}  // namespace merid::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace merid;
  using namespace merid::fuzz;
  static const std::vector<Spelled> names = option_names();
  std::vector<std::string> args;
  for (std::size_t i = 0; i < size && i < 64; ++i) {
    args.push_back(pick(data[i], names));
  }
  const std::vector<std::string_view> views(args.begin(), args.end());
  Options options;
  const Status status = parse_arguments(views, options);
  const Expected expected = model(args, names);
  require((options.help || options.version) == expected.help_or_version,
          "--help, -h and --version count exactly where an option stands");
  if (expected.help_or_version) {
    require(status.ok(), "the help and the version win");
    return 0;
  }
  if (!status.ok()) {
    require(printable_line(status.error), "a refusal is one printable line");
    require(status.error.size() < 400, "a refusal echoes little of a value");
  }
  if (!expected.repeated.empty()) {
    require(!status.ok(), "a repeated option is refused");
  }
  if (!status.ok() && status.error.ends_with(" is given twice; give it once")) {
    require(status.error.starts_with(expected.repeated),
            "the refusal names the option given twice");
  }
  return 0;
}
