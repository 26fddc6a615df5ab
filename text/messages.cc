// The console texts, kept once as UTF-8 characters, and their CP866 image,
// which the compiler derives from them.

#include "text/messages.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace merid {
namespace {

// Every console text in the order of Msg, character for character as the
// writer emits it (a text line adds its own leading blank).  The tabs are
// the console's column stops, and the look-alike letters are deliberate:
// the C of "C1, пФ" is Latin, the С of "Q в С1" Cyrillic; the input block
// says "Мгц", menu choice 1 "МГц".
constexpr std::array<std::string_view, kMessageCount> kUtf8Texts = {
    // Banner and the six input prompts.
    "Расчет П-контура (версия 3.55)",
    "------------------------------",
    " Частота в Мгц : ",
    " Нагруженная добротность : ",
    " Холостая добротность : ",
    " Входное сопротивление, Ом : ",
    " Сопротивление нагрузки, Ом: ",
    " Мощность на входе, Вт: ",
    // Input block of the results screen.
    "Исходные данные:",
    "-----------------------------------",
    " F, Мгц \t\t= ",
    " Qn\t\t\t= ",
    " Q0\t\t\t= ",
    " R вх.,  Ом\t \t= ",
    " R вых., Ом\t\t= ",
    " P вх.,  Вт\t\t= ",
    // Results block: heading, dashes, then left and right label of each row.
    "Результаты расчета:",
    "--------------------------------------------------------------------------"
    "-",
    " C1, пФ \t\t= ",
    " U вх.,  В (эфф.)\t= ",
    " C2, пФ \t\t= ",
    " U вых., В (эфф.)\t= ",
    " L, мкГн \t\t= ",
    " U на L, В (эфф.)\t= ",
    " КПД контура, %\t\t= ",
    " P вых., Вт\t\t= ",
    " Q в С1, ВАр \t\t= ",
    " P потерь, Вт\t\t= ",
    " Q в С2, ВАр \t\t= ",
    " KU 2-й гармоники, дБ\t= ",
    " Q в L,  ВАр \t\t= ",
    " KI 2-й гармоники, дБ\t= ",
    " I в С1, А (эфф.)\t= ",
    " S11 вх.  порт на F\t= ",
    " I в С2, А (эфф.)\t= ",
    " S22 вых. порт на F\t= ",
    " I в L,  А (эфф.)\t= ",
    " АЧХ-U (-1 дБ), кГц\t= ",
    " Полоса S11(0.1), кГц\t= ",
    " АЧХ-I (-1 дБ), кГц\t= ",
    // Infeasible design, menu, menu choices 1 and 2, confirmation, farewell.
    "Для полученного коэффициента трансформа-",
    "ции слишком мала нагруженная добротность.",
    " 1. Изменить частоту?",
    " 2. Изменить нагруженную добротность?",
    " 3. Записать результаты в файл?",
    " 4. Выполнить новый расчет?",
    "  Введите соответствующую цифру или нажмите 5 для выхода...  ",
    "  Текущая частота, МГц = ",
    "  Новая частота,   МГц =       ",
    "  Текущая  Qn\t\t= ",
    "  Новая    Qn\t\t=       ",
    " Данные записаны в файл rezultat.txt",
    "73!",
    // The integer entry's complaint.
    " Введен неверный символ, введите повторно...",
};

// The same texts in English, for merid-calc's text output; the dialogue
// never shows them.  Each label's tabs bring its "= " to the column of the
// Russian label's, as the screen's column stops do.
constexpr std::array<std::string_view, kMessageCount> kEnglishTexts = {
    "Pi-network calculation (version 3.55)",
    "-------------------------------------",
    " Frequency, MHz : ",
    " Loaded Q : ",
    " Unloaded Q : ",
    " Input resistance, ohm : ",
    " Load resistance, ohm: ",
    " Input power, W: ",
    "Input data:",
    "-----------------------------------",
    " F, MHz\t\t\t= ",
    " Qn\t\t\t= ",
    " Q0\t\t\t= ",
    " RIN,  ohm\t\t= ",
    " ROUT, ohm\t\t= ",
    " PIN,  W\t\t= ",
    "Results:",
    "--------------------------------------------------------------------------"
    "-",
    " C1, pF\t\t\t= ",
    " U in,  V RMS\t\t= ",
    " C2, pF\t\t\t= ",
    " U out, V RMS\t\t= ",
    " L, uH\t\t\t= ",
    " U on L, V RMS\t\t= ",
    " Efficiency, %\t\t= ",
    " P out, W\t\t= ",
    " Q in C1, var\t\t= ",
    " P loss, W\t\t= ",
    " Q in C2, var\t\t= ",
    " KU at 2F, dB\t\t= ",
    " Q in L,  var\t\t= ",
    " KI at 2F, dB\t\t= ",
    " I in C1, A RMS\t\t= ",
    " S11 input at F\t= ",
    " I in C2, A RMS\t\t= ",
    " S22 output at F\t= ",
    " I in L,  A RMS\t\t= ",
    " U response -1 dB, kHz\t= ",
    " S11(0.1) band, kHz\t= ",
    " I response -1 dB, kHz\t= ",
    "The loaded Q is too small for this",
    "impedance transformation ratio.",
    " 1. Change the frequency?",
    " 2. Change the loaded Q?",
    " 3. Write the results to a file?",
    " 4. Start a new calculation?",
    "  Type the number of your choice or press 5 to quit...  ",
    "  Current frequency, MHz = ",
    "  New frequency,     MHz =       ",
    "  Current  Qn\t\t= ",
    "  New      Qn\t\t=       ",
    " Results written to the file rezultat.txt",
    "73!",
    " Invalid character, please type again...",

};

// Called only while the CP866 image is built at compile time: it is not
// constexpr, so reaching it turns a character that CP866 cannot take into
// a compile error that names the problem.
void console_text_has_a_character_other_than_ascii_or_cyrillic() {}

// One character decoded from UTF-8 and the number of bytes it took.
struct Utf8Char {
  char32_t code;
  std::size_t size;
};

// Decodes the character at `pos`.  The texts need only one- and two-byte
// sequences; anything longer or malformed is rejected.
consteval Utf8Char decode_utf8(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {lead, 1};
  if ((lead & 0xE0) == 0xC0 && pos + 1 < text.size()) {
    const auto trail = static_cast<unsigned char>(text[pos + 1]);
    const char32_t code = ((lead & 0x1Fu) << 6) | (trail & 0x3Fu);
    if ((trail & 0xC0) == 0x80 && code >= 0x80) return {code, 2};
  }
  console_text_has_a_character_other_than_ascii_or_cyrillic();
  return {0, 1};
}

// The CP866 byte of an ASCII character or a Russian letter.
consteval char to_cp866(char32_t code) {
  if (code < 0x80) return static_cast<char>(code);
  if (code >= U'А' && code <= U'Я')
    return static_cast<char>(0x80 + (code - U'А'));
  if (code >= U'а' && code <= U'п')
    return static_cast<char>(0xA0 + (code - U'а'));
  if (code >= U'р' && code <= U'я')
    return static_cast<char>(0xE0 + (code - U'р'));
  if (code == U'Ё') return static_cast<char>(0xF0);
  if (code == U'ё') return static_cast<char>(0xF1);
  console_text_has_a_character_other_than_ascii_or_cyrillic();
  return '?';
}

// Characters in all texts together: the size of the CP866 image, which
// spends one byte on each.
consteval std::size_t character_count() {
  std::size_t count = 0;
  for (std::string_view text : kUtf8Texts) {
    for (std::size_t pos = 0; pos < text.size();
         pos += decode_utf8(text, pos).size) {
      ++count;
    }
  }
  return count;
}

constexpr std::size_t kCp866Size = character_count();

// All CP866 texts back to back; text i is bytes [offset[i], offset[i + 1]).
struct Cp866Image {
  std::array<char, kCp866Size> bytes{};
  std::array<std::size_t, kMessageCount + 1> offset{};
};

consteval Cp866Image make_cp866_image() {
  Cp866Image image;
  std::size_t out = 0;
  for (std::size_t i = 0; i < kMessageCount; ++i) {
    image.offset[i] = out;
    const std::string_view text = kUtf8Texts[i];
    for (std::size_t pos = 0; pos < text.size();) {
      const Utf8Char c = decode_utf8(text, pos);
      image.bytes[out++] = to_cp866(c.code);
      pos += c.size;
    }
  }
  image.offset[kMessageCount] = out;
  return image;
}

constexpr Cp866Image kCp866Image = make_cp866_image();

consteval std::array<std::string_view, kMessageCount> cp866_texts() {
  std::array<std::string_view, kMessageCount> texts;
  for (std::size_t i = 0; i < kMessageCount; ++i) {
    texts[i] =
        std::string_view(kCp866Image.bytes.data() + kCp866Image.offset[i],
                         kCp866Image.offset[i + 1] - kCp866Image.offset[i]);
  }
  return texts;
}

constexpr MessageTable kUtf8Table(kUtf8Texts);
constexpr MessageTable kCp866Table(cp866_texts());
constexpr MessageTable kEnglishTable(kEnglishTexts);

}  // namespace

const MessageTable& utf8_messages() { return kUtf8Table; }

const MessageTable& cp866_messages() { return kCp866Table; }

const MessageTable& utf8_messages(Language language) {
  return language == Language::kEnglish ? kEnglishTable : kUtf8Table;
}

}  // namespace merid
