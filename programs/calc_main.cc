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

// A standard stream that remembers why it first failed: results lost to a
// full disk, a closed descriptor or a dead pipe make the run a failure.
class CheckedStream : public merid::ByteSink {
 public:
  explicit CheckedStream(std::FILE* stream) : stream_(stream) {}

  void write(std::string_view bytes) override {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
      note_failure();
    }
  }
  void flush() override {
    errno = 0;
    if (std::fflush(stream_) != 0) note_failure();
  }
  // Empty while every byte has gone out.
  std::string failure() const {
    return error_ == 0 ? std::string() : std::strerror(error_);
  }

 private:
  void note_failure() {
    if (error_ == 0) error_ = errno != 0 ? errno : EIO;
  }
  std::FILE* stream_;
  int error_ = 0;
};

// A standard stream for merid-calc's UTF-8 text.  A Windows console gets
// it as wide characters at each flush (whole, so that no character is
// split between two writes) and shows it right at any code page; a file,
// a pipe or a POSIX terminal gets the bytes as they are, through the C
// stream's buffer (standard output is fully buffered; platform_startup()
// sets it), so they go out at each flush or when the buffer fills.
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

  // Empty while every byte has gone out.
  std::string failure() const { return bytes_.failure(); }

 private:
  std::FILE* stream_;
  CheckedStream bytes_;
  bool wide_;
  std::string pending_;
};

int report_failure(const std::string& what) {
  std::fputs(("merid-calc: " + what + "\n").c_str(), stderr);
  return static_cast<int>(merid::ExitStatus::kFailure);
}

}  // namespace

int main(int argc, char** argv) {
  merid::platform_startup();
  merid::binary_standard_error();
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0),
                                           argv + argc);
  TextStream out(stdout);
  TextStream err(stderr);
  try {
    merid::PlatformFileWriter files;
    const merid::ExitStatus status = merid::run_calc(args, out, err, files);
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
