// The platform seam on POSIX systems.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "platform/file_names.h"
#include "platform/platform.h"

namespace merid {
namespace {

constexpr const char* kNotRegular = "not a regular file";

Status failure(int error_number) {
  return Status{ExitStatus::kFailure, std::strerror(error_number)};
}

// Writes all of `bytes` with as few write calls as the system allows.
// Returns how many bytes went out before a failure, and that failure's code
// (0 when all went out).
std::pair<std::size_t, int> write_all(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return {done, errno};
    }
    if (n == 0) return {done, EIO};
    done += static_cast<std::size_t>(n);
  }
  return {done, 0};
}

// Opening never waits: a FIFO named like the results file would otherwise
// hold the program in open() until something reads it.  Not O_CREAT, so
// that the caller knows whether it made the file.
constexpr int kOpenFlags =
    O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// A descriptor of the results file, and whether this open created it.
struct OpenedFile {
  int fd = -1;
  bool created = false;
  int error = 0;  // errno of a failed open
};

OpenedFile open_or_create(const std::string& path) {
  constexpr int kAttempts = 8;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const int fd = ::open(path.c_str(), kOpenFlags);
    if (fd >= 0) return OpenedFile{fd, false, 0};
    if (errno != ENOENT && errno != EINTR) return OpenedFile{-1, false, errno};
    const int made = ::open(path.c_str(), kOpenFlags | O_CREAT | O_EXCL, 0666);
    if (made >= 0) return OpenedFile{made, true, 0};
    // EEXIST: another program made it in between; open that one.
    if (errno != EEXIST && errno != EINTR) return OpenedFile{-1, false, errno};
  }
  // Still there and still missing: a symlink to a file not yet made, which
  // O_EXCL never follows.  The file it names is made as before; it is not
  // counted as this append's own.
  const int fd = ::open(path.c_str(), kOpenFlags | O_CREAT, 0666);
  return fd >= 0 ? OpenedFile{fd, false, 0} : OpenedFile{-1, false, errno};
}

bool same_file(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True while `path` still names the file open on `fd`: a program that waited
// for its turn may find the file it opened removed by the one before it.
bool still_named(int fd, const std::string& path) {
  struct stat open_file {};
  struct stat named {};
  return ::fstat(fd, &open_file) == 0 && ::stat(path.c_str(), &named) == 0 &&
         same_file(open_file, named);
}

// A FIFO, a socket or a device (also through a symlink, /dev/null among
// them) takes no report: only a regular file can be cut back.
bool is_regular(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// Removes the file this append created when nothing of it stays, unless
// someone has put another file at the path meanwhile.
void remove_if_ours_and_empty(int fd, const std::string& path) {
  struct stat open_file {};
  if (::fstat(fd, &open_file) != 0 || open_file.st_size != 0) return;
  if (still_named(fd, path)) (void)::unlink(path.c_str());
}

// How long an append waits for its turn: longer than any other merid
// program holds it, short enough that a lock held for good (any reader of
// the file may hold one) ends the program with a clear message.
constexpr int kTurnWaitMilliseconds = 5000;
constexpr int kTurnPollMilliseconds = 10;

void sleep_milliseconds(int milliseconds) {
  timespec left{0, milliseconds * 1000000L};
  while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

// Takes the turn, waiting for it a bounded time; false when the file stays
// locked that long.  A file system without flock gives every append its
// turn at once.
bool take_turn(int fd) {
  for (int waited = 0;; waited += kTurnPollMilliseconds) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return true;
    if (waited >= kTurnWaitMilliseconds) return false;
    sleep_milliseconds(kTurnPollMilliseconds);
  }
}

constexpr const char* kLocked = "locked by another program";

// While it lives, TERM, INT, HUP and QUIT wait: a report once begun is
// written whole, or cut back, before the program can be stopped; a signal
// that came meanwhile takes effect when it goes.
class StopSignalsHeld {
 public:
  StopSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal_number : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
      sigaddset(&held, signal_number);
    }
    ::sigprocmask(SIG_BLOCK, &held, &saved_);
  }
  ~StopSignalsHeld() { ::sigprocmask(SIG_SETMASK, &saved_, nullptr); }
  StopSignalsHeld(const StopSignalsHeld&) = delete;
  StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

 private:
  sigset_t saved_;
};

// The results file opened and this program's turn taken: every merid
// program holds an exclusive flock on the file from before it notes the
// length until after a cut-back, so the length noted is where its report
// begins and a cut-back removes its bytes only.  A file system without
// flock still gets the report; only the turn-taking is lost.
OpenedFile open_for_turn(const std::string& path) {
  constexpr int kAttempts = 8;
  OpenedFile file;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    file = open_or_create(path);
    // Not a regular file: refused at once, without waiting for a turn.
    if (file.fd < 0 || !is_regular(file.fd)) return file;
    if (!take_turn(file.fd)) {
      if (file.created) remove_if_ours_and_empty(file.fd, path);
      ::close(file.fd);
      return OpenedFile{-1, false, EWOULDBLOCK};
    }
    if (still_named(file.fd, path)) break;
    ::close(file.fd);
    file = OpenedFile{-1, false, ENOENT};
  }
  return file;
}

// The reason an open failed.  A FIFO that no one reads refuses a
// non-blocking open with ENXIO, whose words ("No such device or address")
// would puzzle a user who sees the name in the folder.
Status open_failure(const std::string& path, int error_number) {
  if (error_number == EWOULDBLOCK) return Status{ExitStatus::kFailure, kLocked};
  struct stat named {};
  if (error_number == ENXIO && ::stat(path.c_str(), &named) == 0 &&
      !S_ISREG(named.st_mode)) {
    return Status{ExitStatus::kFailure, kNotRegular};
  }
  return failure(error_number);
}

// Writes go out blocking again, as to any regular file.
void clear_nonblocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

// Ends a failed append that began at `start`: the file is cut back to
// `start` through `fd` itself, never by path name (the name may meanwhile
// belong to another file), and a file this append made is removed again.
// The turn is given up when the last descriptor closes.
Status cut_back(int fd, bool created, const std::string& path, off_t start,
                int error_number) {
  (void)::ftruncate(fd, start);
  if (created) remove_if_ours_and_empty(fd, path);
  ::close(fd);
  return failure(error_number);
}

Status append_report(const std::string& path, std::string_view bytes) {
  const OpenedFile file = open_for_turn(path);
  if (file.fd < 0) return open_failure(path, file.error);
  if (!is_regular(file.fd)) {
    ::close(file.fd);
    return Status{ExitStatus::kFailure, kNotRegular};
  }
  clear_nonblocking(file.fd);
  const StopSignalsHeld held;
  const off_t start = ::lseek(file.fd, 0, SEEK_END);
  if (start < 0) {
    const int seek_error = errno;
    ::close(file.fd);
    return failure(seek_error);
  }
  const int write_error = write_all(file.fd, bytes).second;
  if (write_error != 0) {
    return cut_back(file.fd, file.created, path, start, write_error);
  }
  // A file system may report a failed write only at close.  A second
  // descriptor of the same open file outlives the first, so that such a
  // report can still be cut back, and keeps the turn until then.
  const int keep = ::fcntl(file.fd, F_DUPFD_CLOEXEC, 0);
  const int close_error = ::close(file.fd) == 0 ? 0 : errno;
  if (keep < 0) return close_error == 0 ? Status{} : failure(close_error);
  if (close_error != 0) {
    return cut_back(keep, file.created, path, start, close_error);
  }
  ::close(keep);
  return Status{};
}

// The new file of a replacement, for the handler of a signal that stops
// the program meanwhile: a signal handler can reach nothing but globals,
// and may call only async-signal-safe functions (unlink, signal, raise).
// The program's one mutable global state, set and cleared by
// TemporaryFileGuard alone.
char g_temporary[4096];
volatile std::sig_atomic_t g_temporary_set = 0;

extern "C" void remove_temporary_and_stop(int signal_number) {
  if (g_temporary_set != 0) ::unlink(g_temporary);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

// The signals that stop a program a user or the system asks to stop.
constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

// While it lives, TERM, INT and HUP remove the new file `path` before they
// stop the program as they would have; a signal the program ignores stays
// ignored.
class TemporaryFileGuard {
 public:
  explicit TemporaryFileGuard(const std::string& path) {
    if (path.size() >= sizeof g_temporary) return;  // too long to create
    path.copy(g_temporary, path.size());
    g_temporary[path.size()] = '\0';
    g_temporary_set = 1;
    struct sigaction remove {};
    remove.sa_handler = remove_temporary_and_stop;
    sigemptyset(&remove.sa_mask);
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
      ::sigaction(kStopSignals[i], nullptr, &saved_[i]);
      if (saved_[i].sa_handler != SIG_IGN) {
        ::sigaction(kStopSignals[i], &remove, nullptr);
      }
    }
    installed_ = true;
  }
  ~TemporaryFileGuard() {
    if (!installed_) return;
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
      ::sigaction(kStopSignals[i], &saved_[i], nullptr);
    }
    g_temporary_set = 0;
  }
  TemporaryFileGuard(const TemporaryFileGuard&) = delete;
  TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

 private:
  bool installed_ = false;
  struct sigaction saved_[std::size(kStopSignals)]{};
};

// Whether `named` is the file behind standard output or standard error:
// replacing it would destroy what the program writes there.
const char* standard_stream(const struct stat& named) {
  struct stat stream {};
  if (::fstat(STDOUT_FILENO, &stream) == 0 && same_file(stream, named)) {
    return "it is the program's standard output";
  }
  if (::fstat(STDERR_FILENO, &stream) == 0 && same_file(stream, named)) {
    return "it is the program's standard error";
  }
  return nullptr;
}

// The old file's owner, group and mode on the new one `fd`: the owner and
// the group as far as the process may give them, the mode after them, as
// a change of owner clears set-user-ID bits.
int keep_owner_and_mode(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
    (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  }
  return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

class PosixEnv : public Env {
 public:
  // There is no "cls" here, and starting a shell only to be told so helps no
  // one: a terminal is cleared with ANSI sequences (home, erase the screen,
  // erase the scroll-back), anything else is left alone.
  void clear_screen() override {
    std::fflush(stdout);
    if (::isatty(STDOUT_FILENO) == 1) {
      static constexpr char kClear[] = "\x1b[H\x1b[2J\x1b[3J";
      std::fwrite(kClear, 1, sizeof kClear - 1, stdout);
      std::fflush(stdout);
    }
  }

  void sleep_seconds(int seconds) override {
    timespec left{seconds, 0};
    while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
  }

  Date local_date() override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  }

  // A report goes out whole or not at all, one program at a time: see
  // append_report.
  Status append_all_or_nothing(const std::string& path,
                               std::string_view bytes) override {
    return append_report(path, bytes);
  }
};

}  // namespace

Status replace_target(const std::string& name, ReplaceTarget& target) {
  target = ReplaceTarget{};
  struct stat named {};
  // stat follows every link, /proc/self/fd/1 to a pipe among them.
  if (::stat(name.c_str(), &named) == 0) {
    if (!S_ISREG(named.st_mode)) {
      return Status{ExitStatus::kFailure, kNotRegular};
    }
    if (const char* stream = standard_stream(named)) {
      return Status{ExitStatus::kFailure, stream};
    }
    target.exists = true;
    target.device = named.st_dev;
    target.inode = named.st_ino;
    target.links = named.st_nlink;
  } else if (errno != ENOENT) {
    return failure(errno);  // a loop of links among them
  }
  std::filesystem::path landing;
  if (!landing_path(name, landing)) return failure(ELOOP);
  target.path = landing.string();
  // Refused where writing into the old file would be refused.
  if (target.exists &&
      ::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
    return failure(errno);
  }
  return {};
}

Status replace_file(const ReplaceTarget& target, std::string_view bytes) {
  const std::filesystem::path path(target.path);
  const std::string temporary = temporary_name(path.parent_path()).string();
  struct stat old {};
  const bool replacing =
      target.exists && ::stat(target.path.c_str(), &old) == 0;
  const TemporaryFileGuard guard(temporary);
  const int fd = ::open(temporary.c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        replacing ? old.st_mode & 07777 : 0666);
  if (fd < 0) return failure(errno);
  int error = replacing ? keep_owner_and_mode(fd, old) : 0;
  if (error == 0) error = write_all(fd, bytes).second;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.path.c_str()) != 0) {
    error = errno;
  }
  if (error == 0) return {};
  ::unlink(temporary.c_str());
  return failure(error);
}

void platform_startup() {
  std::setvbuf(stdout, nullptr, _IOFBF, kOutputBufferBytes);
  std::signal(SIGXFSZ, SIG_IGN);
}

void binary_standard_error() {}

bool is_wide_console(std::FILE*) { return false; }

bool write_wide_console(std::FILE*, std::string_view) { return false; }

Env& system_env() {
  static PosixEnv env;
  return env;
}

}  // namespace merid
