// Fault tests of the built programs: a results file that cannot be opened
// or written, input that ends anywhere, a reader that goes away, and
// random bytes on standard input.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/reliability/programs.h"
#include "tests/support/run_program.h"

namespace merid::reliability {
namespace {

using std::chrono::seconds;

class FaultTest : public testing::TestWithParam<std::string> {
 protected:
  const Program& program() const { return program_named(GetParam()); }

  // Runs a session typed as `input` in the test's folder.
  Ending session(const std::string& input, Launch launch = {},
                 std::chrono::duration<double> limit = seconds(30)) {
    return finish(start_session(input, launch, "run"), limit);
  }

  // The same started in the background, its input in a file named after
  // `tag`.
  Child start_session(const std::string& input, Launch launch,
                      const std::string& tag) {
    const std::filesystem::path input_file = dir_.path() / (tag + ".input");
    write_file(input_file, input);
    if (launch.program.empty()) launch.program = program().path;
    launch.dir = dir_.path();
    launch.stdin_file = input_file;
    return start(launch, tag);
  }

  // The report of the typical design, written alone in a folder of its own.
  std::string solo_report() {
    TempDir alone;
    write_file(alone.path() / "input", std::string(kInputs) + "3\n5\n");
    Launch launch;
    launch.program = program().path;
    launch.dir = alone.path();
    launch.stdin_file = alone.path() / "input";
    run(launch);
    return read_file(alone.path() / "rezultat.txt");
  }

  std::filesystem::path results_file() const {
    return dir_.path() / "rezultat.txt";
  }

  // The program run through sh: `environment` (NAME=value ...) before it,
  // `tail` (redirections) after it; sh execs it, so the child is it.
  Launch through_shell(const std::string& environment,
                       const std::string& tail = "") {
    const std::filesystem::path script = dir_.path() / "program.sh";
    write_file(script, "#!/bin/sh\n" + environment + "exec " + program().path +
                           " " + tail + "\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    Launch launch;
    launch.program = script.string();
    launch.dir = dir_.path();
    return launch;
  }

  TempDir dir_;
};

std::string describe(const Ending& e) {
  return "status " + std::to_string(e.status) + ", signal " +
         std::to_string(e.signal) + (e.timed_out ? ", timed out" : "") +
         ", stderr: " + e.err;
}

TEST_P(FaultTest, ResultsFileThatIsADirectoryFailsWithTheSystemsReason) {
  std::filesystem::create_directory(results_file());
  const Ending e = session(std::string(kInputs) + "3\n5\n");
  EXPECT_EQ(e.status, 2) << describe(e);
  EXPECT_NE(e.err.find("rezultat.txt"), std::string::npos) << e.err;
  EXPECT_NE(e.err.find(std::strerror(EISDIR)), std::string::npos) << e.err;
  EXPECT_EQ(e.out.find(confirmation(program())), std::string::npos);
}

// The file before the report: more than the console output will ever be,
// so that a file-size limit just above it stops the report and nothing
// else.
std::string earlier_contents() {
  std::string text;
  for (int i = 0; text.size() < 64 * 1024; ++i) {
    text += "earlier line " + std::to_string(i) + "\r\n";
  }
  return text;
}

// The file-size limit lets `room` bytes of the report through; the write
// fails there with EFBIG (the program ignores SIGXFSZ itself).
TEST_P(FaultTest, WriteCutShortByFileSizeLimitLeavesTheFileAsItWas) {
  const std::string before = earlier_contents();
  for (const rlim_t room : {rlim_t{0}, rlim_t{1}, rlim_t{1000}}) {
    SCOPED_TRACE("room for " + std::to_string(room) + " bytes");
    write_file(results_file(), before);
    Launch launch;
    launch.file_size_limit = before.size() + room;
    const Ending e = session(std::string(kInputs) + "3\n5\n", launch);
    EXPECT_EQ(e.status, 2) << describe(e);
    EXPECT_NE(e.err.find("rezultat.txt"), std::string::npos) << e.err;
    EXPECT_NE(e.err.find(std::strerror(EFBIG)), std::string::npos) << e.err;
    EXPECT_EQ(e.out.find(confirmation(program())), std::string::npos);
    EXPECT_EQ(read_file(results_file()), before);
  }
}

TEST_P(FaultTest, SecondReportCutShortLeavesTheFirstWhole) {
  const Ending solo = session(std::string(kInputs) + "3\n5\n");
  ASSERT_EQ(solo.status, 0) << describe(solo);
  const std::string report = read_file(results_file());

  const std::string before = earlier_contents();
  write_file(results_file(), before);
  Launch launch;
  launch.file_size_limit = before.size() + report.size() + 100;
  const Ending e = session(std::string(kInputs) + "3\n3\n5\n", launch);
  EXPECT_EQ(e.status, 2) << describe(e);
  EXPECT_EQ(read_file(results_file()), before + report);
}

// A FIFO named rezultat.txt held the program in open() until something read
// it; a device behind a symlink took the report and confirmed it.  Neither
// can be cut back, so both are refused at once; a symlink to a regular file
// still takes the report.
TEST_P(FaultTest, FifoAsResultsFileHungTheDialogue) {
  ASSERT_EQ(::mkfifo(results_file().c_str(), 0600), 0);
  const Ending fifo = session(std::string(kInputs) + "3\n5\n", {}, seconds(10));
  ASSERT_FALSE(fifo.timed_out);
  EXPECT_EQ(fifo.status, 2) << describe(fifo);
  EXPECT_EQ(fifo.err, "merid: rezultat.txt: not a regular file\n");
  EXPECT_EQ(fifo.out.find(confirmation(program())), std::string::npos);

  std::filesystem::remove(results_file());
  std::filesystem::create_symlink("/dev/null", results_file());
  const Ending device = session(std::string(kInputs) + "3\n5\n");
  EXPECT_EQ(device.status, 2) << describe(device);
  EXPECT_EQ(device.err, "merid: rezultat.txt: not a regular file\n");

  std::filesystem::remove(results_file());
  std::filesystem::create_symlink("real.txt", results_file());
  const Ending linked = session(std::string(kInputs) + "3\n5\n");
  EXPECT_EQ(linked.status, 0) << describe(linked);
  EXPECT_NE(read_file(dir_.path() / "real.txt").size(), 0u);
}

// A first report that fails leaves no empty rezultat.txt behind.
TEST_P(FaultTest, FailedFirstReportLeftAnEmptyResultsFile) {
  for (const rlim_t room : {rlim_t{0}, rlim_t{1000}}) {
    SCOPED_TRACE("room for " + std::to_string(room) + " bytes");
    // The limit would also stop a captured standard output.
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    Launch launch;
    launch.file_size_limit = room;
    launch.stdout_fd = null;
    const Ending e = session(std::string(kInputs) + "3\n5\n", launch);
    ::close(null);
    EXPECT_EQ(e.status, 2) << describe(e);
    // (With no room, the captured standard error takes nothing either.)
    if (room > 0) {
      EXPECT_EQ(e.err, "merid: rezultat.txt: " +
                           std::string(std::strerror(EFBIG)) + "\n");
    }
    EXPECT_FALSE(std::filesystem::exists(results_file()));
  }
}

bool strace_works() {
  return std::system("strace -o /dev/null true >/dev/null 2>&1") == 0;
}

// A program whose write was cut short truncated the file to where its
// report began, even when a second program had appended its whole,
// confirmed report meanwhile.  The truncate is delayed by three seconds
// under strace, and the second program starts in that gap; it now waits for
// its turn and its report stays.
TEST_P(FaultTest, CutBackDeletedAnotherProgramsConfirmedReport) {
  if (!strace_works()) GTEST_SKIP() << "strace cannot trace here";
  const std::string before = earlier_contents();
  write_file(results_file(), before);
  const std::filesystem::path slow = dir_.path() / "slow_cut_back.sh";
  // LeakSanitizer cannot work in a traced process; the other sanitizers can.
  write_file(slow, std::string("#!/bin/sh\n") +
                       "export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}"
                       "detect_leaks=0\nexec strace -f -o /dev/null " +
                       "-e inject=ftruncate:delay_enter=3000000 " +
                       program().path + "\n");
  std::filesystem::permissions(slow, std::filesystem::perms::owner_all);
  Launch cut_short;
  cut_short.program = slow.string();
  cut_short.file_size_limit = before.size() + 1000;
  const Child first =
      start_session(std::string(kInputs) + "3\n5\n", cut_short, "first");
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  const Ending second = session(std::string(kInputs) + "3\n5\n");
  const Ending failed = finish(first, seconds(30));
  EXPECT_EQ(failed.status, 2) << describe(failed);
  ASSERT_EQ(second.status, 0) << describe(second);
  ASSERT_NE(second.out.find(confirmation(program())), std::string::npos);
  EXPECT_EQ(read_file(results_file()), before + solo_report());
}

// TERM between a report cut short and its cut-back (the program held at
// ftruncate, as on a full disk) left part of the report in rezultat.txt.
// Stopping signals now wait until the file is whole again.
TEST_P(FaultTest, SignalBetweenAPartialReportAndItsCutBackLeftPartOfIt) {
  if (MERID_SANITIZED) GTEST_SKIP() << "a preload cannot precede a sanitizer";
  const std::string before = earlier_contents();
  write_file(results_file(), before);
  const std::filesystem::path mark = dir_.path() / "paused";
  Launch launch = through_shell(pause_environment("ftruncate", mark));
  launch.file_size_limit = before.size() + 100;
  const Child child =
      start_session(std::string(kInputs) + "3\n5\n", launch, "held");
  ASSERT_TRUE(wait_for_file(mark, seconds(20)));
  ASSERT_EQ(::kill(child.pid, SIGTERM), 0);
  const Ending e = finish(child, seconds(20));
  EXPECT_EQ(e.signal, SIGTERM) << describe(e);
  EXPECT_EQ(read_file(results_file()), before);
}

// Any user who may read rezultat.txt may hold a shared lock on it, and the
// append then waited for its turn for as long, silently.  It now waits a
// few seconds, then ends with status 2 and says why; the file stays.
TEST_P(FaultTest, LockHeldByAReaderBlockedTheAppendForever) {
  const std::string before = earlier_contents();
  write_file(results_file(), before);
  const int reader = ::open(results_file().c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  ASSERT_EQ(::flock(reader, LOCK_SH), 0);
  const Ending e = session(std::string(kInputs) + "3\n5\n", {}, seconds(30));
  ::close(reader);
  ASSERT_FALSE(e.timed_out);
  EXPECT_EQ(e.status, 2) << describe(e);
  EXPECT_EQ(e.err, "merid: rezultat.txt: locked by another program\n");
  EXPECT_EQ(e.out.find(confirmation(program())), std::string::npos);
  EXPECT_EQ(read_file(results_file()), before);
}

// Standard input closed, or a folder, was reported as the end of input
// while reading a real number; now as what it is.
TEST_P(FaultTest, ClosedOrFolderStandardInputWasCalledTheEndOfInput) {
  for (const auto& [redirection, reason] :
       {std::pair<std::string, int>{"<&-", EBADF}, {"</", EISDIR}}) {
    SCOPED_TRACE(redirection);
    const Ending e = run(through_shell("", redirection));
    EXPECT_EQ(e.status, 2) << describe(e);
    EXPECT_EQ(e.err, "merid: standard input: " +
                         std::string(std::strerror(reason)) + "\n");
  }
}

// Every line of a session that visits every menu choice, with answers out
// of range and not a number among them.
const std::vector<std::string>& full_session() {
  static const std::vector<std::string> lines = {
      "0.09", "7.1", "12", "200",  "2000", "50", "100",  // 0.09 MHz refused
      "x",    "0",   "1",  "14.2",                       // menu, choice 1
      "2",    "15",                                      // choice 2
      "3",                                               // the report
      "4",    "7,1", "12", "200",  "2000", "50", "100",  // a new calculation
      "5"};
  return lines;
}

// Input that ends after each line in turn: a run that is cut short ends
// with status 2 and a report on standard error, whether it waits for a
// real value or at the menu; only the whole session ends with 0.
TEST_P(FaultTest, EndOfInputAfterEveryLineEndsTheRunWithItsStatus) {
  const std::vector<std::string>& lines = full_session();
  std::vector<Child> children;
  std::vector<std::unique_ptr<TempDir>> dirs;
  for (std::size_t count = 0; count <= lines.size() + 1; ++count) {
    std::string input;
    for (std::size_t i = 0; i < std::min(count, lines.size()); ++i) {
      input += lines[i] + "\n";
    }
    // The last case: the whole session with its last line end missing.
    if (count > lines.size()) input.pop_back();
    dirs.push_back(std::make_unique<TempDir>());
    write_file(dirs.back()->path() / "input", input);
    Launch launch;
    launch.program = program().path;
    launch.dir = dirs.back()->path();
    launch.stdin_file = dirs.back()->path() / "input";
    children.push_back(start(launch, "run"));
  }
  for (std::size_t count = 0; count < children.size(); ++count) {
    SCOPED_TRACE("input ends after " + std::to_string(count) + " lines");
    const Ending e = finish(children[count], seconds(60));
    ASSERT_FALSE(e.timed_out);
    if (count >= lines.size()) {
      EXPECT_EQ(e.status, 0) << describe(e);
      EXPECT_EQ(e.err, "");
    } else {
      EXPECT_EQ(e.status, 2) << describe(e);
      EXPECT_TRUE(e.err.starts_with("merid: ")) << e.err;
    }
  }
}

// Feeds "4" lines to a pipe until the reader goes: an input that never
// ends, on which the dialogue prompts again and again.
class EndlessInput {
 public:
  EndlessInput() {
    if (::pipe2(fds_, O_CLOEXEC) != 0) throw std::runtime_error("pipe2");
    feeder_ = std::thread([this] {
      static constexpr char kLine[] = "4\n";
      while (::write(fds_[1], kLine, 2) == 2) {
      }
      ::close(fds_[1]);
    });
  }
  ~EndlessInput() {
    ::close(fds_[0]);
    feeder_.join();
  }
  int read_end() const { return fds_[0]; }
  // The test's own end of the pipe, once the child holds its copy.
  void close_read_end() {
    ::close(fds_[0]);
    fds_[0] = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  }

 private:
  int fds_[2];
  std::thread feeder_;
};

// Runs the program on endless input with standard output a pipe whose
// reader has gone, SIGPIPE ignored or not.
Ending run_into_dead_pipe(const Program& program,
                          const std::filesystem::path& dir, bool ignored) {
  // The feeder's writes into a pipe whose reader has died must fail, not
  // kill the test.
  ::signal(SIGPIPE, SIG_IGN);
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe2");
  ::close(out[0]);  // nobody will ever read
  EndlessInput input;
  Launch launch;
  launch.program = program.path;
  launch.dir = dir;
  launch.stdin_fd = input.read_end();
  launch.stdout_fd = out[1];
  launch.ignore_sigpipe = ignored;
  const Child child = start(launch, "pipe");
  ::close(out[1]);
  input.close_read_end();
  return finish(child, seconds(10));
}

// The default SIGPIPE ends the program at its first write.
TEST_P(FaultTest, BrokenPipeOnStandardOutputEndsTheProgramPromptly) {
  const Ending e = run_into_dead_pipe(program(), dir_.path(), false);
  ASSERT_FALSE(e.timed_out);
  EXPECT_LT(e.elapsed.count(), 5.0);
  EXPECT_EQ(e.signal, SIGPIPE) << describe(e);
}

// A program started with SIGPIPE ignored went on prompting into the dead
// pipe for as long as its input lasted; now the failed write ends it with
// status 2 and the reason.
TEST_P(FaultTest, IgnoredSigpipeNoLongerPromptsForeverIntoDeadPipe) {
  const Ending e = run_into_dead_pipe(program(), dir_.path(), true);
  ASSERT_FALSE(e.timed_out);
  EXPECT_LT(e.elapsed.count(), 5.0);
  EXPECT_EQ(e.status, 2) << describe(e);
  EXPECT_NE(e.err.find("standard output: " + std::string(std::strerror(EPIPE))),
            std::string::npos)
      << e.err;
}

// Output lost to a full device ended with status 0, as if the user had
// seen the session; now the failed write is the run's failure.
TEST_P(FaultTest, FullDeviceOnStandardOutputWasReportedAsSuccess) {
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  Launch launch;
  launch.stdout_fd = full;
  const Ending e = session(std::string(kInputs) + "5\n", launch);
  ::close(full);
  EXPECT_EQ(e.status, 2) << describe(e);
  EXPECT_NE(
      e.err.find("standard output: " + std::string(std::strerror(ENOSPC))),
      std::string::npos)
      << e.err;
}

// Random input: lines that are mostly answers the dialogue may take (in
// range or not, menu choices among them), now and then a line of random
// bytes of every value.  Pure noise would end at the first prompt with a
// malformed number.
std::string random_input(std::mt19937& rng) {
  static const std::vector<std::string> kAnswers = {
      "7.1",  "12", "200",  "2000", "50",          "100",  "1",      "2",
      "3",    "4",  "5",    "5",    "0",           "6",    "-1",     "nan",
      "1e9",  "x",  "0,5",  "2*3",  "99999999999", "",     "  14.2", "15 x",
      "-Inf", "/",  "1.11", "70",   "999",         "0.01", "150"};
  static const std::vector<std::string> kEnds = {"\n", "\r\n", "\r", " \n"};
  // Half the runs start with a good design, to spend their noise at the
  // menu and the prompts behind it.
  std::string text = rng() % 2 == 0 ? std::string(kInputs) : "";
  const std::size_t lines = rng() % 64;
  for (std::size_t i = 0; i < lines; ++i) {
    if (rng() % 16 == 0) {
      const std::size_t length = rng() % 32;
      for (std::size_t b = 0; b < length; ++b) {
        text.push_back(static_cast<char>(rng() % 256));
      }
    } else {
      text += kAnswers[rng() % kAnswers.size()];
    }
    text += kEnds[rng() % kEnds.size()];
  }
  return text;
}

bool is_one_printable_line(const std::string& text) {
  if (text.empty() || text.back() != '\n') return false;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte >= 0x7F) return false;
  }
  return true;
}

TEST_P(FaultTest, RandomBytesOnStandardInputEndTheRunCleanly) {
  constexpr int kRuns = 96;
  constexpr int kAtOnce = 8;
  std::mt19937 rng(20240229);
  int ended_well = 0;
  int reached_menu = 0;
  int wrote_report = 0;
  for (int batch = 0; batch < kRuns / kAtOnce; ++batch) {
    std::vector<std::unique_ptr<TempDir>> dirs;
    std::vector<Child> children;
    std::vector<std::string> inputs;
    for (int i = 0; i < kAtOnce; ++i) {
      dirs.push_back(std::make_unique<TempDir>());
      inputs.push_back(random_input(rng));
      write_file(dirs.back()->path() / "input", inputs.back());
      Launch launch;
      launch.program = program().path;
      launch.dir = dirs.back()->path();
      launch.stdin_file = dirs.back()->path() / "input";
      children.push_back(start(launch, "run"));
    }
    for (int i = 0; i < kAtOnce; ++i) {
      const Ending e = finish(children[i], seconds(60));
      const std::string menu(program().messages[Msg::kMenuPrompt]);
      reached_menu += e.out.find(menu) != std::string::npos ? 1 : 0;
      wrote_report += std::filesystem::exists(dirs[i]->path() / "rezultat.txt");
      SCOPED_TRACE("input of " + std::to_string(inputs[i].size()) + " bytes");
      ASSERT_FALSE(e.timed_out);
      ASSERT_EQ(e.signal, 0) << describe(e);
      ASSERT_TRUE(e.status == 0 || e.status == 2) << describe(e);
      if (e.status == 0) {
        EXPECT_EQ(e.err, "");
        ++ended_well;
      } else {
        EXPECT_TRUE(e.err.starts_with("merid: ") &&
                    is_one_printable_line(e.err))
            << e.err;
      }
    }
  }
  RecordProperty("runs", kRuns);
  RecordProperty("reached_menu", reached_menu);
  RecordProperty("wrote_report", wrote_report);
  RecordProperty("ended_by_choice_5", ended_well);
  std::printf(
      "%d runs: %d reached the menu, %d wrote a report, %d left by "
      "choice 5\n",
      kRuns, reached_menu, wrote_report, ended_well);
}

INSTANTIATE_TEST_SUITE_P(Programs, FaultTest, testing::Values("utf8", "cp866"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace merid::reliability
