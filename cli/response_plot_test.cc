// The plot's structure: well-formed XML, the elements and labels it must
// have, everything inside the drawing.  Not its pixels.

#include "cli/response_plot.h"

#include <gtest/gtest.h>

#include <charconv>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/svg_writer.h"

namespace merid {
namespace {

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

double Number(const std::string& text) {
  double v = 0.0;
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), v);
  EXPECT_TRUE(ec == std::errc() && end == text.data() + text.size()) << text;
  return v;
}

std::vector<Element> Plot(float f, float qn, float q0, float rin, float rout) {
  Design d = make_design(f, qn, q0, rin, rout, 100.0f);
  synthesis(d);
  EXPECT_FALSE(d.infeasible);
  return XmlReader(response_plot_svg(d, response_curves(d))).elements();
}

std::vector<const Element*> WithClass(const std::vector<Element>& all,
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

bool HasText(const std::vector<Element>& all, std::string_view text) {
  for (const Element& e : all) {
    if (e.name == "text" && e.text.find(text) != std::string::npos) {
      return true;
    }
  }
  return false;
}

TEST(ResponsePlot, HasTheCurvesMarksLabelsAndLegend) {
  const std::vector<Element> svg = Plot(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f);
  ASSERT_FALSE(svg.empty());
  EXPECT_EQ(svg[0].name, "svg");
  EXPECT_EQ(svg[0].attributes.at("xmlns"), "http://www.w3.org/2000/svg");
  // Each curve in its own line, and again as a legend sample.
  EXPECT_EQ(WithClass(svg, "polyline", "voltage").size(), 1u);
  EXPECT_EQ(WithClass(svg, "polyline", "current").size(), 1u);
  EXPECT_EQ(WithClass(svg, "polyline", "s11").size(), 1u);
  EXPECT_EQ(WithClass(svg, "line", "voltage").size(), 1u);
  // -1 dB and 0.1 lines and the working frequency, each with its legend
  // sample.
  EXPECT_EQ(WithClass(svg, "line", "limit-db").size(), 2u);
  EXPECT_EQ(WithClass(svg, "line", "limit-s11").size(), 2u);
  EXPECT_EQ(WithClass(svg, "line", "fline").size(), 2u);
  // Each band shaded on the plot and drawn as a bar under it.
  for (const char* band : {"voltage", "current", "s11"}) {
    EXPECT_EQ(WithClass(svg, "rect", std::string("band-") + band).size(), 1u);
    EXPECT_EQ(WithClass(svg, "rect", std::string("bar-") + band).size(), 1u);
  }
  for (const char* label :
       {"Частота, МГц", "АЧХ, дБ", "|S11| на входе", "-1 дБ", "|S11| = 0.1",
        "F = 7.1 МГц", "АЧХ-U (-1 дБ): 632.502 кГц",
        "АЧХ-I (-1 дБ): 340.578 кГц", "Полоса S11(0.1): 124.497 кГц",
        "АЧХ-U: U вых.", "АЧХ-I: U вых."}) {
    EXPECT_TRUE(HasText(svg, label)) << label;
  }
}

TEST(ResponsePlot, EveryPointLiesInTheDrawingAndCurvesAreThinned) {
  // 150 MHz with a low loaded Q: the largest grid, 57000 points.
  const std::vector<Element> svg = Plot(150.0f, 3.0f, 100.0f, 100.0f, 50.0f);
  const double width = Number(svg[0].attributes.at("width"));
  const double height = Number(svg[0].attributes.at("height"));
  EXPECT_EQ(svg[0].attributes.at("viewBox"),
            "0 0 " + svg[0].attributes.at("width") + " " +
                svg[0].attributes.at("height"));
  for (const char* curve : {"voltage", "current", "s11"}) {
    for (const Element* e : WithClass(svg, "polyline", curve)) {
      std::istringstream points(e->attributes.at("points"));
      std::string pair;
      std::size_t count = 0;
      while (points >> pair) {
        const std::size_t comma = pair.find(',');
        const double x = Number(pair.substr(0, comma));
        const double y = Number(pair.substr(comma + 1));
        EXPECT_TRUE(x >= 0 && x <= width && y >= 0 && y <= height) << pair;
        ++count;
      }
      EXPECT_GT(count, 100u) << curve;
      EXPECT_LE(count, kMaxPlotPoints) << curve;
    }
  }
}

TEST(ResponsePlot, DesignWithoutElementValuesStillMakesADocument) {
  // C1, C2 and L not-a-number: no curve to draw, no crossing of 0.1, and
  // the frame, the marks and the labels all the same.
  Design d = make_design(7.1f, 3.0f, 50.0f, 47.0f, 50.0f, 100.0f);
  synthesis(d);
  ASSERT_FALSE(d.infeasible);
  const float nan = std::nanf("");
  d.results.c1 = d.results.c2 = d.results.l = nan;
  d.details.tank.c1 = d.details.tank.c2 = d.details.tank.l = nan;
  d.details.vref2 = Complex{nan, nan};
  d.details.ncross = 0;
  d.results.bw_s11 = 0.0f;
  const std::vector<Element> svg =
      XmlReader(response_plot_svg(d, response_curves(d))).elements();
  EXPECT_TRUE(WithClass(svg, "polyline", "voltage").empty());
  EXPECT_TRUE(WithClass(svg, "polyline", "s11").empty());
  EXPECT_TRUE(HasText(svg, "Полоса S11(0.1): не найдена"));
  EXPECT_TRUE(HasText(svg, "Частота, МГц"));
}

TEST(SvgWriter, EscapesMarkupInTextAndClasses) {
  SvgWriter svg(10.0, 10.0, "text { font-family: \"A&B\"; }");
  svg.text({1.0, 2.0}, "R < 5 & R > 1 \"ohm\" 'x'", "a&b");
  const std::string doc = svg.finish();
  EXPECT_NE(doc.find("<text class=\"a&amp;b\" x=\"1.0\" y=\"2.0\">R &lt; 5 "
                     "&amp; R &gt; 1 &quot;ohm&quot; &apos;x&apos;</text>"),
            std::string::npos);
  EXPECT_EQ(XmlReader(doc).elements().size(), 3u);  // svg, style, text
}

}  // namespace
}  // namespace merid
