#ifndef MERID_CONSOLE_INPUT_READER_H_
#define MERID_CONSOLE_INPUT_READER_H_

// Standard input as a stream of bytes with one-byte look-ahead and a fixed
// buffer, so that no line, however long, makes memory grow.

#include <array>
#include <cstddef>
#include <functional>
#include <string>

#include "base/byte_io.h"

namespace merid {

class InputReader {
 public:
  static constexpr int kEnd = -1;

  // `before_wait` runs before every read from `source` that may block (the
  // dialogue flushes its output there, so a prompt stands before the wait).
  explicit InputReader(ByteSource& source,
                       std::function<void()> before_wait = {});

  // The next byte (0-255) without taking it, or kEnd.  A CR immediately
  // before an LF belongs to the line end: the pair reads as one '\n'.
  int peek();
  // Takes the byte that peek() shows.
  int get();
  // True when the input is exhausted.
  bool at_end() { return peek() == kEnd; }
  // Drops everything up to and including the next line end.
  void skip_line();
  // Reads one line: keeps at most `limit` of its bytes (line end excluded)
  // in `out` and drops the rest of it.  False, with `out` empty, when the
  // input ends before the line starts.
  bool read_line_prefix(std::size_t limit, std::string& out);

 private:
  // Makes at least `count` bytes (at most 2) available unless input ends.
  void fill(std::size_t count);

  ByteSource& source_;
  std::function<void()> before_wait_;
  std::array<char, 4096> buffer_{};
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool exhausted_ = false;
};

}  // namespace merid

#endif  // MERID_CONSOLE_INPUT_READER_H_
