#ifndef MERID_CONSOLE_NUMBER_ENTRY_H_
#define MERID_CONSOLE_NUMBER_ENTRY_H_

// Keyboard entry of the dialogue's real values and of the menu choice, by
// the free-form rules of base/free_form.h.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/free_form.h"
#include "console/input_reader.h"
#include "output/console_writer.h"

namespace merid {

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
