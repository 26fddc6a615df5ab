// The fixed-width three-decimal number field of the screen and the report.

#include "text/value_field.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <system_error>
#include <utility>

namespace merid {
namespace {

// `text` right-aligned in `width` columns, or `width` asterisks when it is
// longer than that.
std::string right_aligned(std::string text, int width) {
  const std::size_t columns = width > 0 ? static_cast<std::size_t>(width) : 0;
  if (text.size() > columns) return std::string(columns, '*');
  text.insert(0, columns - text.size(), ' ');
  return text;
}

// The finite, non-negative `magnitude` with three decimals, e.g. "0.063".
std::string three_decimals(float magnitude) {
  // A float has 24 significant bits and 1000 needs 10, so the product is
  // exact in double: std::round sees the float's exact binary value and
  // sends a true half away from zero (0.0625 -> 63, while 2.0005f, just
  // below 2.0005, -> 2000).  A float product would round first.
  const double thousandths =
      std::round(static_cast<double>(magnitude) * 1000.0);
  // FLT_MAX * 1000 has 42 digits; to_chars writes every one of them exactly,
  // so even a value far too wide for any field is formatted without overflow.
  std::array<char, 64> buffer;
  const std::to_chars_result written =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), thousandths,
                    std::chars_format::fixed, 0);
  assert(written.ec == std::errc());
  std::string text(buffer.data(), written.ptr);
  if (text.size() < 4) text.insert(0, 4 - text.size(), '0');
  text.insert(text.size() - 3, 1, '.');
  return text;
}

}  // namespace

std::string value_field(float value, int width) {
  if (std::isnan(value)) return right_aligned("NaN", width);
  std::string text =
      std::isinf(value) ? "Infinity" : three_decimals(std::fabs(value));
  // The sign comes from the value, not from the rounded digits, so a
  // negative value that rounds to zero (and -0.0 itself) shows "-0.000".
  if (std::signbit(value)) text.insert(0, 1, '-');
  return right_aligned(std::move(text), width);
}

}  // namespace merid
