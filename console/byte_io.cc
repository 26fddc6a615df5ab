#include "console/byte_io.h"

#include <algorithm>

namespace merid {

std::size_t FileSource::read(char* buf, std::size_t n) {
  std::size_t count = 0;
  while (count < n) {
    const int c = std::getc(file_);
    if (c == EOF) break;
    buf[count++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  return count;
}

void FileSink::write(std::string_view bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), file_);
}

void FileSink::flush() { std::fflush(file_); }

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
