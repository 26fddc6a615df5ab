// Fault tests of the built merid-calc: standard output that cannot take the
// results, and a plot file that cannot be written whole.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/support/run_program.h"

namespace merid::reliability {
namespace {

constexpr std::string_view kTypical = "7.1 12 200 2000 50 100";

class CalcFaultTest : public testing::Test {
 protected:
  // Runs merid-calc with `args` through sh, which also applies the
  // redirections in `shell_tail` (e.g. ">&-").
  Ending calc(const std::string& args, const std::string& shell_tail = "",
              Launch launch = {}) {
    const std::filesystem::path script = dir_.path() / "calc.sh";
    write_file(script, script_text(args, shell_tail));
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    launch.program = script.string();
    launch.dir = dir_.path();
    return run(launch);
  }

  static std::string script_text(const std::string& args,
                                 const std::string& shell_tail) {
    return std::string("#!/bin/sh\nexec ") + MERID_CALC_PROGRAM + " " + args +
           " " + shell_tail + "\n";
  }

  TempDir dir_;
};

std::string describe(const Ending& e) {
  return "status " + std::to_string(e.status) + ", signal " +
         std::to_string(e.signal) + ", stderr: " + e.err;
}

// Results lost to a full device or a closed standard output ended with
// status 0; now they end with status 2 and the reason.
TEST_F(CalcFaultTest, LostStandardOutputWasReportedAsSuccess) {
  const std::string full =
      "merid-calc: standard output: " + std::string(std::strerror(ENOSPC)) +
      "\n";
  const std::string closed =
      "merid-calc: standard output: " + std::string(std::strerror(EBADF)) +
      "\n";
  const struct {
    std::string args, redirection, report;
  } kCases[] = {
      {std::string(kTypical), ">/dev/full", full},
      {"--format json " + std::string(kTypical), ">/dev/full", full},
      {"--bands --format csv 12 200 2000 50 100", ">/dev/full", full},
      {"--help", ">/dev/full", full},
      {std::string(kTypical), ">&-", closed},
      {"--format json " + std::string(kTypical), ">&-", closed},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.args + " " + c.redirection);
    const Ending e = calc(c.args, c.redirection);
    EXPECT_EQ(e.status, 2) << describe(e);
    EXPECT_EQ(e.err, c.report);
  }
}

// With a file-size limit of 2 KiB, --svg cut the new plot off in the middle
// of an element and the old one was gone.  The plot is now written beside
// the file and renamed over it once whole: a failure leaves the old file
// and nothing else.
TEST_F(CalcFaultTest, FailedSvgWriteDestroyedTheOldPlot) {
  const std::filesystem::path plot = dir_.path() / "old.svg";
  write_file(plot, "<svg>the plot of an earlier run</svg>\n");
  Launch limited;
  limited.file_size_limit = 2048;
  const Ending e =
      calc("--svg old.svg " + std::string(kTypical), ">/dev/null", limited);
  EXPECT_EQ(e.status, 2) << describe(e);
  EXPECT_EQ(e.err, "merid-calc: cannot write old.svg: " +
                       std::string(std::strerror(EFBIG)) + "\n");
  EXPECT_EQ(read_file(plot), "<svg>the plot of an earlier run</svg>\n");
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "old.svg" || name == "calc.sh" ||
                name == "run.stdout" || name == "run.stderr")
        << name;
  }

  const Ending whole = calc("--svg old.svg " + std::string(kTypical));
  EXPECT_EQ(whole.status, 0) << describe(whole);
  EXPECT_TRUE(read_file(plot).ends_with("</svg>\n"));
}

// The plot was first written to "<name>.<16 hex>.tmp", so a legal 250-byte
// name failed as too long; the rename gave a private plot the default mode;
// and a symbolic link to the plot was replaced by a regular file.
TEST_F(CalcFaultTest, SvgOverAFifoReplacedTheFifo) {
  // As root the same rename replaced a device node such as /dev/full.
  const std::filesystem::path fifo = dir_.path() / "plot.svg";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0) << std::strerror(errno);
  const Ending e =
      calc("--svg plot.svg " + std::string(kTypical), ">/dev/null");
  EXPECT_EQ(e.status, 2) << describe(e);
  EXPECT_EQ(e.err, "merid-calc: cannot write plot.svg: not a regular file\n");
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST_F(CalcFaultTest, SvgReplacementBrokeLongNamesModesAndLinks) {
  namespace fs = std::filesystem;
  const std::string tail = " " + std::string(kTypical);
  const std::string long_name = std::string(246, 'p') + ".svg";
  Ending e = calc("--svg " + long_name + tail, ">/dev/null");
  EXPECT_EQ(e.status, 0) << describe(e);
  EXPECT_TRUE(read_file(dir_.path() / long_name).ends_with("</svg>\n"));

  const fs::path private_plot = dir_.path() / "private.svg";
  write_file(private_plot, "old\n");
  const fs::perms kPrivate = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(private_plot, kPrivate);
  e = calc("--svg private.svg" + tail, ">/dev/null");
  EXPECT_EQ(e.status, 0) << describe(e);
  EXPECT_EQ(fs::status(private_plot).permissions(), kPrivate);
  EXPECT_TRUE(read_file(private_plot).ends_with("</svg>\n"));

  fs::create_directory(dir_.path() / "plots");
  write_file(dir_.path() / "plots" / "kept.svg", "old\n");
  fs::create_symlink("plots/kept.svg", dir_.path() / "kept.svg");
  fs::create_symlink("plots/new.svg", dir_.path() / "new.svg");
  for (const char* name : {"kept.svg", "new.svg"}) {
    SCOPED_TRACE(name);
    e = calc(std::string("--svg ") + name + tail, ">/dev/null");
    EXPECT_EQ(e.status, 0) << describe(e);
    EXPECT_TRUE(fs::is_symlink(dir_.path() / name));
    EXPECT_TRUE(read_file(dir_.path() / "plots" / name).ends_with("</svg>\n"));
  }
  for (const fs::path& folder : {dir_.path(), dir_.path() / "plots"}) {
    for (const auto& entry : fs::directory_iterator(folder))
      EXPECT_FALSE(entry.path().extension() == ".tmp") << entry.path();
  }
}

}  // namespace
}  // namespace merid::reliability
