// The plot's structure: well-formed XML, the elements and labels it must
// have, everything inside the drawing.  Not its pixels.

#include "output/response_plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "design/pi_network.h"
#include "output/svg_writer.h"
#include "tests/support/xml_test_reader.h"

namespace merid {
namespace {

std::string PlotOf(const Design& d, PlotWindow window = PlotWindow::kBands) {
  const TankDesign m = pi_model(d);
  return response_plot_svg(m->drawing_subject(Language::kRussian),
                           m->response_curves(), Language::kRussian, window);
}

std::vector<Element> Plot(float f, float qn, float q0, float rin, float rout,
                          PlotWindow window = PlotWindow::kBands) {
  Design d = make_design(f, qn, q0, rin, rout, 100.0f);
  synthesis(d);
  EXPECT_FALSE(d.infeasible);
  return XmlReader(PlotOf(d, window)).elements();
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
  // Each band's edges across the plot and a bar under it: no tint that
  // another band's could hide.
  for (const char* band : {"voltage", "current", "s11"}) {
    EXPECT_EQ(WithClass(svg, "line", std::string("edge-") + band).size(), 2u);
    EXPECT_EQ(WithClass(svg, "rect", std::string("bar-") + band).size(), 1u);
    EXPECT_EQ(WithClass(svg, "line", std::string("tick-") + band).size(), 2u);
  }
  for (const char* label :
       {"Частота, МГц", "АЧХ, дБ", "|S11| на входе", "-1 дБ", "|S11| = 0.1",
        "F = 7.1 МГц", "АЧХ-U (-1 дБ): 632.502 кГц",
        "АЧХ-I (-1 дБ): 340.578 кГц", "Полоса S11(0.1): 124.497 кГц",
        "АЧХ-U: U вых.", "АЧХ-I: U вых.",
        "Подавление гармоник KU / KI, дБ: 2F 29.8 / 35.0; 3F"}) {
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
      const std::vector<SvgPoint> points = PolylinePoints(*e);
      for (const SvgPoint& p : points) {
        EXPECT_TRUE(p.x >= 0 && p.x <= width && p.y >= 0 && p.y <= height)
            << p.x << "," << p.y;
      }
      EXPECT_GT(points.size(), 100u) << curve;
      EXPECT_LE(points.size(), kMaxPlotPoints) << curve;
    }
  }
}

double Attr(const Element& e, const char* name) {
  return Number(e.attributes.at(name));
}

struct Frame {
  double left, right, top, bottom;
};

Frame FrameOf(const std::vector<Element>& svg) {
  const std::vector<const Element*> frames = WithClass(svg, "rect", "frame");
  EXPECT_EQ(frames.size(), 1u);
  const Element& f = *frames.at(0);
  return Frame{Attr(f, "x"), Attr(f, "x") + Attr(f, "width"), Attr(f, "y"),
               Attr(f, "y") + Attr(f, "height")};
}

struct PlotCase {
  float f, qn, q0, rin, rout;
};

// The typical design, a wide window, a step-up, the largest grid and the
// lowest frequency.
constexpr PlotCase kPlotCases[] = {
    {7.1f, 12.0f, 200.0f, 2000.0f, 50.0f},
    {1.8f, 3.5f, 150.0f, 300.0f, 75.0f},
    {14.2f, 10.0f, 250.0f, 20.0f, 50.0f},
    {150.0f, 3.0f, 100.0f, 100.0f, 50.0f},
    {0.1f, 5.0f, 50.0f, 300.0f, 50.0f},
};

// By default the axis holds every band edge with room on both sides; the
// whole window starts at 0.
TEST(ResponsePlot, DefaultWindowHoldsTheBandsWithAMargin) {
  for (const PlotCase& c : kPlotCases) {
    SCOPED_TRACE(testing::Message() << c.f << " MHz, Qn " << c.qn);
    const std::vector<Element> svg = Plot(c.f, c.qn, c.q0, c.rin, c.rout);
    const Frame frame = FrameOf(svg);
    double low = frame.right, high = frame.left;
    for (const char* band : {"edge-voltage", "edge-current", "edge-s11"}) {
      for (const Element* e : WithClass(svg, "line", band)) {
        low = std::min(low, Attr(*e, "x1"));
        high = std::max(high, Attr(*e, "x1"));
      }
    }
    ASSERT_LT(low, high);
    const double width = frame.right - frame.left;
    // The bands take between a third and the whole axis, less the grid's
    // ends.
    EXPECT_GT(high - low, 0.3 * width);
    EXPECT_GE(low, frame.left);
    EXPECT_LE(high, frame.right);
    const std::vector<Element> whole =
        Plot(c.f, c.qn, c.q0, c.rin, c.rout, PlotWindow::kWhole);
    double whole_low = frame.right, whole_high = frame.left;
    for (const Element* e : WithClass(whole, "line", "edge-voltage")) {
      whole_low = std::min(whole_low, Attr(*e, "x1"));
      whole_high = std::max(whole_high, Attr(*e, "x1"));
    }
    EXPECT_LE(whole_high - whole_low, high - low);
    // The axis starts at 0, not at a negative zero.
    for (const Element& e : whole) EXPECT_NE(e.text.rfind("-0", 0), 0u);
  }
}

// Text of class small: 12 px high, at most 7 px a character.
bool TouchesCurve(const std::vector<Element>& svg, const Element& text) {
  const double x = Attr(text, "x"), y = Attr(text, "y");
  std::size_t chars = 0;
  for (const char ch : text.text) chars += (ch & 0xC0) != 0x80;
  const double right = x + 7.0 * static_cast<double>(chars);
  for (const char* curve : {"voltage", "current", "s11"}) {
    for (const Element* e : WithClass(svg, "polyline", curve)) {
      for (const SvgPoint& p : PolylinePoints(*e)) {
        if (p.x >= x && p.x <= right && p.y >= y - 11.0 && p.y <= y + 2.0) {
          return true;
        }
      }
    }
  }
  return false;
}

TEST(ResponsePlot, LineLabelsStayClearOfTheCurves) {
  for (const PlotCase& c : kPlotCases) {
    for (const PlotWindow window : {PlotWindow::kBands, PlotWindow::kWhole}) {
      SCOPED_TRACE(testing::Message() << c.f << " MHz, Qn " << c.qn);
      const std::vector<Element> svg =
          Plot(c.f, c.qn, c.q0, c.rin, c.rout, window);
      for (const Element& e : svg) {
        if (e.name == "text" &&
            (e.text == "-1 дБ" || e.text == "|S11| = 0.1")) {
          EXPECT_FALSE(TouchesCurve(svg, e)) << e.text;
        }
      }
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
  const std::vector<Element> svg = XmlReader(PlotOf(d)).elements();
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

TEST(Decimated, KeepsEveryPeakAndNotchWithinTheLimit) {
  std::vector<CurvePoint> curve;
  for (int i = 0; i < 57000; ++i) {
    curve.push_back(CurvePoint{static_cast<float>(i), 0.0f});
  }
  curve[12345].value = 5.0f;
  curve[40000].value = -7.0f;
  curve.back().value = 1.0f;
  const std::vector<CurvePoint> shown = decimated(curve, 2000);
  EXPECT_LE(shown.size(), 2000u);
  const auto has = [&](float freq, float value) {
    return std::any_of(shown.begin(), shown.end(), [&](CurvePoint p) {
      return p.freq == freq && p.value == value;
    });
  };
  EXPECT_TRUE(has(12345.0f, 5.0f));
  EXPECT_TRUE(has(40000.0f, -7.0f));
  EXPECT_TRUE(has(56999.0f, 1.0f));
  EXPECT_TRUE(std::is_sorted(
      shown.begin(), shown.end(),
      [](CurvePoint a, CurvePoint b) { return a.freq < b.freq; }));
  // A short curve is drawn whole.
  EXPECT_EQ(decimated(std::span(curve).first(100), 2000).size(), 100u);
}

}  // namespace
}  // namespace merid
