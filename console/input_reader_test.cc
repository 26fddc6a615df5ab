#include "console/input_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/string_io.h"

namespace merid {
namespace {

// Hands over its text a few bytes per read, so that a CR and its LF can
// arrive in different reads; counts the reads.
class ChunkedSource : public ByteSource {
 public:
  ChunkedSource(std::string text, std::size_t chunk)
      : text_(std::move(text)), chunk_(chunk) {}
  std::size_t read(char* buf, std::size_t n) override {
    ++reads_;
    const std::size_t count = std::min({n, chunk_, text_.size() - pos_});
    text_.copy(buf, count, pos_);
    pos_ += count;
    return count;
  }
  int reads() const { return reads_; }

 private:
  std::string text_;
  std::size_t chunk_;
  std::size_t pos_ = 0;
  int reads_ = 0;
};

std::string read_all(InputReader& in) {
  std::string bytes;
  for (int c = in.get(); c != InputReader::kEnd; c = in.get()) {
    bytes.push_back(static_cast<char>(c));
  }
  return bytes;
}

std::vector<std::string> read_lines(InputReader& in, std::size_t limit) {
  std::vector<std::string> lines;
  std::string line;
  while (in.read_line_prefix(limit, line)) lines.push_back(line);
  return lines;
}

TEST(InputReader, LineEnds) {
  struct {
    const char* input;
    const char* expected;
  } const cases[] = {
      // A lone CR is an ordinary byte, even at the end of input; only the
      // CR right before an LF belongs to the line end.
      {"a\r\nb\r\n", "a\nb\n"},
      {"a\rb\n", "a\rb\n"},
      {"a\r", "a\r"},
      {"\r\r\n", "\r\n"},
      {"\n\r\n", "\n\n"},
      {"last", "last"},
      {"", ""},
  };
  for (const auto& c : cases) {
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{64}}) {
      ChunkedSource source(c.input, chunk);
      InputReader in(source);
      EXPECT_EQ(read_all(in), c.expected)
          << "input \"" << c.input << "\", chunk " << chunk;
    }
  }
}

TEST(InputReader, ReadLinePrefix) {
  struct {
    const char* input;
    std::size_t limit;
    std::vector<std::string> expected;
  } const cases[] = {
      {"7.1\r\n2\n", 10, {"7.1", "2"}},
      {"150.0000001\nnext\n", 10, {"150.000000", "next"}},
      {"\n\n", 10, {"", ""}},
      {"last", 10, {"last"}},
      {"a\rb\n", 10, {"a\rb"}},
      {"", 10, {}},
  };
  for (const auto& c : cases) {
    StringSource source(c.input);
    InputReader in(source);
    EXPECT_EQ(read_lines(in, c.limit), c.expected) << c.input;
  }
}

TEST(InputReader, LineLongerThanTheBufferIsDroppedPastTheLimit) {
  const std::string long_line(10000, '9');
  StringSource source("12" + long_line + "\r\n3.5\r\n");
  InputReader in(source);
  EXPECT_EQ(read_lines(in, 10),
            (std::vector<std::string>{"1299999999", "3.5"}));
}

// The source's read fills the buffer to its last byte with the CR, so the
// LF arrives only with the next read.
TEST(InputReader, CrLfSplitAtTheBufferEnd) {
  const std::string line(4095, 'x');
  StringSource source(line + "\r\nnext\r\n");
  InputReader in(source);
  EXPECT_EQ(read_lines(in, 5000), (std::vector<std::string>{line, "next"}));
}

TEST(InputReader, SkipLine) {
  StringSource source("abc\r\ndef\nghi");
  InputReader in(source);
  in.skip_line();
  EXPECT_EQ(in.get(), 'd');
  in.skip_line();
  in.skip_line();
  EXPECT_TRUE(in.at_end());
  in.skip_line();
  EXPECT_TRUE(in.at_end());
}

// A terminal blocks on every read: taking one line must not ask for the
// next, and the caller's hook runs before each read.
TEST(InputReader, ReadingALineDoesNotWaitForTheNext) {
  ChunkedSource source("7\r\n8\n", 3);
  int waits = 0;
  InputReader in(source, [&waits] { ++waits; });
  std::string line;
  ASSERT_TRUE(in.read_line_prefix(10, line));
  EXPECT_EQ(line, "7");
  EXPECT_EQ(source.reads(), 1);
  EXPECT_EQ(waits, 1);
}

}  // namespace
}  // namespace merid
