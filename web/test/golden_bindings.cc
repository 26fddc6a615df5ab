// The test-only module: every value that synthesis leaves behind, by the
// golden file's column names, which only the tests' support knows.  The
// page's own module never includes it.

#include <emscripten/bind.h>

#include <cstdio>
#include <string>

#include "calc/synthesis.h"
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

}  // namespace
}  // namespace merid

EMSCRIPTEN_BINDINGS(merid_golden) {
  emscripten::function("synthesis", &merid::synthesis_json);
}
