// merid-calc: the tank calculation from the command line, with text, JSON
// and CSV output, the amateur-band table and a plot of the responses.

#include <cstdio>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "cli/calc_app.h"
#include "console/byte_io.h"
#include "console/exit_status.h"
#include "platform/platform.h"

namespace {

// A standard stream for merid-calc's UTF-8 text.  A Windows console gets
// it as wide characters at each flush (whole, so that no character is
// split between two writes) and shows it right at any code page; a file,
// a pipe or a POSIX terminal gets the bytes as they are, at once.
class TextStream : public merid::ByteSink {
 public:
  explicit TextStream(std::FILE* stream)
      : stream_(stream),
        bytes_(stream),
        wide_(merid::is_wide_console(stream)) {}

  // What the program wrote last without a flush (a message on standard
  // error) is not lost.
  ~TextStream() override { flush(); }
  TextStream(const TextStream&) = delete;
  TextStream& operator=(const TextStream&) = delete;

  void write(std::string_view text) override {
    if (wide_) {
      pending_.append(text);
    } else {
      bytes_.write(text);
    }
  }

  // A console that refuses wide characters still gets the bytes.
  void flush() override {
    if (wide_ && !merid::write_wide_console(stream_, pending_)) {
      bytes_.write(pending_);
    }
    pending_.clear();
    bytes_.flush();
  }

 private:
  std::FILE* stream_;
  merid::FileSink bytes_;
  bool wide_;
  std::string pending_;
};

}  // namespace

int main(int argc, char** argv) {
  merid::platform_startup();
  merid::binary_standard_error();
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0),
                                           argv + argc);
  TextStream out(stdout);
  TextStream err(stderr);
  try {
    return static_cast<int>(
        merid::run_calc(args, out, err, merid::write_whole_file));
  } catch (const std::bad_alloc&) {
    std::fflush(stdout);
    std::fputs("merid-calc: out of memory\n", stderr);
    return static_cast<int>(merid::ExitStatus::kFailure);
  }
}
