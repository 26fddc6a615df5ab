#include "base/free_form.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <system_error>

namespace merid {
namespace {

bool is_exponent_letter(char c) {
  return std::string_view("EeDdQq").find(c) != std::string_view::npos;
}

// Reads a value's text from left to right.
class TextCursor {
 public:
  explicit TextCursor(std::string_view text) : text_(text) {}

  bool done() const { return pos_ == text_.size(); }
  char next() const { return text_[pos_]; }
  void skip() { ++pos_; }
  std::string_view rest() const { return text_.substr(pos_); }

  // Takes an optional sign; true when it is a minus.
  bool take_minus() {
    if (done() || !is_sign(next())) return false;
    skip();
    return text_[pos_ - 1] == '-';
  }

  std::string_view take_digits() {
    const std::size_t begin = pos_;
    while (!done() && is_digit(next())) skip();
    return text_.substr(begin, pos_ - begin);
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// A decimal number taken apart; the views point into the parsed text.
struct DecimalNumber {
  bool negative = false;
  std::string_view whole;     // digits before the point
  std::string_view fraction;  // digits after it
  bool exponent_negative = false;
  std::string_view exponent;  // empty when there is no exponent
};

// The exponent after the mantissa: a letter E, D or Q with an optional sign,
// or a sign alone (1.5+3 is 1.5e3), then at least one digit.
bool take_exponent(TextCursor& cursor, DecimalNumber& number) {
  const bool has_letter = is_exponent_letter(cursor.next());
  if (has_letter) cursor.skip();
  if (!has_letter && !is_sign(cursor.next())) return false;
  number.exponent_negative = cursor.take_minus();
  number.exponent = cursor.take_digits();
  return !number.exponent.empty();
}

// Sign, digits with an optional point (at least one digit, on either side),
// optional exponent; nothing may follow.
std::optional<DecimalNumber> parse_decimal(std::string_view text) {
  TextCursor cursor(text);
  DecimalNumber number;
  number.negative = cursor.take_minus();
  number.whole = cursor.take_digits();
  if (!cursor.done() && cursor.next() == '.') {
    cursor.skip();
    number.fraction = cursor.take_digits();
  }
  if (number.whole.empty() && number.fraction.empty()) return std::nullopt;
  if (cursor.done()) return number;
  if (!take_exponent(cursor, number) || !cursor.done()) return std::nullopt;
  return number;
}

// Correctly rounded to single precision: the digits go to from_chars in its
// own notation.  A range error means overflow when the exponent is positive
// and underflow otherwise; within ten typed characters no other case can
// leave the range.
float to_float(const DecimalNumber& number) {
  std::string text(number.whole.empty() ? "0" : number.whole);
  if (!number.fraction.empty()) {
    text.push_back('.');
    text.append(number.fraction);
  }
  if (!number.exponent.empty()) {
    text.push_back('e');
    if (number.exponent_negative) text.push_back('-');
    text.append(number.exponent);
  }
  float magnitude = 0.0f;
  const auto result =
      std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    magnitude = number.exponent_negative
                    ? 0.0f
                    : std::numeric_limits<float>::infinity();
  }
  return number.negative ? -magnitude : magnitude;
}

bool equals_ignoring_case(std::string_view text, std::string_view lower) {
  return std::equal(text.begin(), text.end(), lower.begin(), lower.end(),
                    [](char a, char b) {
                      return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
                    });
}

// Inf, Infinity or NaN in any case, optionally signed.
std::optional<float> parse_word(std::string_view text) {
  TextCursor cursor(text);
  const float sign = cursor.take_minus() ? -1.0f : 1.0f;
  const std::string_view word = cursor.rest();
  float magnitude = 0.0f;
  if (equals_ignoring_case(word, "inf") ||
      equals_ignoring_case(word, "infinity")) {
    magnitude = std::numeric_limits<float>::infinity();
  } else if (equals_ignoring_case(word, "nan")) {
    magnitude = std::numeric_limits<float>::quiet_NaN();
  } else {
    return std::nullopt;
  }
  return std::copysign(magnitude, sign);
}

std::optional<float> parse_value(std::string_view text) {
  if (const auto number = parse_decimal(text)) return to_float(*number);
  return parse_word(text);
}

// The first item of the buffer: blanks and tabs before it skipped, ended
// by a separator or by the end of the buffer.
std::string_view first_item(std::string_view buffer) {
  std::size_t begin = 0;
  while (begin < buffer.size() && is_blank(buffer[begin])) ++begin;
  std::size_t end = begin;
  while (end < buffer.size() && !is_separator(buffer[end])) ++end;
  return buffer.substr(begin, end - begin);
}

bool is_positive_count(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), is_digit) &&
         text.find_first_not_of('0') != std::string_view::npos;
}

// The value of an item, past a repeat prefix r* if there is one; r must be
// a positive integer without sign.  Empty for a malformed prefix.
std::optional<std::string_view> value_after_repeat(std::string_view item) {
  const std::size_t star = item.find('*');
  if (star == std::string_view::npos) return item;
  if (!is_positive_count(item.substr(0, star))) return std::nullopt;
  return item.substr(star + 1);
}

RealEntry real_entry(EntryStatus status, std::string_view buffer,
                     float value = 0.0f) {
  return RealEntry{status, value, std::string(buffer)};
}

}  // namespace

RealEntry parse_real(std::string_view buffer) {
  // The first comma is a decimal point (12,5 is 12.5); later ones separate.
  std::string text(buffer);
  const std::size_t comma = text.find(',');
  if (comma != std::string::npos) text[comma] = '.';

  const std::string_view item = first_item(text);
  // A line that is blank or starts with / or ; leaves the value empty.
  if (item.empty()) return real_entry(EntryStatus::kNoValue, buffer);
  const auto value_text = value_after_repeat(item);
  if (!value_text) return real_entry(EntryStatus::kMalformed, buffer);
  if (value_text->empty()) return real_entry(EntryStatus::kNoValue, buffer);
  const auto value = parse_value(*value_text);
  if (!value) return real_entry(EntryStatus::kMalformed, buffer);
  return real_entry(EntryStatus::kValue, buffer, *value);
}

}  // namespace merid
