#include "text/utf16.h"

#include <cstddef>

namespace merid {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

unsigned char byte_at(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]);
}

// The bytes a sequence led by `lead` takes (0 for a byte that cannot lead)
// and the range its second byte must lie in, which rules out overlong
// forms, surrogates and values above U+10FFFF.
struct Lead {
  int length;
  unsigned char second_low;
  unsigned char second_high;
};

Lead classify(unsigned char lead) {
  if (lead < 0x80) return {1, 0, 0};
  if (lead < 0xC2) return {0, 0, 0};
  if (lead < 0xE0) return {2, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};
  if (lead == 0xED) return {3, 0x80, 0x9F};
  if (lead < 0xF0) return {3, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead < 0xF4) return {4, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

void append_code_point(std::u16string& out, char32_t code_point) {
  if (code_point < 0x10000) {
    out.push_back(static_cast<char16_t>(code_point));
    return;
  }
  const char32_t offset = code_point - 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
}

}  // namespace

std::u16string utf8_to_utf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t at = 0;
  while (at < utf8.size()) {
    const unsigned char lead = byte_at(utf8, at);
    const Lead kind = classify(lead);
    if (kind.length == 1) {
      out.push_back(lead);
      ++at;
      continue;
    }
    // Take continuation bytes while they fit; the first that does not
    // ends an ill-formed part and starts the next character.
    static constexpr unsigned char kLeadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
    char32_t code_point = lead & kLeadBits[kind.length];
    std::size_t taken = 1;
    while (taken < static_cast<std::size_t>(kind.length) &&
           at + taken < utf8.size()) {
      const unsigned char next = byte_at(utf8, at + taken);
      const unsigned char low = taken == 1 ? kind.second_low : 0x80;
      const unsigned char high = taken == 1 ? kind.second_high : 0xBF;
      if (next < low || next > high) break;
      code_point = (code_point << 6) | (next & 0x3F);
      ++taken;
    }
    if (kind.length > 0 && taken == static_cast<std::size_t>(kind.length)) {
      append_code_point(out, code_point);
    } else {
      out.push_back(kReplacement);
    }
    at += taken;
  }
  return out;
}

}  // namespace merid
