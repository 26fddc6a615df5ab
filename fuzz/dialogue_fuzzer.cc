// Fuzz target: a whole dialogue on arbitrary standard input, with the screen
// and the clock replaced and the results file in memory.
//
// The first byte picks the console encoding and how many bytes each read
// delivers; the second, which append to the results file fails.  The rest
// is standard input.
//
// Checks: every byte of output belongs to a text of the message table in
// the form the dialogue writes it in, or to a value field; each
// confirmation follows exactly one complete report, and the report holds
// the values of the screen before it; a failed append ends the run with a
// report that names the file; a run that ends well ends with the farewell.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/dialogue.h"
#include "console/input_reader.h"
#include "fuzz/console_grammar.h"
#include "fuzz/fuzz_support.h"
#include "output/console_writer.h"
#include "tests/support/string_io.h"
#include "text/messages.h"

namespace merid::fuzz {
namespace {

constexpr std::size_t kFieldWidth = 10;
constexpr std::size_t kReportLines = 27;
constexpr std::size_t kScreenFields = 28;

std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t end; (end = text.find("\r\n")) != std::string_view::npos;
       text.remove_prefix(end + 2)) {
    lines.push_back(text.substr(0, end));
  }
  require(text.empty(), "the report ends with a line end");
  return lines;
}

// The 28 value fields of a report, in the screen's order: the six inputs,
// then each results line left and right.
std::vector<std::string_view> report_fields(std::string_view report) {
  const std::vector<std::string_view> lines = split_lines(report);
  require(lines.size() == kReportLines, "a report has 27 lines");
  require(lines[1] == " Дата: 20240229                 ",
          "the date line holds the date and 17 blanks");
  require(lines[25] == " " + std::string(75, '='), "the closing line");
  std::vector<std::string_view> fields;
  const auto last_field = [](std::string_view line) {
    require(line.size() >= kFieldWidth, "a value line holds a field");
    return line.substr(line.size() - kFieldWidth);
  };
  for (std::size_t i = 5; i <= 10; ++i) fields.push_back(last_field(lines[i]));
  for (std::size_t i = 14; i <= 24; ++i) {
    // Every left label ends in the only "= " before its field.
    const std::size_t equals = lines[i].find("= ");
    require(equals != std::string_view::npos, "a results line has a label");
    fields.push_back(lines[i].substr(equals + 2, kFieldWidth));
    fields.push_back(last_field(lines[i]));
  }
  return fields;
}

struct Setup {
  bool cp866 = false;
  std::size_t piece = 0;
  int fail_at = 0;
};

Setup take_setup(std::string_view& text) {
  Setup setup;
  if (text.size() >= 2) {
    const auto options = static_cast<unsigned char>(text[0]);
    setup.cp866 = (options & 1) != 0;
    setup.piece = (options >> 1) & 7;
    setup.fail_at = static_cast<unsigned char>(text[1]) % 8;
    text.remove_prefix(2);
  }
  return setup;
}

// Walks the output: remembers the fields of the latest results screen and
// compares each confirmed report with them.
void check_reports(const std::vector<Token>& tokens, const MemoryEnv& env) {
  std::vector<std::string_view> screen;
  std::size_t confirmed = 0;
  for (const Token& t : tokens) {
    if (t.form == Form::kValueLine && t.msg == Msg::kLabelF) screen.clear();
    if (t.form == Form::kValueLine && t.msg != Msg::kCurrentF &&
        t.msg != Msg::kCurrentQn) {
      screen.push_back(t.field);
    }
    if (t.form == Form::kRow) {
      screen.push_back(t.field);
      screen.push_back(t.right_field);
    }
    if (t.form == Form::kTextLine && t.msg == Msg::kWritten) {
      require(confirmed < env.reports().size(), "a confirmed report exists");
      require(screen.size() == kScreenFields, "a screen before the report");
      require(report_fields(env.reports()[confirmed]) == screen,
              "the report holds the values on the screen");
      ++confirmed;
    }
  }
  require(confirmed == env.reports().size(), "every report is confirmed");
}

void fuzz_one(std::string_view text) {
  const Setup setup = take_setup(text);
  const MessageTable& messages =
      setup.cp866 ? cp866_messages() : utf8_messages();
  PacedSource source(text, setup.piece);
  InputReader in(source);
  StringSink sink;
  ConsoleWriter out(sink, messages);
  MemoryEnv env(setup.fail_at);

  const Status outcome = run_dialogue(in, out, env);

  require((outcome.code == ExitStatus::kSuccess) == outcome.error.empty(),
          "a failure, and only a failure, has a report");
  const std::optional<std::vector<Token>> tokens =
      parse_console(sink.text(), messages);
  require(tokens.has_value(), "the output is made of the writer's forms");
  check_reports(*tokens, env);
  if (env.failed_appends() > 0) {
    require(outcome.code == ExitStatus::kFailure &&
                outcome.error.starts_with("rezultat.txt: "),
            "a failed append ends the run naming the file");
  }
  if (outcome.code == ExitStatus::kSuccess) {
    require(!tokens->empty() && tokens->back().form == Form::kTextLine &&
                tokens->back().msg == Msg::kFarewell,
            "a run that ends well ends with the farewell");
  }
}

}  // namespace
}  // namespace merid::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  merid::fuzz::fuzz_one(
      std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
