#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace merid::fuzz {

void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

std::size_t PacedSource::read(char* buf, std::size_t n) {
  const std::size_t line_end = text_.find('\n', pos_);
  std::size_t count =
      (line_end == std::string_view::npos ? text_.size() : line_end + 1) - pos_;
  count = std::min(count, n);
  if (piece_ > 0) count = std::min(count, piece_);
  text_.copy(buf, count, pos_);
  pos_ += count;
  return count;
}

Status MemoryEnv::append_all_or_nothing(const std::string& path,
                                        std::string_view bytes) {
  require(path == "rezultat.txt", "the report goes to rezultat.txt");
  if (++attempts_ == fail_at_) {
    ++failed_;
    return Status{ExitStatus::kFailure, "No space left on device"};
  }
  reports_.emplace_back(bytes);
  return Status{};
}

std::uint32_t take_word(const std::uint8_t*& data, std::size_t& size) {
  std::uint32_t word = 0;
  for (int i = 0; i < 4; ++i) {
    std::uint32_t byte = 0;
    if (size > 0) {
      byte = *data++;
      --size;
    }
    word |= byte << (8 * i);
  }
  return word;
}

}  // namespace merid::fuzz
