// Fuzz target: the menu entry on arbitrary input streams (several lines, the
// end of input anywhere).
//
// Checks: the entry ends at the end of input; it returns exactly the values
// that the item reader finds, with one complaint, and nothing else, for
// each item that is not a 32-bit integer.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/input_reader.h"
#include "console/number_entry.h"
#include "fuzz/fuzz_support.h"
#include "output/console_writer.h"
#include "tests/support/string_io.h"
#include "text/messages.h"

namespace merid::fuzz {
namespace {

struct Reading {
  std::vector<std::int32_t> values;
  std::size_t failed_items = 0;
};

// The stream item by item.  Every item takes at least one byte, so more
// items than bytes means the reader has stopped moving.
Reading read_items(std::string_view text, std::size_t piece) {
  PacedSource source(text, piece);
  InputReader in(source);
  Reading reading;
  for (std::size_t items = 0;; ++items) {
    require(items <= text.size(), "every item takes input");
    const IntegerItem item = read_integer_item(in);
    if (item.status == IntegerStatus::kEndOfInput) return reading;
    if (item.status == IntegerStatus::kValue) {
      reading.values.push_back(item.value);
    } else {
      ++reading.failed_items;
    }
  }
}

void fuzz_one(std::string_view text) {
  const std::size_t piece = text.size() % 5;
  const Reading items = read_items(text, piece);

  PacedSource source(text, piece);
  InputReader in(source);
  StringSink sink;
  ConsoleWriter out(sink, utf8_messages());
  std::vector<std::int32_t> values;
  while (const std::optional<std::int32_t> choice = chislointeger(in, out)) {
    require(values.size() < items.values.size(), "no value but the items'");
    values.push_back(*choice);
  }
  require(values == items.values, "the entry returns the items' values");

  std::string complaints;
  std::string complaint = " ";
  complaint.append(utf8_messages()[Msg::kBadInteger]);
  complaint.append("\r\n");
  for (std::size_t i = 0; i < items.failed_items; ++i) complaints += complaint;
  require(sink.text() == complaints, "one complaint per failed item");
}

}  // namespace
}  // namespace merid::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  merid::fuzz::fuzz_one(
      std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
