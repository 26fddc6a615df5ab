#include "console/number_entry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "base/quoted.h"

namespace merid {
namespace {

constexpr std::uint64_t kMaxPositive = std::numeric_limits<std::int32_t>::max();
constexpr std::uint64_t kMaxNegative = kMaxPositive + 1;
constexpr std::uint64_t kTooLarge = kMaxNegative + 1;

// A signed run of digits read from the stream.  The magnitude stops growing
// at kTooLarge, so a line of any length of digits is read through without
// keeping more than one number.
struct DigitRun {
  bool negative = false;
  bool has_sign = false;
  bool has_digits = false;
  std::uint64_t magnitude = 0;
};

void take_digits(InputReader& in, DigitRun& run) {
  while (is_digit(in.peek())) {
    const auto digit = static_cast<std::uint64_t>(in.get() - '0');
    run.magnitude = std::min(run.magnitude * 10 + digit, kTooLarge);
    run.has_digits = true;
  }
}

DigitRun take_signed_digits(InputReader& in) {
  DigitRun run;
  if (is_sign(in.peek())) {
    run.has_sign = true;
    run.negative = in.get() == '-';
  }
  take_digits(in, run);
  return run;
}

bool is_repeat_count(const DigitRun& run) {
  return !run.has_sign && run.has_digits && run.magnitude > 0 &&
         run.magnitude <= kMaxPositive;
}

bool ends_item(int c) {
  return is_separator(c) || c == '\n' || c == InputReader::kEnd;
}

bool fits_int32(const DigitRun& run) {
  return run.magnitude <= (run.negative ? kMaxNegative : kMaxPositive);
}

std::int32_t to_int32(const DigitRun& run) {
  const auto magnitude = static_cast<std::int64_t>(run.magnitude);
  return static_cast<std::int32_t>(run.negative ? -magnitude : magnitude);
}

// Passes over blanks, tabs and empty lines to the first byte of an item.
// False when the input ends first.
bool skip_to_item(InputReader& in) {
  for (int c = in.peek(); c != InputReader::kEnd; c = in.peek()) {
    if (!is_blank(c) && c != '\n') return true;
    in.get();
  }
  return false;
}

IntegerItem bad_item(InputReader& in) {
  in.skip_line();
  return IntegerItem{IntegerStatus::kBad, 0};
}

}  // namespace

RealEntry chislo(InputReader& in) {
  std::string buffer;
  if (!in.read_line_prefix(kRealBufferSize, buffer)) {
    return RealEntry{EntryStatus::kEndOfInput, 0.0f, buffer};
  }
  return parse_real(buffer);
}

std::string describe_failure(const RealEntry& entry) {
  switch (entry.status) {
    case EntryStatus::kMalformed:
      return "malformed real number " + quoted(entry.text);
    case EntryStatus::kNoValue:
      return "no real number in the line " + quoted(entry.text);
    case EntryStatus::kEndOfInput:
      return "end of input while reading a real number";
    case EntryStatus::kValue:
      break;
  }
  return {};
}

IntegerItem read_integer_item(InputReader& in) {
  if (!skip_to_item(in)) return IntegerItem{IntegerStatus::kEndOfInput, 0};
  DigitRun number = take_signed_digits(in);
  if (in.peek() == '*' && is_repeat_count(number)) {
    in.get();
    number = take_signed_digits(in);
  }
  if (!number.has_digits || !ends_item(in.peek())) return bad_item(in);
  // What follows an overflowing number stays for the next read.
  if (!fits_int32(number)) return IntegerItem{IntegerStatus::kOverflow, 0};
  in.skip_line();
  return IntegerItem{IntegerStatus::kValue, to_int32(number)};
}

std::optional<std::int32_t> chislointeger(InputReader& in, ConsoleWriter& out) {
  for (;;) {
    const IntegerItem item = read_integer_item(in);
    switch (item.status) {
      case IntegerStatus::kValue:
        return item.value;
      case IntegerStatus::kEndOfInput:
        return std::nullopt;
      case IntegerStatus::kBad:
      case IntegerStatus::kOverflow:
        out.text_line(Msg::kBadInteger);
        break;
    }
  }
}

}  // namespace merid
