#include "base/number_text.h"

#include <array>
#include <cassert>
#include <charconv>
#include <system_error>

namespace merid {
namespace {

// Wide enough for any float in its shortest form, any 32-bit integer, and
// a fixed-point double of the magnitudes plotted.
using Buffer = std::array<char, 400>;

std::string written(const Buffer& buffer, const std::to_chars_result& result) {
  assert(result.ec == std::errc());
  return std::string(buffer.data(), static_cast<const char*>(result.ptr));
}

}  // namespace

std::string shortest(float value) {
  Buffer buffer;
  return written(buffer, std::to_chars(buffer.data(),
                                       buffer.data() + buffer.size(), value));
}

std::string plain(float value) {
  Buffer buffer;
  return written(
      buffer, std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                            std::chars_format::fixed));
}

std::string shortest(std::int32_t value) {
  Buffer buffer;
  return written(buffer, std::to_chars(buffer.data(),
                                       buffer.data() + buffer.size(), value));
}

std::string fixed(double value, int decimals) {
  Buffer buffer;
  return written(
      buffer, std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                            std::chars_format::fixed, decimals));
}

std::string concat(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (const std::string_view part : parts) out.append(part);
  return out;
}

}  // namespace merid
