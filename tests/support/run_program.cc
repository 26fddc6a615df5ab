#include "tests/support/run_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>
#include <vector>

namespace merid {
namespace {

int open_or_die(const std::filesystem::path& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) {
    std::perror(path.c_str());
    ::_exit(127);
  }
  return fd;
}

// Writes the text to standard error from the child: only write(2) is safe.
void say(std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(2, text.data(), text.size());
    if (written <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
}

// What the child needs, made before fork: between fork and exec the child
// must not allocate.
struct Plan {
  std::filesystem::path stdin_file;
  std::vector<char*> argv;
};

// The argument vector of exec.
std::vector<char*> arguments(const Launch& launch) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(launch.program.c_str()));
  for (const std::string& arg : launch.args) {
    argv.push_back(const_cast<char*>(arg.c_str()));
  }
  argv.push_back(nullptr);
  return argv;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void become(const Launch& launch, const Child& child,
                         const Plan& plan) {
  const int in = launch.stdin_fd >= 0 ? launch.stdin_fd
                                      : open_or_die(plan.stdin_file, O_RDONLY);
  const int out =
      launch.stdout_fd >= 0
          ? launch.stdout_fd
          : open_or_die(child.out_file, O_WRONLY | O_CREAT | O_TRUNC);
  const int err = open_or_die(child.err_file, O_WRONLY | O_CREAT | O_TRUNC);
  if (::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) {
    ::_exit(127);
  }
  if (::chdir(launch.dir.c_str()) != 0) {
    say("cannot enter ");
    say(launch.dir.c_str());
    say("\n");
    ::_exit(127);
  }
  // The test process may ignore SIGPIPE itself; the child gets the
  // disposition the test asks for, not the one it happens to inherit.
  ::signal(SIGPIPE, launch.ignore_sigpipe ? SIG_IGN : SIG_DFL);
  ::signal(SIGXFSZ, SIG_DFL);
  if (launch.file_size_limit) {
    const rlimit limit{*launch.file_size_limit, *launch.file_size_limit};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(127);
  }
  ::execv(launch.program.c_str(), plan.argv.data());
  say("cannot start ");
  say(launch.program);
  say("\n");
  ::_exit(127);
}

}  // namespace

Child start(const Launch& launch, const std::string& tag) {
  const std::filesystem::path& captures =
      launch.capture_dir.empty() ? launch.dir : launch.capture_dir;
  Child child;
  child.out_file = captures / (tag + ".stdout");
  child.err_file = captures / (tag + ".stderr");
  const Plan plan{launch.stdin_file.empty() ? "/dev/null" : launch.stdin_file,
                  arguments(launch)};
  child.started = std::chrono::steady_clock::now();
  child.pid = ::fork();
  if (child.pid < 0) throw std::runtime_error("fork failed");
  if (child.pid == 0) become(launch, child, plan);
  return child;
}

Ending finish(const Child& child, std::chrono::duration<double> limit) {
  using Clock = std::chrono::steady_clock;
  Ending ending;
  int status = 0;
  rusage usage{};
  for (;;) {
    const pid_t done = ::wait4(child.pid, &status, WNOHANG, &usage);
    if (done == child.pid) break;
    if (done < 0 && errno != EINTR) throw std::runtime_error("wait4 failed");
    if (!ending.timed_out && Clock::now() - child.started > limit) {
      ending.timed_out = true;
      ::kill(child.pid, SIGKILL);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ending.elapsed = Clock::now() - child.started;
  ending.max_rss_kib = usage.ru_maxrss;
  if (WIFEXITED(status)) ending.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) ending.signal = WTERMSIG(status);
  if (std::filesystem::exists(child.out_file)) {
    ending.out = read_file(child.out_file);
  }
  ending.err = read_file(child.err_file);
  return ending;
}

TempDir::TempDir() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "merid-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed");
  }
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)),
                     std::istreambuf_iterator<char>());
}

void write_file(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace merid
