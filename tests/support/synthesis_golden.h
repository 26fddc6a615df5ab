#ifndef MERID_TESTS_SUPPORT_SYNTHESIS_GOLDEN_H_
#define MERID_TESTS_SUPPORT_SYNTHESIS_GOLDEN_H_

// The line format of the synthesis golden file, shared by its generator and
// its test: the six inputs of a design, then every value that synthesis
// leaves behind, each as the hexadecimal bit pattern of the 32-bit value.
// The columns are the design's fields that synthesis writes, from the field
// table, with the working values that no output shows between them.

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/inputs.h"
#include "calc/synthesis.h"
#include "design/pi_network.h"

namespace merid::golden {

struct Column {
  std::string_view name;
  std::uint32_t bits;
};

inline std::uint32_t bits(float x) { return std::bit_cast<std::uint32_t>(x); }
inline std::uint32_t bits(std::int32_t n) {
  return std::bit_cast<std::uint32_t>(n);
}
// A field's bits; the pi network's fields are all floats or integers.
inline std::uint32_t bits(const FieldCell& value) {
  if (const float* x = std::get_if<float>(&value)) return bits(*x);
  if (const auto* n = std::get_if<std::int32_t>(&value)) return bits(*n);
  return 0;
}

inline std::array<std::uint32_t, kInputCount> inputs_of(const Design& d) {
  std::array<std::uint32_t, kInputCount> in{};
  for (std::size_t i = 0; i < kInputCount; ++i) {
    in[i] = bits(d.*kInputs[i].member);
  }
  return in;
}

inline Design design_from(const std::array<std::uint32_t, kInputCount>& in) {
  Design d;
  for (std::size_t i = 0; i < kInputCount; ++i) {
    d.*kInputs[i].member = std::bit_cast<float>(in[i]);
  }
  return d;
}

// The table's fields of one kind that synthesis writes.  Of the inputs it
// writes only f, which it turns into Hz and back.
inline void append_fields(std::vector<Column>& out, const Design& d,
                          FieldKind kind) {
  // Read as synthesis left the design, feasible or not.
  const TankDesign model = pi_model(d);
  for (const Field& field : pi_fields()) {
    if (field.kind != kind) continue;
    if (kind == FieldKind::kInput && field.key != "f") continue;
    out.push_back({field.key, bits(field.get(*model))});
  }
}

// Everything a calculation can change, in file order.  An infeasible design
// keeps the zero results and details of a fresh Design.
inline std::vector<Column> outputs_of(const Design& d) {
  const Details& x = d.details;
  std::vector<Column> out = {{"infeasible", d.infeasible ? 1u : 0u}};
  append_fields(out, d, FieldKind::kInput);
  append_fields(out, d, FieldKind::kTypedF);
  append_fields(out, d, FieldKind::kResult);
  out.insert(out.end(), {
                            {"tank.c1", bits(x.tank.c1)},
                            {"tank.c2", bits(x.tank.c2)},
                            {"tank.l", bits(x.tank.l)},
                            {"tank.q0", bits(x.tank.q0)},
                            {"tank.rout", bits(x.tank.rout)},
                            {"xc1", bits(x.xc1)},
                            {"xc2", bits(x.xc2)},
                            {"xl", bits(x.xl)},
                            {"vref2.re", bits(x.vref2.re)},
                            {"vref2.im", bits(x.vref2.im)},
                            {"fstart", bits(x.fstart)},
                            {"fstop", bits(x.fstop)},
                        });
  append_fields(out, d, FieldKind::kSweep);
  return out;
}

// The header's second line ends with the output columns after this.
inline constexpr std::string_view kColumnsLead =
    "# Columns: f qn q0 rin rout pin (inputs, f in MHz), then";

// One line: the inputs, then the outputs, as eight hex digits each.
inline std::string format_line(const Design& input, const Design& output) {
  std::string line;
  char word[10];
  for (const std::uint32_t b : inputs_of(input)) {
    std::snprintf(word, sizeof word, "%08x ", static_cast<unsigned>(b));
    line += word;
  }
  for (const Column& field : outputs_of(output)) {
    std::snprintf(word, sizeof word, "%08x ",
                  static_cast<unsigned>(field.bits));
    line += word;
  }
  line.back() = '\n';
  return line;
}

}  // namespace merid::golden

#endif  // MERID_TESTS_SUPPORT_SYNTHESIS_GOLDEN_H_
