#ifndef MERID_TESTS_RELIABILITY_PROCESS_H_
#define MERID_TESTS_RELIABILITY_PROCESS_H_

// Runs the built programs as child processes under conditions a test sets
// up (input, working folder, a file-size limit, the SIGPIPE disposition),
// with a deadline, so that a hang fails the test instead of blocking it.

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace merid::reliability {

struct Launch {
  std::string program;
  std::filesystem::path dir;         // working folder
  std::filesystem::path stdin_file;  // empty: /dev/null
  int stdin_fd = -1;                 // a descriptor instead of the file
  int stdout_fd = -1;                // a descriptor instead of a capture
  std::optional<rlim_t> file_size_limit;
  bool ignore_sigpipe = false;  // as a parent that ignores it would
};

struct Ending {
  bool timed_out = false;
  int status = -1;  // the exit status, or -1 when a signal ended it
  int signal = 0;   // the signal that ended it, or 0
  long max_rss_kib = 0;
  std::chrono::duration<double> elapsed{};
  std::string out;  // standard output, unless a descriptor took it
  std::string err;
};

// A child started by start() and not yet collected.
struct Child {
  pid_t pid = -1;
  std::filesystem::path out_file;
  std::filesystem::path err_file;
  std::chrono::steady_clock::time_point started;
};

// Starts the program; its standard output and error go to files in `dir`
// named after `tag`.
Child start(const Launch& launch, const std::string& tag);

// Waits for the child until `limit` after its start, kills it then, and
// returns how it ended.
Ending finish(const Child& child, std::chrono::duration<double> limit);

inline Ending run(
    const Launch& launch,
    std::chrono::duration<double> limit = std::chrono::seconds(30),
    const std::string& tag = "run") {
  return finish(start(launch, tag), limit);
}

// A fresh empty folder under the system's temporary folder, removed with
// all it holds when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& bytes);

}  // namespace merid::reliability

#endif  // MERID_TESTS_RELIABILITY_PROCESS_H_
