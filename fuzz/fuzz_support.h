#ifndef MERID_FUZZ_FUZZ_SUPPORT_H_
#define MERID_FUZZ_FUZZ_SUPPORT_H_

// What the fuzz targets share: a failed check that stops the run, an input
// that arrives in small pieces, and an environment held in memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_io.h"
#include "platform/platform.h"

namespace merid::fuzz {

// Stops the run with `what` on standard error when `holds` is false.  Not an
// assert: the checks are the point of a fuzz target and stay in every build.
void require(bool holds, const char* what);

// Hands out a text at most `piece` bytes at a time (0: a whole line), as a
// pipe may; a CR LF pair can then be split between two reads.
class PacedSource : public ByteSource {
 public:
  PacedSource(std::string_view text, std::size_t piece)
      : text_(text), piece_(piece) {}
  std::size_t read(char* buf, std::size_t n) override;

 private:
  std::string_view text_;
  std::size_t piece_;
  std::size_t pos_ = 0;
};

// A console that is never cleared, a clock that never waits and a results
// file in memory.  Append number `fail_at` (counted from 1; 0 for never)
// fails, as a full disk would.
class MemoryEnv : public Env {
 public:
  explicit MemoryEnv(int fail_at = 0) : fail_at_(fail_at) {}

  void clear_screen() override {}
  void sleep_seconds(int) override {}
  Date local_date() override { return Date{2024, 2, 29}; }
  Status append_all_or_nothing(const std::string& path,
                               std::string_view bytes) override;

  // The file as a sequence of appended reports.
  const std::vector<std::string>& reports() const { return reports_; }
  int failed_appends() const { return failed_; }

 private:
  int fail_at_;
  int attempts_ = 0;
  int failed_ = 0;
  std::vector<std::string> reports_;
};

// Reads a little-endian 32-bit word from the front of `data` (zeros past its
// end) and drops it.
std::uint32_t take_word(const std::uint8_t*& data, std::size_t& size);

}  // namespace merid::fuzz

#endif  // MERID_FUZZ_FUZZ_SUPPORT_H_
