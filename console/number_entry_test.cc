#include "console/number_entry.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/free_form.h"
#include "tests/support/string_io.h"

namespace merid {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

std::uint32_t bits(float f) { return std::bit_cast<std::uint32_t>(f); }

TEST(ParseReal, Values) {
  struct {
    std::string_view buffer;
    float expected;
  } const cases[] = {
      {"12,5", 12.5f},
      {"1,5,3", 1.5f},  // the second comma ends the number
      {",5", 0.5f},
      {"1 000", 1.0f},
      {"  7", 7.0f},
      {"\t7", 7.0f},
      {"-2", -2.0f},
      {"+.5", 0.5f},
      {"5.", 5.0f},
      {"12 abc", 12.0f},
      {"12;x", 12.0f},
      {"12/x", 12.0f},
      {"1.5e3", 1500.0f},
      {"1.5D3", 1500.0f},
      {"1.5q3", 1500.0f},
      {"1.5E+3", 1500.0f},
      {"1.5d-3", 0.0015f},
      {"1.5+3", 1500.0f},
      {"1.5-3", 0.0015f},
      {"-2.5+1", -25.0f},
      {"2*7.5", 7.5f},
      {"02*-1", -1.0f},
      {"0.1", 0.1f},
      {"16777217", 16777216.0f},    // halfway: to even
      {"1.00000006", 1.00000012f},  // just past halfway: up
      {"1e-45", std::numeric_limits<float>::denorm_min()},
      {"1e39", kInf},
      {"-1e39", -kInf},
      {"1e-50", 0.0f},
      {"-1e-50", -0.0f},
      {"0e99", 0.0f},
      {"inf", kInf},
      {"INF", kInf},
      {"+Infinity", kInf},
      {"-Infinity", -kInf},
      {"2*inf", kInf},
  };
  for (const auto& c : cases) {
    const RealEntry entry = parse_real(c.buffer);
    EXPECT_EQ(entry.status, EntryStatus::kValue) << c.buffer;
    EXPECT_EQ(bits(entry.value), bits(c.expected)) << c.buffer;
  }
}

TEST(ParseReal, NotANumber) {
  for (const std::string_view buffer : {"nan", "NaN", "-NAN  x"}) {
    const RealEntry entry = parse_real(buffer);
    EXPECT_EQ(entry.status, EntryStatus::kValue) << buffer;
    EXPECT_TRUE(std::isnan(entry.value)) << buffer;
    EXPECT_EQ(std::signbit(entry.value), buffer[0] == '-') << buffer;
  }
}

TEST(ParseReal, Failures) {
  struct {
    std::string_view buffer;
    EntryStatus expected;
  } const cases[] = {
      {"abc", EntryStatus::kMalformed},
      {"12abc", EntryStatus::kMalformed},
      {"1..5", EntryStatus::kMalformed},
      {"1.2.3", EntryStatus::kMalformed},
      {"-", EntryStatus::kMalformed},
      {"+ 5", EntryStatus::kMalformed},
      {"--1", EntryStatus::kMalformed},
      {".", EntryStatus::kMalformed},
      {", 5", EntryStatus::kMalformed},  // the comma is a lone point
      {"1.5e", EntryStatus::kMalformed},
      {"1.5e+", EntryStatus::kMalformed},
      {"1.5+", EntryStatus::kMalformed},
      {"1.5e3x", EntryStatus::kMalformed},
      {"e5", EntryStatus::kMalformed},
      {"1.5x", EntryStatus::kMalformed},
      {"Infinit", EntryStatus::kMalformed},
      {"nanx", EntryStatus::kMalformed},
      {"0*5", EntryStatus::kMalformed},
      {"-2*5", EntryStatus::kMalformed},
      {"*5", EntryStatus::kMalformed},
      {"2*3*4", EntryStatus::kMalformed},
      {"7.1\r", EntryStatus::kMalformed},
      {std::string_view("1\0", 2), EntryStatus::kMalformed},
      {"", EntryStatus::kNoValue},
      {"          ", EntryStatus::kNoValue},
      {" \t ", EntryStatus::kNoValue},
      {"/", EntryStatus::kNoValue},
      {"  /12", EntryStatus::kNoValue},
      {";5", EntryStatus::kNoValue},
      {"3*", EntryStatus::kNoValue},
      {"3* 5", EntryStatus::kNoValue},
      {"3*/", EntryStatus::kNoValue},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parse_real(c.buffer).status, c.expected) << c.buffer;
  }
}

std::vector<RealEntry> chislo_all(const std::string& input) {
  StringSource source(input);
  InputReader in(source);
  std::vector<RealEntry> entries;
  for (;;) {
    entries.push_back(chislo(in));
    if (entries.back().status == EntryStatus::kEndOfInput) return entries;
  }
}

// Only the first ten bytes of each line count; the rest is dropped.
TEST(Chislo, ReadsTheFirstTenBytesOfEachLine) {
  struct {
    const char* input;
    std::vector<float> expected;
  } const cases[] = {
      {"150.0000001\n2\n", {150.0f, 2.0f}},
      {"1.23456e+10\n", {12.3456f}},
      {"         7\n", {7.0f}},
      {"7.1\r\n7.1\n7.1", {7.1f, 7.1f, 7.1f}},
  };
  for (const auto& c : cases) {
    const std::vector<RealEntry> entries = chislo_all(c.input);
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      ASSERT_LT(i, entries.size()) << c.input;
      EXPECT_EQ(entries[i].status, EntryStatus::kValue) << c.input;
      EXPECT_EQ(bits(entries[i].value), bits(c.expected[i])) << c.input;
    }
  }
}

TEST(Chislo, StatusOfTheLine) {
  struct {
    const char* input;
    EntryStatus expected;
  } const cases[] = {
      {"", EntryStatus::kEndOfInput},
      {"\n", EntryStatus::kNoValue},
      {"\r\n", EntryStatus::kNoValue},
      {"          x\n", EntryStatus::kNoValue},  // x lies past the buffer
      {"12abc\n", EntryStatus::kMalformed},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(chislo_all(c.input).front().status, c.expected) << c.input;
  }
}

TEST(Chislo, FailureReport) {
  struct {
    const char* input;
    const char* expected;
  } const cases[] = {
      {"12abc\n", "malformed real number \"12abc\""},
      {"1..5 and more\n", "malformed real number \"1..5 and m\""},
      {"1\x1b[2J\n", "malformed real number \"1\\x1B[2J\""},
      {"\xd0\xb0\n", "malformed real number \"\\xD0\\xB0\""},
      {"a\"b\\c\n", "malformed real number \"a\\\"b\\\\c\""},
      {"\n", "no real number in the line \"\""},
      {"3*\n", "no real number in the line \"3*\""},
      {"", "end of input while reading a real number"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(describe_failure(chislo_all(c.input).front()), c.expected)
        << c.input;
  }
}

// ---- Integer entry ----------------------------------------------------

// Hands over `repeats` copies of `unit`, then `tail`, never holding more.
class RepeatSource : public ByteSource {
 public:
  RepeatSource(std::string unit, std::size_t repeats, std::string tail)
      : unit_(std::move(unit)), tail_(std::move(tail)), repeats_(repeats) {}
  std::size_t read(char* buf, std::size_t n) override {
    if (pending_.empty() && repeats_ > 0) {
      pending_ = unit_;
      --repeats_;
    } else if (pending_.empty()) {
      pending_.swap(tail_);
    }
    const std::size_t count = pending_.copy(buf, n);
    pending_.erase(0, count);
    return count;
  }

 private:
  std::string unit_;
  std::string tail_;
  std::size_t repeats_;
  std::string pending_;
};

struct Item {
  IntegerStatus status;
  std::int32_t value = 0;
  bool operator==(const Item&) const = default;
};

constexpr Item kBad{IntegerStatus::kBad, 0};
constexpr Item kOverflow{IntegerStatus::kOverflow, 0};
constexpr Item kEnd{IntegerStatus::kEndOfInput, 0};
constexpr Item value(std::int32_t v) { return Item{IntegerStatus::kValue, v}; }

std::vector<Item> read_items(ByteSource& source) {
  InputReader in(source);
  std::vector<Item> items;
  for (;;) {
    const IntegerItem item = read_integer_item(in);
    items.push_back(Item{item.status, item.value});
    if (item.status == IntegerStatus::kEndOfInput) return items;
  }
}

std::vector<Item> read_items(const std::string& input) {
  StringSource source(input);
  return read_items(source);
}

void PrintTo(const Item& item, std::ostream* os) {
  *os << "{status " << static_cast<int>(item.status) << ", " << item.value
      << "}";
}

TEST(ReadIntegerItem, Items) {
  struct {
    const char* input;
    std::vector<Item> expected;
  } const cases[] = {
      {"3\n", {value(3), kEnd}},
      {"3", {value(3), kEnd}},
      {"+5\r\n-6\r\n", {value(5), value(-6), kEnd}},
      {"3 4\n5\n", {value(3), value(5), kEnd}},
      {"3,4\n", {value(3), kEnd}},
      {"3;4\n", {value(3), kEnd}},
      {"3/4\n", {value(3), kEnd}},
      {"\t3\tx\n", {value(3), kEnd}},
      {"\n\n7\n", {value(7), kEnd}},
      {"  \t\n \r\n 7", {value(7), kEnd}},
      {"000000000000000000007\n", {value(7), kEnd}},
      {"2147483647\n", {value(2147483647), kEnd}},
      {"-2147483648\n", {value(-2147483647 - 1), kEnd}},
      {"2*3\n", {value(3), kEnd}},
      {"2*-3\n", {value(-3), kEnd}},
      {"x\n3\n", {kBad, value(3), kEnd}},
      {"2.5\n", {kBad, kEnd}},
      {"1e1 7\n", {kBad, kEnd}},
      {"12a\n4\n", {kBad, value(4), kEnd}},
      {"-\n", {kBad, kEnd}},
      {"+ 4\n", {kBad, kEnd}},
      {"-", {kBad, kEnd}},
      {",3\n", {kBad, kEnd}},
      {"/\n", {kBad, kEnd}},
      {" ;\n", {kBad, kEnd}},
      {"3\r\n", {value(3), kEnd}},
      {"3\rx\n", {kBad, kEnd}},
      {"3*\n", {kBad, kEnd}},
      {"3* 4\n", {kBad, kEnd}},
      {"0*3\n", {kBad, kEnd}},
      {"-2*3\n", {kBad, kEnd}},
      {"2*3*4\n", {kBad, kEnd}},
      {"99999999999*3\n", {kBad, kEnd}},
      // After an overflow the rest of the line is read on.
      {"2147483648\n", {kOverflow, kEnd}},
      {"-2147483649\n", {kOverflow, kEnd}},
      {"99999999999 3\n", {kOverflow, value(3), kEnd}},
      {"99999999999\n3\n", {kOverflow, value(3), kEnd}},
      {"2*99999999999 3\n", {kOverflow, value(3), kEnd}},
      {"99999999999,3\n", {kOverflow, kBad, kEnd}},
      {"", {kEnd}},
      {"  \n\t", {kEnd}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read_items(c.input), c.expected) << c.input;
  }
}

// The reader holds no more than one number however long the line: these
// lines far exceed the input buffer.
TEST(ReadIntegerItem, LongLinesAreReadThrough) {
  constexpr std::size_t kRepeats = 4096;  // 1 MiB lines
  struct {
    std::string unit;
    std::string tail;
    std::vector<Item> expected;
  } const cases[] = {
      {std::string(256, '9'), "\n7\n", {kOverflow, value(7), kEnd}},
      {std::string(256, '0'), "42\n", {value(42), kEnd}},
      {std::string(256, 'x'), "\n7\n", {kBad, value(7), kEnd}},
      {"5" + std::string(255, ' '), "x\n7\n", {value(5), value(7), kEnd}},
      {std::string(256, ' '), "\n7\n", {value(7), kEnd}},
  };
  for (const auto& c : cases) {
    RepeatSource source(c.unit, kRepeats, c.tail);
    EXPECT_EQ(read_items(source), c.expected) << c.unit.substr(0, 1);
  }
}

// A reader that asked for a line ahead would block a terminal.
TEST(ReadIntegerItem, StopsAtTheEndOfItsLine) {
  StringSource source("3 4\n5\n");
  int waits = 0;
  InputReader in(source, [&waits] { ++waits; });
  EXPECT_EQ(read_integer_item(in).value, 3);
  EXPECT_EQ(waits, 1);
}

// Only the bad-integer message is written here; it reads "?".
std::array<std::string_view, kMessageCount> bad_integer_only() {
  std::array<std::string_view, kMessageCount> texts{};
  texts[static_cast<std::size_t>(Msg::kBadInteger)] = "?";
  return texts;
}

TEST(Chislointeger, Answers) {
  struct {
    const char* input;
    std::optional<std::int32_t> expected;
    const char* output;
  } const cases[] = {
      {"3\n", 3, ""},
      {"\n\n7\n", 7, ""},
      {"3 4\n", 3, ""},
      {"x\n3\n", 3, " ?\r\n"},
      {"x\n2.5\n\n5\n", 5, " ?\r\n ?\r\n"},
      {"99999999999 3\n", 3, " ?\r\n"},
      {"", std::nullopt, ""},
      {"\n  \n", std::nullopt, ""},
      {"x\n", std::nullopt, " ?\r\n"},
  };
  const MessageTable messages(bad_integer_only());
  for (const auto& c : cases) {
    StringSource source(c.input);
    InputReader in(source);
    StringSink sink;
    ConsoleWriter out(sink, messages);
    EXPECT_EQ(chislointeger(in, out), c.expected) << c.input;
    EXPECT_EQ(sink.text(), c.output) << c.input;
  }
}

}  // namespace
}  // namespace merid
