// The test-only module: every value that synthesis leaves behind, by the
// golden file's column names, which only the tests' support knows, and the
// number rules the page's module applies, one by one.  The page's own
// module never includes it.

#include <emscripten/bind.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/free_form.h"
#include "base/inputs.h"
#include "calc/synthesis.h"
#include "output/data_output.h"
#include "tests/support/synthesis_golden.h"

namespace merid {
namespace {

// {"name": "8 hex digits", ...}; the names are ASCII words.
std::string synthesis_json(float f, float qn, float q0, float rin, float rout,
                           float pin) {
  Design d = make_design(f, qn, q0, rin, rout, pin);
  synthesis(d);
  std::string out = "{";
  for (const golden::Column& column : golden::outputs_of(d)) {
    char bits[9];
    std::snprintf(bits, sizeof bits, "%08x",
                  static_cast<unsigned>(column.bits));
    if (out.size() > 1) out += ",";
    out += "\"" + std::string(column.name) + "\":\"" + bits + "\"";
  }
  return out + "}";
}

std::string hex_bits(float x) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x",
                static_cast<unsigned>(std::bit_cast<std::uint32_t>(x)));
  return text;
}

// A line typed for a real value, read as the dialogue reads it: its first
// ten bytes by the free-form rules; the value and its bits.
std::string parse_json(const std::string& line) {
  const std::string_view text(line);
  const std::string_view first_line = text.substr(0, text.find('\n'));
  const RealEntry entry = parse_real(first_line.substr(0, kRealBufferSize));
  std::string_view status = "value";
  if (entry.status == EntryStatus::kMalformed) status = "malformed";
  if (entry.status == EntryStatus::kNoValue) status = "empty";
  return "{\"status\": " + json_string(status) +
         ", \"bits\": " + json_string(hex_bits(entry.value)) +
         ", \"value\": " + json_number(entry.value) + "}";
}

bool input_refused(int input, float value, float qn) {
  return refused(static_cast<Input>(input), value, qn);
}

std::string input_range(int input, float qn) {
  return range_text(static_cast<Input>(input), qn);
}

}  // namespace
}  // namespace merid

EMSCRIPTEN_BINDINGS(merid_golden) {
  emscripten::function("synthesis", &merid::synthesis_json);
  emscripten::function("parse", &merid::parse_json);
  emscripten::function("refused", &merid::input_refused);
  emscripten::function("range", &merid::input_range);
}
