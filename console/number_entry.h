#ifndef MERID_CONSOLE_NUMBER_ENTRY_H_
#define MERID_CONSOLE_NUMBER_ENTRY_H_

// Keyboard entry of the dialogue's real values and of the menu choice, by
// the free-form rules: blanks, tabs, commas, semicolons and slashes
// separate; E, D or Q (or a bare sign) start an exponent; Inf, Infinity and
// NaN are words; a repeat prefix r* is passed over.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "console/console_writer.h"
#include "console/input_reader.h"

namespace merid {

// chislo reads at most this many bytes of a line.
inline constexpr std::size_t kRealBufferSize = 10;

enum class EntryStatus {
  kValue,       // a number was read
  kMalformed,   // the text is not a number
  kNoValue,     // blank line, or a value left empty (/, ;, a bare r*)
  kEndOfInput,  // standard input has ended
};

struct RealEntry {
  EntryStatus status = EntryStatus::kValue;
  float value = 0.0f;
  std::string text;  // the buffer as read, for the error report
};

// Reads one real number from the 10-byte buffer of a line (shorter lines
// are padded with blanks by the caller or not at all; both read alike).
// The first comma counts as a decimal point.
RealEntry parse_real(std::string_view buffer);

// Reads the next line of input and the real number at its start.
RealEntry chislo(InputReader& in);

// The text of the report on standard error for a failed chislo.
std::string describe_failure(const RealEntry& entry);

enum class IntegerStatus {
  kValue,       // `value` holds the integer; the rest of its line is gone
  kBad,         // not an integer; the rest of its line is gone
  kOverflow,    // outside 32 bits; only the number itself is gone
  kEndOfInput,  // input ended before a value
};

struct IntegerItem {
  IntegerStatus status = IntegerStatus::kValue;
  std::int32_t value = 0;
};

// One free-form integer read: passes over blank lines, then reads one item.
IntegerItem read_integer_item(InputReader& in);

// Reads integers until one succeeds, writing the bad-integer message after
// each failed read.  Empty at the end of input.
std::optional<std::int32_t> chislointeger(InputReader& in, ConsoleWriter& out);

}  // namespace merid

#endif  // MERID_CONSOLE_NUMBER_ENTRY_H_
