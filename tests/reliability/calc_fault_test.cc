// Fault tests of the built merid-calc: standard output that cannot take the
// results, and a plot file that cannot be written whole, or must not be
// written at all.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/reliability/programs.h"
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
    return finish(start_calc(args, shell_tail, launch),
                  std::chrono::seconds(30));
  }

  // The same in the background, with `environment` before the command
  // (NAME=value ...); the script execs merid-calc, so the child is it.
  Child start_calc(const std::string& args, const std::string& shell_tail,
                   Launch launch, const std::string& environment = "") {
    const std::filesystem::path script = dir_.path() / "calc.sh";
    write_file(script, "#!/bin/sh\n" + environment + "exec " +
                           MERID_CALC_PROGRAM + " " + args + " " + shell_tail +
                           "\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    launch.program = script.string();
    launch.dir = dir_.path();
    return start(launch, "run");
  }

  // The names in the test's folder that the runs did not bring.
  std::vector<std::string> left_over() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(".merid-")) names.push_back(name);
    }
    return names;
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

// `--svg /dev/stdout > out.txt` ended with status 0 and out.txt held the
// plot instead of the results; /proc/self/fd/1 and a plot onto standard
// error (2>>log.txt) did the same.  A plot that would replace the file
// behind a standard stream is refused before anything is written.
TEST_F(CalcFaultTest, PlotOntoARedirectedStandardStreamReplacedIt) {
  const std::filesystem::path log = dir_.path() / "log.txt";
  const struct {
    std::string args, tail, stream;
  } kCases[] = {
      {"--svg /dev/stdout", ">out.txt", "output"},
      {"--format json --smith /proc/self/fd/1", ">out.txt", "output"},
      {"--svg /dev/stderr", "2>>log.txt", "error"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.args);
    write_file(log, "an earlier line\n");
    const Ending e = calc(c.args + " " + std::string(kTypical), c.tail);
    EXPECT_EQ(e.status, 2) << describe(e);
    const std::string name = c.args.substr(c.args.rfind(' ') + 1);
    const std::string report = "merid-calc: cannot write " + name +
                               ": it is the program's standard " + c.stream +
                               "\n";
    if (c.stream == "output") {
      EXPECT_EQ(read_file(dir_.path() / "out.txt"), "");
      EXPECT_EQ(e.err, report);
    } else {
      EXPECT_EQ(read_file(log), "an earlier line\n" + report);
    }
  }
  // Through a pipe the name is no file at all, and says so.
  const Ending piped =
      calc("--svg /dev/stdout " + std::string(kTypical), "| cat >/dev/null");
  EXPECT_EQ(piped.err,
            "merid-calc: cannot write /dev/stdout: not a regular file\n");
}

// --svg and --smith naming one file (or two names of it) ended with status
// 0, the first plot overwritten by the second.
TEST_F(CalcFaultTest, SvgAndSmithNamingOneFileOverwroteTheFirst) {
  write_file(dir_.path() / "old.svg", "old\n");
  std::filesystem::create_symlink("old.svg", dir_.path() / "link.svg");
  for (const std::string& pair :
       {std::string("--svg new.svg --smith ./new.svg"),
        std::string("--svg old.svg --smith link.svg")}) {
    SCOPED_TRACE(pair);
    const Ending e = calc(pair + " " + std::string(kTypical));
    EXPECT_EQ(e.status, 2) << describe(e);
    EXPECT_NE(e.err.find(" are one file: give each plot its own\n"),
              std::string::npos)
        << e.err;
    EXPECT_EQ(e.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "new.svg"));
  EXPECT_EQ(read_file(dir_.path() / "old.svg"), "old\n");
}

// A loop of symbolic links as the plot's name ended with status 0, the
// link replaced by a regular file.
TEST_F(CalcFaultTest, SymlinkLoopAsThePlotBecameARegularFile) {
  std::filesystem::create_symlink("b", dir_.path() / "a");
  std::filesystem::create_symlink("a", dir_.path() / "b");
  const Ending e = calc("--svg a " + std::string(kTypical));
  EXPECT_EQ(e.status, 2) << describe(e);
  EXPECT_EQ(e.err, "merid-calc: cannot write a: " +
                       std::string(std::strerror(ELOOP)) + "\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir_.path() / "a"));
}

// Renaming a new plot over the old one lost what the old file carried: its
// owner (run as root), its other hard links, and the refusal a read-only
// file gives.  The owner and mode stay, a link keeps the old plot and says
// so, and a file the user may not write is not replaced.
TEST_F(CalcFaultTest, ReplacedPlotLostItsOwnerLinksAndRefusal) {
  const std::filesystem::path plot = dir_.path() / "plot.svg";
  write_file(plot, "old\n");
  ASSERT_EQ(::chmod(plot.c_str(), 0640), 0);
  std::filesystem::create_hard_link(plot, dir_.path() / "other.svg");
  const bool root = ::geteuid() == 0;
  // As root the plot belongs to someone else: it must stay theirs.
  if (root) {
    ASSERT_EQ(::chown(plot.c_str(), 12345, 12346), 0);
  }
  const Ending e = calc("--svg plot.svg " + std::string(kTypical));
  EXPECT_EQ(e.status, 0) << describe(e);
  EXPECT_EQ(e.err,
            "merid-calc: note: plot.svg had other hard links; they keep the "
            "old plot\n");
  struct stat after {};
  ASSERT_EQ(::stat(plot.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(after.st_uid, 12345u);
    EXPECT_EQ(after.st_gid, 12346u);
  }
  EXPECT_TRUE(read_file(plot).ends_with("</svg>\n"));
  EXPECT_EQ(read_file(dir_.path() / "other.svg"), "old\n");
  if (root) return;  // root may write into any file
  const std::filesystem::path locked = dir_.path() / "locked.svg";
  write_file(locked, "old\n");
  ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
  const Ending refused = calc("--svg locked.svg " + std::string(kTypical));
  EXPECT_EQ(refused.status, 2) << describe(refused);
  EXPECT_EQ(read_file(locked), "old\n");
}

// TERM, INT or HUP while the new plot stood beside the old one left it
// there as a hidden .merid-....tmp file.
TEST_F(CalcFaultTest, SignalDuringAPlotWriteLeftItsTemporaryFile) {
  if (MERID_SANITIZED) GTEST_SKIP() << "a preload cannot precede a sanitizer";
  write_file(dir_.path() / "plot.svg", "old\n");
  Launch launch;
  launch.capture_dir = dir_.path() / "captures";
  std::filesystem::create_directory(launch.capture_dir);
  for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    const std::filesystem::path mark = launch.capture_dir / "paused";
    std::filesystem::remove(mark);
    const Child child =
        start_calc("--svg plot.svg " + std::string(kTypical), ">/dev/null",
                   launch, pause_environment("rename", mark));
    ASSERT_TRUE(wait_for_file(mark, std::chrono::seconds(20)));
    ASSERT_EQ(::kill(child.pid, signal_number), 0);
    const Ending e = finish(child, std::chrono::seconds(20));
    EXPECT_EQ(e.signal, signal_number) << describe(e);
    EXPECT_EQ(left_over(), std::vector<std::string>{});
    EXPECT_EQ(read_file(dir_.path() / "plot.svg"), "old\n");
  }
}

}  // namespace
}  // namespace merid::reliability
