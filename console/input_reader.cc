#include "console/input_reader.h"

#include <cstring>
#include <utility>

namespace merid {

InputReader::InputReader(ByteSource& source, std::function<void()> before_wait)
    : source_(source), before_wait_(std::move(before_wait)) {}

void InputReader::fill(std::size_t count) {
  while (end_ - begin_ < count && !exhausted_) {
    if (begin_ > 0) {
      std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
      end_ -= begin_;
      begin_ = 0;
    }
    if (before_wait_) before_wait_();
    const std::size_t got =
        source_.read(buffer_.data() + end_, buffer_.size() - end_);
    if (got == 0) exhausted_ = true;
    end_ += got;
  }
}

int InputReader::peek() {
  fill(1);
  if (begin_ == end_) return kEnd;
  const auto c = static_cast<unsigned char>(buffer_[begin_]);
  if (c == '\r') {
    fill(2);
    if (end_ - begin_ >= 2 && buffer_[begin_ + 1] == '\n') return '\n';
  }
  return c;
}

int InputReader::get() {
  const int c = peek();
  if (c == kEnd) return kEnd;
  // A CR LF pair is taken whole.
  begin_ += (c == '\n' && buffer_[begin_] == '\r') ? 2 : 1;
  return c;
}

void InputReader::skip_line() {
  for (int c = get(); c != kEnd && c != '\n'; c = get()) {
  }
}

bool InputReader::read_line_prefix(std::size_t limit, std::string& out) {
  out.clear();
  if (peek() == kEnd) return false;
  for (int c = get(); c != kEnd && c != '\n'; c = get()) {
    if (out.size() < limit) out.push_back(static_cast<char>(c));
  }
  return true;
}

}  // namespace merid
