// Every value synthesis computes, for a thousand designs across the accepted
// ranges, compared bit for bit with the values recorded in
// testdata/synthesis_golden.txt.  The file holds the inputs too, so a change
// that moves any result by one unit in the last place shows up here with the
// design and the field it touched.  Values are matched by the column names
// of the file's header, so a field added later is simply not in the file.
// The file was written by tools/synthesis_golden_gen; regenerate it only
// for an intended change of results.

#include "tests/support/synthesis_golden.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calc/synthesis.h"

namespace merid {
namespace {

struct GoldenLine {
  int line_number;
  std::array<std::uint32_t, kInputCount> inputs;
  std::vector<std::uint32_t> outputs;
};

struct GoldenFile {
  std::vector<std::string> columns;  // of the outputs
  std::vector<GoldenLine> lines;
};

GoldenFile read_golden(const char* path) {
  std::ifstream file(path);
  GoldenFile golden;
  std::string text;
  int line_number = 0;
  while (std::getline(file, text)) {
    ++line_number;
    if (text.starts_with(golden::kColumnsLead)) {
      std::istringstream names(text.substr(golden::kColumnsLead.size()));
      for (std::string name; names >> name;) golden.columns.push_back(name);
    }
    if (text.empty() || text[0] == '#') continue;
    std::istringstream words(text);
    GoldenLine line{line_number, {}, {}};
    for (std::uint32_t& b : line.inputs) words >> std::hex >> b;
    std::uint32_t b;
    while (words >> std::hex >> b) line.outputs.push_back(b);
    golden.lines.push_back(line);
  }
  return golden;
}

bool is_nan_bits(std::uint32_t b) {
  return std::isnan(std::bit_cast<float>(b));
}

// Exact equality of the bit patterns.  A not-a-number matches any
// not-a-number: its sign and payload come from whichever operand of a
// commutative operation the compiler happens to put first, and are no part
// of the result.
bool same(std::uint32_t expected, std::uint32_t actual) {
  return expected == actual || (is_nan_bits(expected) && is_nan_bits(actual));
}

TEST(SynthesisGolden, EveryResultBitForBit) {
  const GoldenFile golden = read_golden(MERID_SYNTHESIS_GOLDEN);
  const std::vector<GoldenLine>& lines = golden.lines;
  ASSERT_GE(lines.size(), 1000u) << "cannot read " << MERID_SYNTHESIS_GOLDEN;
  ASSERT_FALSE(golden.columns.empty()) << "no column names";

  int mismatches = 0;
  int infeasible = 0;
  for (const GoldenLine& line : lines) {
    Design d = golden::design_from(line.inputs);
    synthesis(d);
    infeasible += d.infeasible ? 1 : 0;
    std::map<std::string_view, std::uint32_t> actual;
    for (const golden::Column& field : golden::outputs_of(d)) {
      actual[field.name] = field.bits;
    }
    ASSERT_EQ(golden.columns.size(), line.outputs.size())
        << "line " << line.line_number;
    for (std::size_t i = 0; i < golden.columns.size(); ++i) {
      const std::string& name = golden.columns[i];
      const auto found = actual.find(name);
      ASSERT_NE(found, actual.end()) << "no field " << name << " any more";
      if (same(line.outputs[i], found->second)) continue;
      if (++mismatches <= 20) {
        ADD_FAILURE() << "line " << line.line_number << " (f " << d.fmhz
                      << " MHz, qn " << d.qn << ", q0 " << d.q0 << ", " << d.rin
                      << " -> " << d.rout << " ohm): " << name << " is "
                      << std::hex << found->second << ", recorded "
                      << line.outputs[i];
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  // The set keeps infeasible designs as well as feasible ones.
  EXPECT_GT(infeasible, 20);
  EXPECT_LT(infeasible, static_cast<int>(lines.size()) / 2);
}

}  // namespace
}  // namespace merid
