// Load tests of the built programs: lines of 100 MiB at a real prompt and
// at the menu, and eight programs appending to one results file at once.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "tests/reliability/programs.h"
#include "tests/support/run_program.h"

namespace merid::reliability {
namespace {

using std::chrono::seconds;

constexpr std::size_t kHugeLine = 100u << 20;
constexpr long kMemoryAllowanceKib = 8 * 1024;

// Writes `before`, then `fill` bytes of `filler`, then `after` to `path`,
// a block at a time.
void write_with_huge_line(const std::filesystem::path& path,
                          const std::string& before, char filler,
                          const std::string& after) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(before.data(), 1, before.size(), file);
  const std::string block(1 << 20, filler);
  for (std::size_t done = 0; done < kHugeLine; done += block.size()) {
    std::fwrite(block.data(), 1, block.size(), file);
  }
  std::fwrite(after.data(), 1, after.size(), file);
  ASSERT_EQ(std::fclose(file), 0);
}

struct HugeLineCase {
  const char* name;
  std::string before;  // the typed lines before the huge one
  std::string start;   // the huge line's first bytes
  char filler;         // the rest of its 100 MiB
  std::string after;   // the line end and the lines after it
  // A short session that the rules treat exactly as the huge one.
  std::string same_as;
};

const std::vector<HugeLineCase>& huge_line_cases() {
  const std::string inputs(kInputs);
  static const std::vector<HugeLineCase> cases = {
      // chislo reads "7.1 xxxxxx": the blank ends the number.
      {"RealPrompt", "", "7.1 ", 'x', "\n" + inputs.substr(4) + "5\n",
       inputs + "5\n"},
      // One complaint, then the next line.
      {"MenuLetters", inputs, "", 'x', "\n5\n", inputs + "x\n5\n"},
      // Too large for 32 bits: one complaint, the number is dropped.
      {"MenuDigits", inputs, "3", '9', "\n5\n", inputs + "39999999999\n5\n"},
  };
  return cases;
}

// Names the case in test output instead of dumping its bytes.
void PrintTo(const HugeLineCase& c, std::ostream* os) { *os << c.name; }

class HugeLineTest : public testing::TestWithParam<HugeLineCase> {};

// The dialogue goes on as after the short line, with the same output, and
// the memory of the run grows by no more than the allowance.
TEST_P(HugeLineTest, GoesOnAsTheRulesSayInBoundedMemory) {
  const HugeLineCase& c = GetParam();
  TempDir dir;
  Launch launch;
  launch.program = utf8_program().path;
  launch.dir = dir.path();

  write_file(dir.path() / "short", c.same_as);
  launch.stdin_file = dir.path() / "short";
  const Ending plain = run(launch, seconds(60), "short");
  ASSERT_EQ(plain.status, 0) << plain.err;

  write_with_huge_line(dir.path() / "huge", c.before + c.start, c.filler,
                       c.after);
  launch.stdin_file = dir.path() / "huge";
  const Ending huge = run(launch, seconds(600), "huge");
  std::filesystem::remove(dir.path() / "huge");
  ASSERT_FALSE(huge.timed_out);
  EXPECT_EQ(huge.status, 0) << huge.err;
  EXPECT_EQ(huge.out, plain.out);
  EXPECT_LE(huge.max_rss_kib, plain.max_rss_kib + kMemoryAllowanceKib);
  RecordProperty("plain_max_rss_kib", static_cast<int>(plain.max_rss_kib));
  RecordProperty("huge_max_rss_kib", static_cast<int>(huge.max_rss_kib));
  RecordProperty("huge_seconds", static_cast<int>(huge.elapsed.count()));
  std::printf("%s: plain %ld KiB, 100 MiB line %ld KiB, %.1f s\n", c.name,
              plain.max_rss_kib, huge.max_rss_kib, huge.elapsed.count());
}

INSTANTIATE_TEST_SUITE_P(Lines, HugeLineTest,
                         testing::ValuesIn(huge_line_cases()),
                         [](const auto& info) { return info.param.name; });

std::vector<std::string> split_reports(const std::string& file,
                                       std::size_t lines_each) {
  std::vector<std::string> reports;
  std::size_t begin = 0;
  while (begin < file.size()) {
    std::size_t end = begin;
    for (std::size_t i = 0; i < lines_each && end != std::string::npos; ++i) {
      end = file.find("\r\n", end);
      if (end != std::string::npos) end += 2;
    }
    if (end == std::string::npos) end = file.size();
    reports.push_back(file.substr(begin, end - begin));
    begin = end;
  }
  return reports;
}

// The frequency line of a report: the seventh line.
std::string frequency_line(const std::string& report) {
  std::size_t begin = 0;
  for (int i = 0; i < 5; ++i) begin = report.find("\r\n", begin) + 2;
  return report.substr(begin, report.find("\r\n", begin) - begin);
}

// Eight programs, both kinds, each writing its own report several times
// into one file at the same moments: every report arrives whole and
// unmixed.
TEST(ConcurrentAppend, EightProgramsAppendWholeReports) {
  constexpr int kPrograms = 8;
  constexpr int kReportsEach = 4;
  constexpr std::size_t kReportLines = 27;
  const char* const kFrequencies[kPrograms] = {"7.1", "3.5",  "14.2", "21",
                                               "1.9", "28.5", "50.1", "10.1"};
  TempDir dir;
  std::vector<Child> children;
  for (int i = 0; i < kPrograms; ++i) {
    const std::string tag = "p" + std::to_string(i);
    std::string input =
        std::string(kFrequencies[i]) + "\n" + std::string(kInputs.substr(4));
    for (int r = 0; r < kReportsEach; ++r) input += "3\n";
    input += "5\n";
    write_file(dir.path() / (tag + ".input"), input);
    Launch launch;
    launch.program = (i % 2 == 0 ? utf8_program() : cp866_program()).path;
    launch.dir = dir.path();
    launch.stdin_file = dir.path() / (tag + ".input");
    children.push_back(start(launch, tag));
  }
  for (const Child& child : children) {
    const Ending e = finish(child, seconds(60));
    ASSERT_FALSE(e.timed_out);
    EXPECT_EQ(e.status, 0) << e.err;
  }

  const std::vector<std::string> reports =
      split_reports(read_file(dir.path() / "rezultat.txt"), kReportLines);
  ASSERT_EQ(reports.size(), std::size_t{kPrograms * kReportsEach});
  std::map<std::string, std::vector<std::string>> by_frequency;
  for (const std::string& report : reports) {
    EXPECT_TRUE(report.starts_with("\r\n Дата: ")) << report;
    EXPECT_TRUE(report.ends_with(std::string(75, '=') + "\r\n\r\n")) << report;
    by_frequency[frequency_line(report)].push_back(report);
  }
  EXPECT_EQ(by_frequency.size(), std::size_t{kPrograms});
  for (const auto& [line, copies] : by_frequency) {
    EXPECT_EQ(copies.size(), std::size_t{kReportsEach}) << line;
    for (const std::string& copy : copies) EXPECT_EQ(copy, copies.front());
  }
}

}  // namespace
}  // namespace merid::reliability
