// Fuzz target: the value field on arbitrary float bit patterns, in both
// widths.
//
// Checks: the field is always exactly its width; it holds the C library's
// three-decimal form of the value (a true half rounded away from zero, a
// minus sign on every negative value) right-aligned, or asterisks when that
// form is wider than the field.

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "text/value_field.h"

namespace merid::fuzz {
namespace {

// The three-decimal text of a finite magnitude.  printf rounds the exact
// binary value, a tie to even; the field sends a tie away from zero, so a
// tie is printed from just above it.
std::string three_decimals(float magnitude) {
  double exact = magnitude;
  const double thousandths = exact * 1000.0;  // exact: 24 + 10 bits
  if (thousandths - std::floor(thousandths) == 0.5) {
    exact = std::nextafter(exact, INFINITY);
  }
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, "%.3f", exact);
  require(n > 0 && n < static_cast<int>(sizeof buffer), "printf fits");
  return std::string(buffer, static_cast<std::size_t>(n));
}

std::string expected_field(float value, int width) {
  std::string text;
  if (std::isnan(value)) {
    text = "NaN";
  } else {
    text = std::isinf(value) ? "Infinity" : three_decimals(std::fabs(value));
    if (std::signbit(value)) text.insert(text.begin(), '-');
  }
  const auto columns = static_cast<std::size_t>(width);
  if (text.size() > columns) return std::string(columns, '*');
  return std::string(columns - text.size(), ' ') + text;
}

void fuzz_one(std::uint32_t bits) {
  const float value = std::bit_cast<float>(bits);
  for (const int width : {10, 12}) {
    const std::string field = value_field(value, width);
    require(field.size() == static_cast<std::size_t>(width),
            "the field is exactly its width");
    require(field == expected_field(value, width),
            "the field holds the value's three-decimal form");
  }
}

}  // namespace
}  // namespace merid::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  merid::fuzz::fuzz_one(merid::fuzz::take_word(data, size));
  return 0;
}
