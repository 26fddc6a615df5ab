// merid: the pi-network tank calculator.  Both programs share this main;
// each links the one file that selects its console encoding.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "base/byte_io.h"
#include "console/dialogue.h"
#include "console/input_reader.h"
#include "output/console_writer.h"
#include "platform/platform.h"
#include "text/messages.h"

namespace {

int report_failure(const char* what) {
  std::fflush(stdout);
  std::fprintf(stderr, "merid: %s\n", what);
  return static_cast<int>(merid::ExitStatus::kFailure);
}

// Standard input as the dialogue sees it: it ends once a write to standard
// output has failed.  A program started with SIGPIPE ignored would
// otherwise go on prompting into a pipe whose reader has gone, for as long
// as its input lasts.  The dialogue flushes its output before every read,
// so the failure shows here at the next read.
class InputWhileOutputWorks : public merid::ByteSource {
 public:
  std::size_t read(char* buf, std::size_t n) override {
    if (output_failed()) return 0;
    errno = 0;
    const std::size_t count = stdin_.read(buf, n);
    // An input that fails (closed, a folder) ends like one that ends, but
    // its reason is told instead of the end of input.
    if (std::ferror(stdin) && input_error_ == 0) {
      input_error_ = errno != 0 ? errno : EIO;
    }
    return count;
  }
  // Why standard input failed, or empty when it did not.
  std::string input_failure() const {
    return input_error_ == 0 ? std::string() : std::strerror(input_error_);
  }
  // Called right after a flush, so that errno holds the flush's reason.
  bool output_failed() {
    if (std::ferror(stdout) && output_error_ == 0) {
      output_error_ = errno != 0 ? errno : EIO;
    }
    return output_error_ != 0;
  }
  std::string reason() const { return std::strerror(output_error_); }

 private:
  merid::FileSource stdin_{stdin};
  int output_error_ = 0;
  int input_error_ = 0;
};

}  // namespace

int main() {
  merid::platform_startup();
  merid::FileSink sink(stdout);
  merid::ConsoleWriter out(sink, merid::console_messages());
  InputWhileOutputWorks source;
  merid::InputReader in(source, [&out] { out.flush(); });
  try {
    const merid::Status outcome =
        merid::run_dialogue(in, out, merid::system_env());
    out.flush();
    if (source.output_failed()) {
      return report_failure(("standard output: " + source.reason()).c_str());
    }
    if (!outcome.ok() && !source.input_failure().empty()) {
      return report_failure(
          ("standard input: " + source.input_failure()).c_str());
    }
    if (!outcome.ok()) {
      return report_failure(outcome.error.c_str());
    }
    return static_cast<int>(outcome.code);
  } catch (const std::bad_alloc&) {
    return report_failure("out of memory");
  }
}
