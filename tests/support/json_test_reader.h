#ifndef MERID_TESTS_SUPPORT_JSON_TEST_READER_H_
#define MERID_TESTS_SUPPORT_JSON_TEST_READER_H_

// For tests: a strict reader of the JSON that merid-calc writes, objects of
// scalars and of arrays of such objects, and arrays of such objects, that
// keeps each value's text so a test can read it back with from_chars (an
// array member's text reads with ReadJsonArray).

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace merid {

// Key to the value's text: a number as written, a string without its
// quotes, true, false or null.
using JsonObject = std::map<std::string, std::string>;

class JsonTestReader {
 public:
  explicit JsonTestReader(std::string_view text) : text_(text) {}

  JsonObject object() {
    JsonObject members;
    expect('{');
    if (take('}')) return members;
    do {
      const std::string key = string();
      expect(':');
      const std::string value = peek() == '[' ? array_text() : scalar();
      if (!members.emplace(key, value).second) fail("duplicate " + key);
    } while (take(','));
    expect('}');
    return members;
  }

  std::vector<JsonObject> array() {
    std::vector<JsonObject> items;
    expect('[');
    if (take(']')) return items;
    do {
      items.push_back(object());
    } while (take(','));
    expect(']');
    return items;
  }

  // Only white space may follow the document.
  void end() {
    if (peek() != '\0') fail("text after the document");
  }

 private:
  char peek() {
    while (pos_ < text_.size() && std::string_view(" \t\r\n").find(
                                      text_[pos_]) != std::string_view::npos) {
      ++pos_;
    }
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  bool take(char c) {
    if (peek() != c) return false;
    ++pos_;
    return true;
  }
  void expect(char c) {
    if (!take(c)) fail(std::string("expected ") + c);
  }
  void fail(const std::string& what) {
    ADD_FAILURE() << "JSON: " << what << " at byte " << pos_;
    pos_ = text_.size();
  }
  std::string string() {
    expect('"');
    const std::size_t end = text_.find('"', pos_);
    if (end == std::string_view::npos) {
      fail("open string");
      return {};
    }
    std::string s(text_.substr(pos_, end - pos_));
    if (s.find('\\') != std::string::npos) fail("escape in a plain string");
    pos_ = end + 1;
    return s;
  }
  // An array of objects, as written.
  std::string array_text() {
    peek();
    const std::size_t begin = pos_;
    array();
    return std::string(text_.substr(begin, pos_ - begin));
  }
  // A number by the JSON grammar, a plain string or a literal.
  std::string scalar() {
    if (peek() == '"') return string();
    const std::size_t begin = pos_;
    while (pos_ < text_.size() &&
           std::string_view(",}] \r\n").find(text_[pos_]) ==
               std::string_view::npos) {
      ++pos_;
    }
    const std::string token(text_.substr(begin, pos_ - begin));
    if (token == "true" || token == "false" || token == "null") return token;
    if (!is_json_number(token)) fail("not a JSON number: " + token);
    return token;
  }
  static bool is_json_number(std::string_view t) {
    std::size_t i = 0;
    const auto digits = [&] {
      const std::size_t from = i;
      while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
      return i > from;
    };
    if (i < t.size() && t[i] == '-') ++i;
    if (i < t.size() && t[i] == '0') {
      ++i;
    } else if (!digits()) {
      return false;
    }
    if (i < t.size() && t[i] == '.' && (++i, !digits())) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
      ++i;
      if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
      if (!digits()) return false;
    }
    return i == t.size();
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

inline JsonObject ReadJsonObject(std::string_view text) {
  JsonTestReader reader(text);
  JsonObject object = reader.object();
  reader.end();
  return object;
}

inline std::vector<JsonObject> ReadJsonArray(std::string_view text) {
  JsonTestReader reader(text);
  std::vector<JsonObject> items = reader.array();
  reader.end();
  return items;
}

// A value's text read back as a float or an integer; missing keys and
// text left over fail the test.
inline float ReadFloat(std::string_view text) {
  float value = 0.0f;
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(ec == std::errc() && end == text.data() + text.size()) << text;
  return value;
}

inline float JsonFloat(const JsonObject& object, const std::string& key) {
  const auto it = object.find(key);
  if (it == object.end()) {
    ADD_FAILURE() << "no key " << key;
    return 0.0f;
  }
  return ReadFloat(it->second);
}

inline std::int32_t JsonInt(const JsonObject& object, const std::string& key) {
  const auto it = object.find(key);
  std::int32_t value = 0;
  if (it == object.end()) {
    ADD_FAILURE() << "no key " << key;
    return value;
  }
  const std::string& text = it->second;
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(ec == std::errc() && end == text.data() + text.size()) << text;
  return value;
}

}  // namespace merid

#endif  // MERID_TESTS_SUPPORT_JSON_TEST_READER_H_
