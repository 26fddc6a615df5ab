#ifndef MERID_TESTS_SUPPORT_RUN_PROGRAM_H_
#define MERID_TESTS_SUPPORT_RUN_PROGRAM_H_

// Runs a built program as a child process under conditions a test sets up
// (arguments, input, working folder, a file-size limit, the SIGPIPE
// disposition), with a deadline, so that a hang fails the test instead of
// blocking it.  The one way the tests start the programs.

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merid {

struct Launch {
  std::string program;
  std::vector<std::string> args;     // after the program's own name
  std::filesystem::path dir;         // working folder
  std::filesystem::path stdin_file;  // empty: /dev/null
  int stdin_fd = -1;                 // a descriptor instead of the file
  int stdout_fd = -1;                // a descriptor instead of a capture
  // Where the captures of standard output and error go; empty: `dir`.
  // Elsewhere when the test looks at what the program leaves in `dir`.
  std::filesystem::path capture_dir;
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

// Starts the program; its standard output and error go to files in the
// capture folder named after `tag`.  A program that cannot be started
// ends with status 127 and says why on its standard error.
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
void write_file(const std::filesystem::path& path, std::string_view bytes);

}  // namespace merid

#endif  // MERID_TESTS_SUPPORT_RUN_PROGRAM_H_
