#include "cli/arguments.h"

#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "base/free_form.h"
#include "base/number_text.h"
#include "base/quoted.h"
#include "calc/mismatch.h"

namespace merid {
namespace {

// How much of a refused argument a report echoes: enough to recognise it,
// short enough that a pasted page stays one readable line.
constexpr std::size_t kEchoBytes = 40;

std::string echoed(std::string_view arg) { return quoted(arg, kEchoBytes); }

InputValue refusal(Input input, std::string_view text, std::string_view why,
                   float qn) {
  std::string error(input_name(input));
  error.append(" = ");
  error.append(echoed(text));
  error.append(why);
  error.append(range_text(input, qn));
  return InputValue{0.0f, std::move(error)};
}

ParsedArguments failed(std::string error) {
  ParsedArguments parsed;
  parsed.error = std::move(error);
  return parsed;
}

bool starts_with(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
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

bool read_format(std::string_view name, OutputFormat& format) {
  return read_choice(name,
                     std::to_array<std::pair<std::string_view, OutputFormat>>(
                         {{"text", OutputFormat::kText},
                          {"json", OutputFormat::kJson},
                          {"csv", OutputFormat::kCsv}}),
                     format);
}

bool read_network(std::string_view name, Network& network) {
  return read_choice(name,
                     std::to_array<std::pair<std::string_view, Network>>(
                         {{"pi", Network::kPi}, {"pi-l", Network::kPiL}}),
                     network);
}

// An SWR typed by the keyboard's number rules, from kMinSwr to kMaxSwr.
bool read_swr(std::string_view text, float& swr) {
  if (text.size() > kMaxArgumentBytes) return false;
  const RealEntry entry = parse_real(text);
  if (entry.status != EntryStatus::kValue) return false;
  if (!(entry.value >= kMinSwr && entry.value <= kMaxSwr)) return false;
  swr = entry.value;
  return true;
}

// RMID typed by the keyboard's number rules, in ROUT's range: refused as
// ROUT would be, with the reason.
std::string read_rmid(std::string_view text, float& rmid) {
  const InputValue value = read_input(Input::kRout, text, NAN);
  if (!value.error.empty()) {
    return concat({"--rmid takes ROUT's range: ", value.error});
  }
  rmid = value.value;
  return {};
}

// What the pi-L network does not offer yet, or empty.
std::string_view pi_l_refusal(const Options& options) {
  if (options.swr >= kMinSwr) return "--swr";
  return {};
}

// Walks the options; whatever is not an option is one of the numbers.
class OptionReader {
 public:
  explicit OptionReader(std::span<const std::string_view> args) : args_(args) {}

  // Empty on success.
  std::string read(Options& options, std::vector<std::string_view>& numbers) {
    bool options_ended = false;
    while (pos_ < args_.size()) {
      const std::string_view arg = args_[pos_++];
      if (options_ended || !starts_with(arg, "--")) {
        numbers.push_back(arg);
      } else if (arg == "--") {
        options_ended = true;
      } else if (arg == "--bands") {
        options.bands = true;
      } else if (arg == "--format" || starts_with(arg, "--format=")) {
        const std::string_view name = value_of(arg, "--format");
        if (name.empty()) return "--format needs text, json or csv";
        if (!read_format(name, options.format)) {
          return concat(
              {"--format ", echoed(name), ": choose text, json or csv"});
        }
      } else if (arg == "--network" || starts_with(arg, "--network=")) {
        const std::string_view name = value_of(arg, "--network");
        if (!read_network(name, options.network)) {
          return concat({"--network ", echoed(name), ": choose pi or pi-l"});
        }
      } else if (arg == "--rmid" || starts_with(arg, "--rmid=")) {
        std::string error = read_rmid(value_of(arg, "--rmid"), options.rmid);
        if (!error.empty()) return error;
      } else if (arg == "--fixed-coil") {
        options.amplifier.fixed_coil = true;
      } else if (arg == "--cmin" || starts_with(arg, "--cmin=")) {
        std::string error =
            read_cmin(value_of(arg, "--cmin"), options.amplifier);
        if (!error.empty()) return error;
      } else if (arg == "--rin-from" || starts_with(arg, "--rin-from=")) {
        std::string error =
            read_rin_from(value_of(arg, "--rin-from"), options.amplifier);
        if (!error.empty()) return error;
      } else if (arg == "--svg" || starts_with(arg, "--svg=")) {
        options.svg_path = std::string(value_of(arg, "--svg"));
        if (options.svg_path.empty()) return "--svg needs a file name";
      } else if (arg == "--whole-window") {
        options.whole_window = true;
      } else if (arg == "--smith" || starts_with(arg, "--smith=")) {
        options.smith_path = std::string(value_of(arg, "--smith"));
        if (options.smith_path.empty()) return "--smith needs a file name";
      } else if (arg == "--swr" || starts_with(arg, "--swr=")) {
        const std::string_view text = value_of(arg, "--swr");
        if (!read_swr(text, options.swr)) {
          return concat({"--swr ", quoted(text),
                         ": give an SWR from 1 to 10, as in 2 or 1,5"});
        }
      } else {
        return concat(
            {"unknown option ", echoed(arg), "; see merid-calc --help"});
      }
    }
    return {};
  }

 private:
  // The value of "--name=value", or of "--name value" from the next
  // argument; empty when there is none.
  std::string_view value_of(std::string_view arg, std::string_view name) {
    if (arg.size() > name.size()) return arg.substr(name.size() + 1);
    if (pos_ < args_.size()) return args_[pos_++];
    return {};
  }

  std::span<const std::string_view> args_;
  std::size_t pos_ = 0;
};

std::string count_error(std::size_t given, bool bands, bool rin_from) {
  std::string usage;
  if (rin_from) {
    usage = bands ? "--bands with --rin-from takes four numbers, QN Q0 ROUT "
                    "PIN (--rin-from gives RIN)"
                  : "with --rin-from expected five numbers, F QN Q0 ROUT PIN "
                    "(--rin-from gives RIN)";
  } else {
    usage = bands ? "--bands takes five numbers, QN Q0 RIN ROUT PIN (the "
                    "band table gives the frequencies)"
                  : "expected six numbers, F QN Q0 RIN ROUT PIN";
  }
  return concat(
      {usage, ", got ", std::to_string(given), "; see merid-calc --help"});
}

}  // namespace

InputValue read_input(Input input, std::string_view text, float qn) {
  if (text.size() > kMaxArgumentBytes) {
    return refusal(input, text,
                   " is longer than 10 characters; accepted range ", qn);
  }
  const RealEntry entry = parse_real(text);
  if (entry.status != EntryStatus::kValue) {
    return refusal(input, text, " is not a number; accepted range ", qn);
  }
  if (refused(input, entry.value, qn)) {
    return refusal(input, text, " is outside the accepted range ", qn);
  }
  return InputValue{entry.value, {}};
}

ParsedArguments parse_arguments(std::span<const std::string_view> args) {
  ParsedArguments parsed;
  for (const std::string_view arg : args) {
    if (arg == "--help" || arg == "-h") parsed.options.help = true;
    if (arg == "--version") parsed.options.version = true;
  }
  if (parsed.options.help || parsed.options.version) {
    parsed.ok = true;
    return parsed;
  }

  Options& options = parsed.options;
  std::vector<std::string_view> numbers;
  std::string error = OptionReader(args).read(options, numbers);
  if (!error.empty()) return failed(std::move(error));
  const std::optional<RinEstimate>& estimate = options.amplifier.rin_from;
  const std::size_t first = options.bands ? 1 : 0;
  const std::size_t given = kInputCount - first - (estimate ? 1 : 0);
  if (numbers.size() != given) {
    return failed(
        count_error(numbers.size(), options.bands, estimate.has_value()));
  }
  if (options.network == Network::kPiL) {
    const std::string_view refused_option = pi_l_refusal(options);
    if (!refused_option.empty()) {
      return failed(
          concat({refused_option, " is not offered with --network pi-l yet"}));
    }
  } else if (options.rmid > 0.0f) {
    return failed(
        "--rmid sets the pi-L network's middle resistance; add --network "
        "pi-l");
  }
  if (options.bands && !options.svg_path.empty()) {
    return failed("--svg plots one design and takes no --bands");
  }
  if (options.bands && !options.smith_path.empty()) {
    return failed("--smith charts one design and takes no --bands");
  }
  if (options.bands && options.swr >= kMinSwr &&
      options.format == OutputFormat::kText) {
    return failed(
        "--swr with --bands adds columns to --format json or csv only");
  }
  if (options.whole_window && options.svg_path.empty()) {
    return failed("--whole-window sets the span of the --svg plot; add --svg");
  }
  if (options.amplifier.fixed_coil && !options.bands) {
    return failed(
        "--fixed-coil keeps one coil across each band and needs --bands");
  }

  std::size_t next = 0;
  for (std::size_t i = first; i < kInputCount; ++i) {
    const InputRow& row = kInputs[i];
    if (row.input == Input::kRin && estimate) {
      options.design.rin = static_cast<float>(estimate->resistance);
      continue;
    }
    const InputValue read =
        read_input(row.input, numbers[next++], options.design.qn);
    if (!read.error.empty()) return failed(read.error);
    options.design.*row.member = read.value;
  }
  parsed.ok = true;
  return parsed;
}

}  // namespace merid
