#ifndef MERID_TESTS_SUPPORT_STRING_IO_H_
#define MERID_TESTS_SUPPORT_STRING_IO_H_

// Byte source and sink over strings, so that tests feed exact input and
// capture exact output.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "base/byte_io.h"

namespace merid {

// Hands out its text a line at a time, as a terminal would.
class StringSource : public ByteSource {
 public:
  explicit StringSource(std::string text) : text_(std::move(text)) {}
  std::size_t read(char* buf, std::size_t n) override;

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

class StringSink : public ByteSink {
 public:
  void write(std::string_view bytes) override { text_.append(bytes); }
  void flush() override {}
  const std::string& text() const { return text_; }
  void clear() { text_.clear(); }

 private:
  std::string text_;
};

}  // namespace merid

#endif  // MERID_TESTS_SUPPORT_STRING_IO_H_
