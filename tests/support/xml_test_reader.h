#ifndef MERID_TESTS_SUPPORT_XML_TEST_READER_H_
#define MERID_TESTS_SUPPORT_XML_TEST_READER_H_

// A strict little reader of the SVG documents the tests check: every
// element with its attributes and text, and a test failure for whatever a
// browser would refuse.

#include <gtest/gtest.h>

#include <charconv>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace merid {

struct Element {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string text;  // character data up to the next tag
};

// Reads the document strictly enough to catch what a browser would refuse:
// unbalanced or crossed tags, unquoted attributes, a raw & or < in text.
class XmlReader {
 public:
  explicit XmlReader(std::string_view xml) : xml_(xml) {}

  std::vector<Element> elements() {
    if (xml_.rfind("<?xml ", 0) != 0) fail("no XML declaration");
    pos_ = xml_.find("?>") + 2;
    while (pos_ < xml_.size()) {
      const std::size_t open = xml_.find('<', pos_);
      check_text(xml_.substr(pos_, open - pos_));
      if (open == std::string_view::npos) break;
      pos_ = open;
      tag();
    }
    if (!stack_.empty()) fail("unclosed <" + stack_.back() + ">");
    return elements_;
  }

 private:
  void fail(const std::string& what) { ADD_FAILURE() << what; }

  void check_text(std::string_view text) {
    for (std::size_t amp = text.find('&'); amp != std::string_view::npos;
         amp = text.find('&', amp + 1)) {
      const std::string_view rest = text.substr(amp);
      if (rest.rfind("&amp;", 0) != 0 && rest.rfind("&lt;", 0) != 0 &&
          rest.rfind("&gt;", 0) != 0 && rest.rfind("&quot;", 0) != 0 &&
          rest.rfind("&apos;", 0) != 0) {
        fail("raw & in " + std::string(text));
      }
    }
    if (!elements_.empty()) elements_.back().text += std::string(text);
  }

  void tag() {
    const std::size_t close = xml_.find('>', pos_);
    if (close == std::string_view::npos) {
      fail("open tag");
      pos_ = xml_.size();
      return;
    }
    std::string_view body = xml_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    if (body.front() == '/') {
      const std::string name(body.substr(1));
      if (stack_.empty() || stack_.back() != name) fail("crossed </" + name);
      if (!stack_.empty()) stack_.pop_back();
      return;
    }
    const bool empty = body.back() == '/';
    if (empty) body.remove_suffix(1);
    Element e;
    const std::size_t space = body.find(' ');
    e.name = std::string(body.substr(0, space));
    read_attributes(space == std::string_view::npos ? "" : body.substr(space),
                    e);
    elements_.push_back(e);
    if (!empty) stack_.push_back(e.name);
  }

  void read_attributes(std::string_view text, Element& e) {
    while (!text.empty()) {
      const std::size_t start = text.find_first_not_of(' ');
      if (start == std::string_view::npos) return;
      const std::size_t eq = text.find("=\"", start);
      if (eq == std::string_view::npos) return fail("bad attribute");
      const std::size_t quote = text.find('"', eq + 2);
      if (quote == std::string_view::npos) return fail("open attribute");
      const std::string value(text.substr(eq + 2, quote - eq - 2));
      if (value.find('<') != std::string::npos) fail("< in attribute");
      check_text(value);
      e.attributes[std::string(text.substr(start, eq - start))] = value;
      text.remove_prefix(quote + 1);
    }
  }

  std::string_view xml_;
  std::size_t pos_ = 0;
  std::vector<std::string> stack_;
  std::vector<Element> elements_;
};

// A number as an attribute writes it; a test failure if it is not one.
inline double Number(const std::string& text) {
  double v = 0.0;
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), v);
  EXPECT_TRUE(ec == std::errc() && end == text.data() + text.size()) << text;
  return v;
}

inline std::vector<const Element*> WithClass(const std::vector<Element>& all,
                                             std::string_view name,
                                             std::string_view css_class) {
  std::vector<const Element*> found;
  for (const Element& e : all) {
    const auto it = e.attributes.find("class");
    if (e.name == name && it != e.attributes.end() && it->second == css_class) {
      found.push_back(&e);
    }
  }
  return found;
}

struct SvgPoint {
  double x = 0.0;
  double y = 0.0;
};

// The "x,y x,y ..." of a polyline.
inline std::vector<SvgPoint> PolylinePoints(const Element& polyline) {
  std::istringstream in(polyline.attributes.at("points"));
  std::vector<SvgPoint> out;
  for (std::string pair; in >> pair;) {
    const std::size_t comma = pair.find(',');
    out.push_back(
        {Number(pair.substr(0, comma)), Number(pair.substr(comma + 1))});
  }
  return out;
}

}  // namespace merid

#endif  // MERID_TESTS_SUPPORT_XML_TEST_READER_H_
