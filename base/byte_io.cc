#include "base/byte_io.h"

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

}  // namespace merid
