// The platform seam on POSIX systems.

#include <fcntl.h>
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

  // O_APPEND makes each write land at the end of the file as one piece, so
  // reports from two programs at once never interleave.  A report that
  // goes out only in part is cut off again from where it began.
  Status append_all_or_nothing(const std::string& path,
                               std::string_view bytes) override {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return failure(errno);
    const auto [written, write_error] = write_all(fd, bytes);
    const off_t end = ::lseek(fd, 0, SEEK_CUR);
    const off_t start = end - static_cast<off_t>(written);
    if (write_error != 0) {
      if (written > 0 && end >= 0) (void)::ftruncate(fd, start);
      ::close(fd);
      return failure(write_error);
    }
    if (::close(fd) != 0) {
      const int close_error = errno;
      if (end >= 0) (void)::truncate(path.c_str(), start);
      return failure(close_error);
    }
    return Status{};
  }
};

}  // namespace

void platform_startup() { std::signal(SIGXFSZ, SIG_IGN); }

Env& system_env() {
  static PosixEnv env;
  return env;
}

}  // namespace merid
