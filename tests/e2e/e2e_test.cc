// End-to-end runs of the two built programs: a scripted standard input in a
// fresh folder, then standard output, the exit status and rezultat.txt
// compared byte for byte with the golden files.

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "tests/support/run_program.h"

namespace merid {
namespace {

namespace fs = std::filesystem;

std::string golden(const std::string& name) {
  const fs::path path = fs::path(MERID_E2E_GOLDEN_DIR) / name;
  EXPECT_TRUE(fs::exists(path)) << path;
  return read_file(path);
}

struct SessionEnd {
  Ending ending;
  std::optional<std::string> results_file;
};

// Runs `program` in `work` with `input` as its standard input.  Its
// standard streams are files in `io`, outside the working folder.
SessionEnd run_session(const char* program, std::string_view input,
                       const fs::path& io, const fs::path& work) {
  write_file(io / "stdin", input);
  Launch launch;
  launch.program = program;
  launch.dir = work;
  launch.stdin_file = io / "stdin";
  launch.capture_dir = io;
  SessionEnd end{run(launch), std::nullopt};
  const fs::path results = work / "rezultat.txt";
  if (fs::is_regular_file(results)) end.results_file = read_file(results);
  return end;
}

// The local date as the report writes it, YYYYMMDD.
std::string today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[9];
  std::strftime(text, sizeof text, "%Y%m%d", &local);
  return text;
}

// Replaces the date of every report by YYYYMMDD after checking that it is
// the local date before or after the run (which may span midnight).
std::string undated(std::string report, const std::string& date_before,
                    const std::string& date_after) {
  const std::string label = "Дата: ";
  for (std::size_t pos = report.find(label); pos != std::string::npos;
       pos = report.find(label, pos)) {
    pos += label.size();
    const std::string date = report.substr(pos, 8);
    EXPECT_TRUE(date == date_before || date == date_after) << date;
    report.replace(pos, 8, "YYYYMMDD");
  }
  return report;
}

// The same text with each Cyrillic letter's UTF-8 pair replaced by its
// CP866 byte.
std::string utf8_to_cp866(std::string_view text) {
  std::string cp866;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      cp866 += text[i];
      continue;
    }
    const auto trail = static_cast<unsigned char>(text[++i]);
    const char32_t code = ((lead & 0x1Fu) << 6) | (trail & 0x3Fu);
    if (code >= U'А' && code <= U'Я') {
      cp866 += static_cast<char>(0x80 + (code - U'А'));
    } else if (code >= U'а' && code <= U'п') {
      cp866 += static_cast<char>(0xA0 + (code - U'а'));
    } else if (code >= U'р' && code <= U'я') {
      cp866 += static_cast<char>(0xE0 + (code - U'р'));
    } else if (code == U'Ё') {
      cp866 += static_cast<char>(0xF0);
    } else if (code == U'ё') {
      cp866 += static_cast<char>(0xF1);
    } else {
      ADD_FAILURE() << "not a Cyrillic letter: U+" << std::hex
                    << static_cast<unsigned>(code);
    }
  }
  return cp866;
}

struct Session {
  const char* name;
  std::string_view input;
  const char* golden_stdout;  // the UTF-8 program's standard output
  const char* golden_report;  // nullptr: no rezultat.txt appears
  int status;
  bool results_file_is_a_folder;  // so that appending to it fails
};

// Names the session in test failures.
void PrintTo(const Session& session, std::ostream* os) { *os << session.name; }

constexpr std::string_view kTypicalInput =
    "7.1\n12\n200\n2000\n50\n100\n3\n5\n";

const Session kSessions[] = {
    {"Typical", kTypicalInput, "typical.stdout", "typical.rezultat.txt", 0,
     false},
    {"TypicalWithCrLf", "7.1\r\n12\r\n200\r\n2000\r\n50\r\n100\r\n3\r\n5\r\n",
     "typical.stdout", "typical.rezultat.txt", 0, false},
    // Qn 5 cannot turn 2000 ohm into 50; choice 2 then asks for Qn 12.
    {"InfeasibleThenNewQn", "7.1\n5\n200\n2000\n50\n100\n2\n12\n5\n",
     "infeasible_then_new_qn.stdout", nullptr, 0, false},
    {"MalformedReal", "7.1\n12\nabc\n", "malformed_real.stdout", nullptr, 2,
     false},
    {"EndOfInputAtMenu", "7.1\n12\n200\n2000\n50\n100\n", "first_menu.stdout",
     nullptr, 2, false},
    // The failed append leaves no trace on the console after the prompt.
    {"ResultsFileFails", kTypicalInput, "first_menu.stdout", nullptr, 2, true},
};

class ProgramSession : public testing::TestWithParam<Session> {
 protected:
  SessionEnd Run(const char* program) {
    const TempDir dir;
    const fs::path work = dir.path() / "work";
    fs::create_directory(work);
    if (GetParam().results_file_is_a_folder) {
      fs::create_directory(work / "rezultat.txt");
    }
    return run_session(program, GetParam().input, dir.path(), work);
  }
};

TEST_P(ProgramSession, BothProgramsMatchTheGoldenFiles) {
  const Session& session = GetParam();
  const std::string date_before = today();
  const SessionEnd utf8 = Run(MERID_UTF8_PROGRAM);
  const SessionEnd cp866 = Run(MERID_CP866_PROGRAM);
  const std::string date_after = today();

  const std::string expected_stdout = golden(session.golden_stdout);
  EXPECT_EQ(utf8.ending.out, expected_stdout);
  EXPECT_EQ(cp866.ending.out, utf8_to_cp866(expected_stdout));

  for (const Ending* ending : {&utf8.ending, &cp866.ending}) {
    EXPECT_EQ(ending->status, session.status) << ending->err;
    // Standard error carries the report of a failure, and only that.
    EXPECT_EQ(ending->err.empty(), session.status == 0) << ending->err;
    if (session.results_file_is_a_folder) {
      EXPECT_NE(ending->err.find("rezultat.txt"), std::string::npos)
          << ending->err;
    }
  }

  if (session.golden_report == nullptr) {
    EXPECT_FALSE(utf8.results_file.has_value());
    EXPECT_FALSE(cp866.results_file.has_value());
    return;
  }
  ASSERT_TRUE(utf8.results_file.has_value());
  ASSERT_TRUE(cp866.results_file.has_value());
  const std::string report =
      undated(*utf8.results_file, date_before, date_after);
  EXPECT_EQ(report, golden(session.golden_report));
  // Both programs write the file in UTF-8.
  EXPECT_EQ(undated(*cp866.results_file, date_before, date_after), report);
}

INSTANTIATE_TEST_SUITE_P(Sessions, ProgramSession, testing::ValuesIn(kSessions),
                         [](const testing::TestParamInfo<Session>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace merid
