#ifndef MERID_WEB_COMPAT_LIBRARY_SHIM_H_
#define MERID_WEB_COMPAT_LIBRARY_SHIM_H_

// The C++ library of the Debian Emscripten (3.1.6) lacks std::bit_cast and
// the floating-point std::from_chars.  Its compiler has the builtin that
// later libraries wrap in bit_cast, and its C library's strtof and strtod
// round correctly, which is all from_chars promises, and its printf
// writes exact decimals, from which the shortest form that to_chars writes
// is found by reading back.  Included before
// every source of the web build, and only there; the sources call these
// only with plain decimal digits, a point and an exponent.

#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

#if !defined(__cpp_lib_bit_cast)
namespace std {

template <class To, class From>
requires(sizeof(To) == sizeof(From)) constexpr To
    bit_cast(const From& from) noexcept {
  return __builtin_bit_cast(To, from);
}

}  // namespace std
#endif

#if defined(__EMSCRIPTEN__) && !defined(__cpp_lib_to_chars)
namespace std {
namespace merid_shim {

// A range error only where from_chars reports one: a result that overflows
// to infinity or underflows to zero.  A subnormal result stands.
template <class Float, class Convert>
from_chars_result convert(const char* first, const char* last, Float& value,
                          Convert strto) {
  // from_chars takes no leading blank or plus sign, which strto would.
  if (first == last || *first == ' ' || *first == '\t' || *first == '+') {
    return {first, errc::invalid_argument};
  }
  const string text(first, last);
  char* end = nullptr;
  errno = 0;
  const Float parsed = strto(text.c_str(), &end);
  const bool range_error = errno == ERANGE;
  if (end == text.c_str()) return {first, errc::invalid_argument};
  const char* stop = first + (end - text.c_str());
  if (range_error && (parsed == 0 || std::isinf(parsed))) {
    return {stop, errc::result_out_of_range};
  }
  value = parsed;
  return {stop, errc{}};
}

// The shortest decimal digits that read back as `value` (finite, not
// negative), with the power of ten of the first digit.
struct ShortestDigits {
  string digits;
  int exponent = 0;
};

// Whether `text` reads back as `value` in its own precision.
inline bool reads_back(const char* text, float value) {
  return strtof(text, nullptr) == value;
}
inline bool reads_back(const char* text, double value) {
  return strtod(text, nullptr) == value;
}

// The digits of the first precision that reads back: at most 9
// significant digits for a float, 17 for a double.
template <class Float>
ShortestDigits shortest_digits(Float value) {
  char text[40];
  for (int precision = 0; precision < numeric_limits<Float>::max_digits10;
       ++precision) {
    std::snprintf(text, sizeof text, "%.*e", precision,
                  static_cast<double>(value));
    if (reads_back(text, value)) break;
  }
  ShortestDigits out;
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p != '.') out.digits += *p;
  }
  out.exponent = atoi(p + 1);
  while (out.digits.size() > 1 && out.digits.back() == '0') {
    out.digits.pop_back();
  }
  return out;
}

inline string fixed_text(const ShortestDigits& d) {
  if (d.exponent < 0) {
    return "0." + string(static_cast<size_t>(-d.exponent - 1), '0') + d.digits;
  }
  const size_t whole = static_cast<size_t>(d.exponent) + 1;
  if (d.digits.size() <= whole) {
    return d.digits + string(whole - d.digits.size(), '0');
  }
  return d.digits.substr(0, whole) + "." + d.digits.substr(whole);
}

inline string scientific_text(const ShortestDigits& d) {
  string text = d.digits.substr(0, 1);
  if (d.digits.size() > 1) text += "." + d.digits.substr(1);
  char exponent[8];
  std::snprintf(exponent, sizeof exponent, "e%c%02d",
                d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
  return text + exponent;
}

inline to_chars_result copied(char* first, char* last, const string& text) {
  if (static_cast<size_t>(last - first) < text.size()) {
    return {last, errc::value_too_large};
  }
  for (const char c : text) *first++ = c;
  return {first, errc{}};
}

// Shortest form, fixed or (when the format allows it and it is shorter)
// scientific; finite values only, as the sources pass.
template <class Float>
to_chars_result shortest(char* first, char* last, Float value,
                         bool scientific_allowed) {
  const string sign = std::signbit(value) ? "-" : "";
  const ShortestDigits d = shortest_digits(std::fabs(value));
  const string fixed = fixed_text(d);
  const string scientific = scientific_text(d);
  return copied(first, last,
                sign + (scientific_allowed && scientific.size() < fixed.size()
                            ? scientific
                            : fixed));
}

}  // namespace merid_shim

inline to_chars_result to_chars(char* first, char* last, float value) {
  return merid_shim::shortest(first, last, value, true);
}
inline to_chars_result to_chars(char* first, char* last, float value,
                                chars_format format) {
  return merid_shim::shortest(first, last, value,
                              format != chars_format::fixed);
}
inline to_chars_result to_chars(char* first, char* last, double value) {
  return merid_shim::shortest(first, last, value, true);
}
inline to_chars_result to_chars(char* first, char* last, double value,
                                chars_format format, int precision) {
  char text[400];
  std::snprintf(text, sizeof text,
                format == chars_format::fixed ? "%.*f" : "%.*e", precision,
                value);
  return merid_shim::copied(first, last, text);
}

inline from_chars_result from_chars(const char* first, const char* last,
                                    float& value) {
  return merid_shim::convert(first, last, value, &strtof);
}
inline from_chars_result from_chars(const char* first, const char* last,
                                    double& value) {
  return merid_shim::convert(first, last, value, &strtod);
}

}  // namespace std
#endif

#endif  // MERID_WEB_COMPAT_LIBRARY_SHIM_H_
