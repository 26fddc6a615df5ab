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
#include <string>
#include <string_view>
#include <utility>

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

void take_turn(int fd) {
  while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
}

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
    take_turn(file.fd);
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

// Removes the file this append created when nothing of it stays, unless
// someone has put another file at the path meanwhile.
void remove_if_ours_and_empty(int fd, const std::string& path) {
  struct stat open_file {};
  if (::fstat(fd, &open_file) != 0 || open_file.st_size != 0) return;
  if (still_named(fd, path)) (void)::unlink(path.c_str());
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
