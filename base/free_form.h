#ifndef MERID_BASE_FREE_FORM_H_
#define MERID_BASE_FREE_FORM_H_

// The free-form rules by which a real value is typed, at the dialogue and
// on the command line: blanks, tabs, commas, semicolons and slashes
// separate; E, D or Q (or a bare sign) start an exponent; Inf, Infinity and
// NaN are words; a repeat prefix r* is passed over.

#include <cstddef>
#include <string>
#include <string_view>

namespace merid {

// Character classes of the free-form rules.
inline bool is_digit(int c) { return c >= '0' && c <= '9'; }
inline bool is_sign(int c) { return c == '+' || c == '-'; }
inline bool is_blank(int c) { return c == ' ' || c == '\t'; }
// `text` without the blanks around it.
inline std::string_view without_blanks_around(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}
// The separators that end a free-form value.
inline bool is_separator(int c) {
  return is_blank(c) || c == ',' || c == ';' || c == '/';
}

// The dialogue reads at most this many bytes of a line for a real value.
inline constexpr std::size_t kRealBufferSize = 10;

enum class EntryStatus {
  kValue,       // a number was read
  kMalformed,   // the text is not a number
  kNoValue,     // blank line, or a value left empty (/, ;, a bare r*)
  kEndOfInput,  // standard input has ended
};

struct RealEntry {
  EntryStatus status = EntryStatus::kValue;
  float value = 0.0f;
  std::string text;  // the buffer as read, for the error report
};

// Reads one real number from the 10-byte buffer of a line (shorter lines
// are padded with blanks by the caller or not at all; both read alike).
// The first comma counts as a decimal point.
RealEntry parse_real(std::string_view buffer);

}  // namespace merid

#endif  // MERID_BASE_FREE_FORM_H_
