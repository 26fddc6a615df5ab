// merid-calc: the tank calculation from the command line, with text, JSON
// and CSV output, the amateur-band table and a plot of the responses.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_io.h"
#include "base/status.h"
#include "cli/calc_app.h"
#include "platform/platform.h"

namespace {

// Standard output that remembers why it first failed: results lost to a
// full disk, a closed descriptor or a dead pipe make the run a failure.
class CheckedStdout : public merid::ByteSink {
 public:
  void write(std::string_view bytes) override {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
      note_failure();
    }
  }
  void flush() override {
    errno = 0;
    if (std::fflush(stdout) != 0) note_failure();
  }
  // Empty while every byte has gone out.
  std::string failure() const {
    return error_ == 0 ? std::string() : std::strerror(error_);
  }

 private:
  void note_failure() {
    if (error_ == 0) error_ = errno != 0 ? errno : EIO;
  }
  int error_ = 0;
};

int report_failure(const std::string& what) {
  std::fputs(("merid-calc: " + what + "\n").c_str(), stderr);
  return static_cast<int>(merid::ExitStatus::kFailure);
}

}  // namespace

int main(int argc, char** argv) {
  merid::platform_startup();
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0),
                                           argv + argc);
  CheckedStdout out;
  merid::FileSink err(stderr);
  try {
    const merid::ExitStatus status =
        merid::run_calc(args, out, err, merid::write_whole_file);
    out.flush();
    if (!out.failure().empty()) {
      return report_failure("standard output: " + out.failure());
    }
    return static_cast<int>(status);
  } catch (const std::bad_alloc&) {
    std::fflush(stdout);
    return report_failure("out of memory");
  }
}
