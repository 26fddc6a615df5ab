// A whole session under Valgrind's memory checker: no leak and no invalid
// access.  Skipped where Valgrind is missing or the programs carry a
// sanitizer (their own leak checker runs at every exit there).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/reliability/programs.h"
#include "tests/support/run_program.h"

namespace merid::reliability {
namespace {

class MemcheckTest : public testing::TestWithParam<std::string> {};

TEST_P(MemcheckTest, WholeSessionHasNoLeakAndNoInvalidAccess) {
  const std::string valgrind = MERID_VALGRIND;
  if (valgrind.empty() || MERID_SANITIZED) {
    GTEST_SKIP() << "no Valgrind, or a sanitizer build";
  }
  TempDir dir;
  // Every menu choice, a refused value, a complaint and a report.
  const std::string input = std::string(kInputs) +
                            "x\n0\n1\n0.01\n14.2\n2\n15\n3\n"
                            "4\n7,1\n1\n12\n200\n2000\n50\n100\n5\n";
  write_file(dir.path() / "input", input);
  Launch launch;
  launch.program = valgrind;
  launch.args = {"--leak-check=full",
                 "--show-leak-kinds=all",
                 "--errors-for-leak-kinds=all",
                 "--error-exitcode=99",
                 "--log-file=" + (dir.path() / "memcheck.log").string(),
                 program_named(GetParam()).path};
  launch.dir = dir.path();
  launch.stdin_file = dir.path() / "input";
  const Ending e = run(launch, std::chrono::seconds(300));
  const std::string log = read_file(dir.path() / "memcheck.log");
  ASSERT_FALSE(e.timed_out);
  EXPECT_EQ(e.status, 0) << e.err << log;
  // The summary lines show that Valgrind ran and found nothing.
  EXPECT_NE(log.find("ERROR SUMMARY: 0 errors"), std::string::npos) << log;
  EXPECT_NE(log.find("in use at exit: 0 bytes in 0 blocks"), std::string::npos)
      << log;
  EXPECT_NE(read_file(dir.path() / "rezultat.txt"), "");
}

INSTANTIATE_TEST_SUITE_P(Programs, MemcheckTest,
                         testing::Values("utf8", "cp866"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace merid::reliability
