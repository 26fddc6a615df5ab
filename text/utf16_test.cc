// Tests of the UTF-8 to UTF-16 conversion for the Windows console.

#include "text/utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace merid {
namespace {

struct Utf16Case {
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

const Utf16Case kCases[] = {
    {"ascii with CR LF", "C1, pF\r\n", u"C1, pF\r\n"},
    {"cyrillic", "Частота", u"Частота"},
    {"three bytes",
     "\xE2\x88\x9A"
     "2 \xE2\x82\xAC",
     u"\u221A2 \u20AC"},
    {"surrogate pair", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
    {"largest code point", "\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
    {"nul is kept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    {"stray continuation", "a\x80z", u"a\uFFFDz"},
    {"cut short at the end", "\xD0", u"\uFFFD"},
    {"cut short before ascii", "\xE2\x82z", u"\uFFFDz"},
    {"cut short before a lead", "\xF0\x9F\xD0\x94", u"\uFFFD\u0414"},
    {"overlong two bytes", "\xC0\x80", u"\uFFFD\uFFFD"},
    {"overlong three bytes", "\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
    {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
    {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"bytes that never lead", "\xF5\xFF", u"\uFFFD\uFFFD"},
};

TEST(Utf8ToUtf16, Table) {
  for (const Utf16Case& c : kCases) {
    EXPECT_EQ(utf8_to_utf16(c.utf8), c.utf16) << c.name;
  }
}

// An encoder written out here, in both directions, for code points spread
// over every length of sequence and both sides of the surrogates.
std::string encode_utf8(char32_t cp) {
  std::string out;
  const auto put = [&out](char32_t bits) {
    out.push_back(static_cast<char>(bits));
  };
  if (cp < 0x80) {
    put(cp);
  } else if (cp < 0x800) {
    put(0xC0 | (cp >> 6));
    put(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    put(0xE0 | (cp >> 12));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  } else {
    put(0xF0 | (cp >> 18));
    put(0x80 | ((cp >> 12) & 0x3F));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  }
  return out;
}

std::u16string encode_utf16(char32_t cp) {
  if (cp < 0x10000) return std::u16string(1, static_cast<char16_t>(cp));
  const char32_t v = cp - 0x10000;
  return {static_cast<char16_t>(0xD800 | (v >> 10)),
          static_cast<char16_t>(0xDC00 | (v & 0x3FF))};
}

TEST(Utf8ToUtf16, EveryScalarValueAgreesWithAWrittenOutEncoder) {
  std::string utf8;
  std::u16string utf16;
  for (char32_t cp = 0; cp <= 0x10FFFF; cp += 7) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    utf8 += encode_utf8(cp);
    utf16 += encode_utf16(cp);
  }
  EXPECT_EQ(utf8_to_utf16(utf8), utf16);
}

}  // namespace
}  // namespace merid
