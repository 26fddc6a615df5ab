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

std::string filled(std::string_view text,
                   std::initializer_list<std::string_view> figures) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool place = text[i] == '{' && i + 2 < text.size() &&
                       text[i + 1] >= '0' && text[i + 1] <= '9' &&
                       text[i + 2] == '}';
    const std::size_t n =
        place ? static_cast<std::size_t>(text[i + 1] - '0') : figures.size();
    if (n < figures.size()) {
      out.append(*(figures.begin() + n));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

}  // namespace merid
