// Tests of the console message table and its compile-time CP866 image.

#include "text/messages.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <string>
#include <string_view>

namespace merid {
namespace {

Msg msg_at(std::size_t i) { return static_cast<Msg>(i); }

// Decodes CP866 back into UTF-8, for ASCII and the Russian alphabet only.
std::string cp866_to_utf8(std::string_view bytes) {
  std::string out;
  for (char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    char32_t code = b;
    if (b >= 0x80 && b <= 0xAF) code = 0x410 + (b - 0x80);  // А-Я, а-п
    if (b >= 0xE0 && b <= 0xEF) code = 0x440 + (b - 0xE0);  // р-я
    if (b == 0xF0) code = 0x401;                            // Ё
    if (b == 0xF1) code = 0x451;                            // ё
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

struct LengthCase {
  Msg msg;
  std::size_t characters;  // and so the CP866 bytes
  std::size_t utf8_bytes;
};

constexpr LengthCase kLengthCases[] = {
    {Msg::kBanner, 30, 50},      {Msg::kBannerDashes, 30, 30},
    {Msg::kInputDashes, 35, 35}, {Msg::kResultsDashes, 75, 75},
    {Msg::kLabelQn, 8, 8},       {Msg::kMenuPrompt, 61, 107},
    {Msg::kFarewell, 3, 3},      {Msg::kBadInteger, 44, 79},
};

TEST(Messages, Lengths) {
  for (const LengthCase& c : kLengthCases) {
    const int index = static_cast<int>(c.msg);
    EXPECT_EQ(cp866_messages()[c.msg].size(), c.characters) << "msg " << index;
    EXPECT_EQ(utf8_messages()[c.msg].size(), c.utf8_bytes) << "msg " << index;
  }
}

TEST(Messages, AllDistinct) {
  std::set<std::string_view> utf8;
  std::set<std::string_view> cp866;
  for (std::size_t i = 0; i < kMessageCount; ++i) {
    utf8.insert(utf8_messages()[msg_at(i)]);
    cp866.insert(cp866_messages()[msg_at(i)]);
  }
  EXPECT_EQ(utf8.size(), kMessageCount);
  EXPECT_EQ(cp866.size(), kMessageCount);
}

TEST(Messages, Cp866IsTheSameCharacters) {
  for (std::size_t i = 0; i < kMessageCount; ++i) {
    EXPECT_EQ(cp866_to_utf8(cp866_messages()[msg_at(i)]),
              utf8_messages()[msg_at(i)])
        << "msg " << i;
  }
}

// Code chart positions, independent of the converter's arithmetic.
TEST(Messages, Cp866Bytes) {
  // "Расчет П-контура": Р а с ч е т, blank, П.
  EXPECT_EQ(cp866_messages()[Msg::kBanner].substr(0, 8),
            "\x90\xA0\xE1\xE7\xA5\xE2 \x8F");
  // "Исходные": И с х о д н ы е.
  EXPECT_EQ(cp866_messages()[Msg::kInputHeading].substr(0, 8),
            "\x88\xE1\xE5\xAE\xA4\xAD\xEB\xA5");
  EXPECT_EQ(cp866_messages()[Msg::kLabelQn], " Qn\t\t\t= ");
}

// Letters that look alike but are not the same character.
struct LetterCase {
  Msg msg;
  std::string_view utf8_part;
};

constexpr LetterCase kLetterCases[] = {
    {Msg::kLabelC1, " C1, \xD0\xBF\xD0\xA4 \t\t= "},  // Latin C
    {Msg::kLabelC2, " C2, \xD0\xBF\xD0\xA4 \t\t= "},
    {Msg::kLabelQc1,
     "Q \xD0\xB2 \xD0\xA1"
     "1"},  // Cyrillic Es
    {Msg::kLabelQc2,
     "Q \xD0\xB2 \xD0\xA1"
     "2"},
    {Msg::kLabelIc1,
     "I \xD0\xB2 \xD0\xA1"
     "1"},
    {Msg::kLabelIc2,
     "I \xD0\xB2 \xD0\xA1"
     "2"},
    {Msg::kLabelF, "\xD0\x9C\xD0\xB3\xD1\x86"},       // Мгц, small ge
    {Msg::kCurrentF, "\xD0\x9C\xD0\x93\xD1\x86"},     // МГц, capital Ge
    {Msg::kLabelEta, " \xD0\x9A\xD0\x9F\xD0\x94"},    // Cyrillic КПД
    {Msg::kLabelBwU, " \xD0\x90\xD0\xA7\xD0\xA5-U"},  // Cyrillic АЧХ
    {Msg::kLabelBwI, " \xD0\x90\xD0\xA7\xD0\xA5-I"},
    {Msg::kLabelRin, "\xD0\x9E\xD0\xBC\t \t= "},  // tab, blank, tab
};

TEST(Messages, LookAlikeLetters) {
  for (const LetterCase& c : kLetterCases) {
    EXPECT_NE(utf8_messages()[c.msg].find(c.utf8_part), std::string_view::npos)
        << "msg " << static_cast<int>(c.msg);
  }
}

}  // namespace
}  // namespace merid
