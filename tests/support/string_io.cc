#include "tests/support/string_io.h"

#include <algorithm>

namespace merid {

std::size_t StringSource::read(char* buf, std::size_t n) {
  const std::size_t line_end = text_.find('\n', pos_);
  const std::size_t available =
      (line_end == std::string::npos ? text_.size() : line_end + 1) - pos_;
  const std::size_t count = std::min(n, available);
  text_.copy(buf, count, pos_);
  pos_ += count;
  return count;
}

}  // namespace merid
