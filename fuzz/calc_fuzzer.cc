// Fuzz target: merid-calc's argument parsing and dispatch, run_calc on an
// argument vector with its streams and plot file in memory.  The input is
// the arguments separated by NUL bytes.  A plot whose path begins with
// "/full/" fails to be written, as on a full disk.
//
// Checks (besides the sanitizers and the time limit): the status is one of
// the three; a failure is one line on standard error, "merid-calc: " and
// no control byte before its line end, and nothing on standard output
// unless the design came before a plot that failed (then the design's
// warnings may stand before that line); a success says nothing on standard
// error but its design's warnings, and writes the results, and any plot it
// wrote is a whole SVG document; JSON and CSV end in a line feed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_io.h"
#include "cli/calc_app.h"
#include "fuzz/fuzz_support.h"
#include "tests/support/string_io.h"

namespace merid::fuzz {
namespace {

std::vector<std::string_view> split_at_nul(std::string_view bytes) {
  std::vector<std::string_view> args;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = bytes.find('\0', start);
    args.push_back(bytes.substr(start, end - start));
    if (end == std::string_view::npos) return args;
    start = end + 1;
  }
}

// The plot files in memory: each name is a file of its own.
class FakeFiles : public FileWriter {
 public:
  int writes = 0;
  bool failed = false;
  std::string bytes;

  Status target(const std::string& name, ReplaceTarget& target) override {
    target = ReplaceTarget{name, false, 0, 0, 0};
    return {};
  }
  Status write(const ReplaceTarget& target, std::string_view svg) override {
    ++writes;
    if (target.path.starts_with("/full/")) {
      failed = true;
      return failure("No space left on device");
    }
    bytes = std::string(svg);
    return {};
  }
};

bool one_report_line(std::string_view err) {
  if (!err.starts_with("merid-calc: ") || !err.ends_with("\n")) return false;
  for (std::size_t i = 0; i + 1 < err.size(); ++i) {
    const auto byte = static_cast<unsigned char>(err[i]);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

constexpr std::string_view kWarning = "merid-calc: warning: ";

// Standard error with its leading warning lines, each one printable line,
// taken off.
std::string_view after_warnings(std::string_view err) {
  while (err.starts_with(kWarning)) {
    const std::size_t end = err.find('\n');
    if (end == std::string_view::npos ||
        !one_report_line(err.substr(0, end + 1))) {
      return err;
    }
    err.remove_prefix(end + 1);
  }
  return err;
}

bool whole_svg(std::string_view svg) {
  return svg.starts_with("<?xml ") && svg.ends_with("</svg>\n");
}

bool asks_for(const std::vector<std::string_view>& args,
              std::string_view word) {
  for (const std::string_view arg : args) {
    if (arg == word) return true;
  }
  return false;
}

void check_run(const std::vector<std::string_view>& args) {
  StringSink out;
  StringSink err;
  FakeFiles files;
  const ExitStatus status = run_calc(args, out, err, files);
  require(files.writes <= 2, "each plot is written once at most");
  switch (status) {
    case ExitStatus::kSuccess:
      require(after_warnings(err.text()).empty(),
              "a success says nothing on stderr but warnings");
      require(!out.text().empty(), "a success writes its results");
      require(files.writes == 0 || whole_svg(files.bytes),
              "a plot is a whole SVG document");
      require(!asks_for(args, "--help") || out.text().ends_with("\n"),
              "the help ends in a line end");
      break;
    case ExitStatus::kInfeasible:
      require(files.writes == 0, "an infeasible design has no plot");
      require(!out.text().empty() || !err.text().empty(),
              "an infeasible design is reported");
      break;
    case ExitStatus::kFailure:
      require(one_report_line(files.failed ? after_warnings(err.text())
                                           : std::string_view(err.text())),
              "a failure is one printable line");
      require(out.text().empty() || files.failed,
              "a refused command line writes no results");
      break;
    default:
      require(false, "the status is 0, 1 or 2");
  }
  if (status != ExitStatus::kFailure && !out.text().empty()) {
    require(out.text().ends_with("\n"), "the output ends in a line end");
  }
}

}  // namespace
}  // namespace merid::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string_view> args = merid::fuzz::split_at_nul(bytes);
  // A band table with a fixed coil is 33 loaded-Q searches, over ten
  // seconds under the sanitizers: past the fuzzer's limit for one input.
  // The searches have tests of their own.
  for (const std::string_view arg : args) {
    if (arg.starts_with("--fixed-coil")) return 0;
  }
  merid::fuzz::check_run(args);
  return 0;
}
