// The Smith chart: well-formed XML, its marks where the calculation puts
// them, its curve the calculation's own impedances.

#include "output/smith_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "calc/s11module.h"
#include "design/pi_network.h"
#include "tests/support/xml_test_reader.h"

namespace merid {
namespace {

std::string ChartOf(const Design& d) {
  const TankDesign m = pi_model(d);
  return smith_chart_svg(m->drawing_subject(Language::kRussian),
                         m->response_curves(), Language::kRussian);
}

Design Calculated(float f, float qn, float q0, float rin, float rout) {
  Design d = make_design(f, qn, q0, rin, rout, 100.0f);
  synthesis(d);
  return d;
}

// Centre and radius of the rim, from its points.
struct Circle {
  double x, y, r;
};
Circle CircleOf(const std::vector<SvgPoint>& points) {
  double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
  for (const SvgPoint& p : points) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  return Circle{(left + right) / 2.0, (top + bottom) / 2.0,
                (right - left) / 2.0};
}

double Distance(SvgPoint p, const Circle& c) {
  return std::hypot(p.x - c.x, p.y - c.y);
}

TEST(InputImpedanceCurve, IsTheImpedanceBehindEachPointOfTheS11Curve) {
  const Design d = Calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f);
  const TankDesign m = pi_model(d);
  const ResponseCurves curves = m->response_curves();
  const std::vector<ImpedancePoint> zin =
      input_impedance_curve(m->drawing_subject(Language::kRussian), curves);
  ASSERT_EQ(zin.size(), curves.s11.size());
  for (std::size_t i = 0; i < zin.size(); ++i) {
    const float gamma = swrsub(zin[i].zin, real(d.rin)).gamma;
    ASSERT_EQ(std::bit_cast<std::uint32_t>(gamma),
              std::bit_cast<std::uint32_t>(curves.s11[i].value))
        << i;
  }
}

TEST(SmithChart, MarksTheCurveFTheBandEdgesAndTheS11Circle) {
  const Design d = Calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f);
  const std::vector<Element> svg = XmlReader(ChartOf(d)).elements();
  ASSERT_FALSE(svg.empty());
  EXPECT_EQ(svg[0].attributes.at("xmlns"), "http://www.w3.org/2000/svg");
  const std::vector<const Element*> rims = WithClass(svg, "polyline", "rim");
  ASSERT_EQ(rims.size(), 1u);
  const Circle rim = CircleOf(PolylinePoints(*rims[0]));
  ASSERT_GT(rim.r, 100.0);

  // The 0.1 circle about the centre, a tenth of the rim.
  const std::vector<const Element*> limit =
      WithClass(svg, "polyline", "limit-s11");
  ASSERT_EQ(limit.size(), 1u);
  for (const SvgPoint& p : PolylinePoints(*limit[0])) {
    EXPECT_NEAR(Distance(p, rim), 0.1 * rim.r, 0.2);
  }
  // The curve inside the rim, from near the load's reflection at the bottom
  // of the window to a short at the top.
  const std::vector<const Element*> curve = WithClass(svg, "polyline", "zin");
  ASSERT_EQ(curve.size(), 1u);
  const std::vector<SvgPoint> points = PolylinePoints(*curve[0]);
  EXPECT_GT(points.size(), 100u);
  for (const SvgPoint& p : points) EXPECT_LE(Distance(p, rim), rim.r + 0.1);
  // F lies |S11| of the rim from the centre.
  const std::vector<const Element*> f = WithClass(svg, "rect", "mark-f");
  ASSERT_EQ(f.size(), 2u);  // the mark and its legend sample
  const SvgPoint f_centre{Number(f[0]->attributes.at("x")) + 4.0,
                          Number(f[0]->attributes.at("y")) + 4.0};
  EXPECT_NEAR(Distance(f_centre, rim), d.results.s11 * rim.r, 0.2);
  // Each -1 dB band's two edges, outside the 0.1 circle as the S11 band is
  // the narrowest; plus a legend sample each.
  for (const char* band : {"mark-voltage", "mark-current"}) {
    const std::vector<const Element*> marks = WithClass(svg, "rect", band);
    ASSERT_EQ(marks.size(), 3u) << band;
    for (std::size_t i = 0; i < 2; ++i) {
      const SvgPoint c{Number(marks[i]->attributes.at("x")) + 4.0,
                       Number(marks[i]->attributes.at("y")) + 4.0};
      EXPECT_GT(Distance(c, rim), 0.1 * rim.r) << band;
    }
  }
}

TEST(SmithChart, DesignWithoutElementValuesStillMakesADocument) {
  // C1, C2 and L not-a-number, and so every impedance; the grid, the
  // circle and the legend all the same.
  Design d = Calculated(7.1f, 3.0f, 50.0f, 47.0f, 50.0f);
  const float nan = std::nanf("");
  d.details.tank.c1 = d.details.tank.c2 = d.details.tank.l = nan;
  const std::vector<Element> svg = XmlReader(ChartOf(d)).elements();
  EXPECT_TRUE(WithClass(svg, "polyline", "zin").empty());
  EXPECT_EQ(WithClass(svg, "polyline", "limit-s11").size(), 1u);
  EXPECT_EQ(WithClass(svg, "rect", "mark-f").size(), 1u);  // the legend's
}

}  // namespace
}  // namespace merid
