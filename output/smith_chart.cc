#include "output/smith_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string_view>

#include "base/number_text.h"
#include "calc/harmonics.h"
#include "calc/mismatch.h"
#include "calc/network.h"
#include "calc/s11module.h"
#include "output/svg_writer.h"
#include "text/calc_texts.h"

namespace merid {
namespace {

// Page and chart, in user units: the unit circle of reflection left, the
// legend right.
constexpr double kWidth = 960.0;
constexpr double kHeight = 640.0;
constexpr double kCenterX = 320.0;
constexpr double kCenterY = 330.0;
constexpr double kRadius = 260.0;
constexpr double kLegendX = 640.0;

constexpr double kS11Limit = 0.1;
constexpr std::size_t kMaxChartPoints = 2000;
constexpr int kGridSegments = 180;
constexpr std::array<double, 5> kGridValues = {0.2, 0.5, 1.0, 2.0, 5.0};

constexpr std::string_view kCss =
    "text { font-family: sans-serif; font-size: 13px; fill: #222; }\n"
    ".title { font-size: 15px; font-weight: bold; }\n"
    ".small { font-size: 12px; }\n"
    ".grid-label { font-size: 11px; fill: #777; }\n"
    ".rim { fill: none; stroke: #222; stroke-width: 1.2; }\n"
    ".grid { fill: none; stroke: #ccc; stroke-width: 1; }\n"
    ".zin { fill: none; stroke: #1f5fbf; stroke-width: 1.8; }\n"
    ".limit-s11 { fill: none; stroke: #2a9440; stroke-width: 1.4; "
    "stroke-dasharray: 6 4; }\n"
    ".mark-f { fill: #000; }\n"
    ".mark-voltage { fill: #fff; stroke: #1f5fbf; stroke-width: 2; }\n"
    ".mark-current { fill: #fff; stroke: #d0432b; stroke-width: 2; }\n"
    ".background { fill: #fff; }\n";

// Only a chart with the loads of a retuned tank has them.
constexpr std::string_view kLoadsCss =
    ".loads { fill: none; stroke: #888; stroke-width: 1.2; "
    "stroke-dasharray: 2 3; }\n"
    ".unmatched { fill: none; stroke: #d0432b; stroke-width: 4; }\n";

// Reflection (z - 1) / (z + 1) of the normalised impedance z, in double:
// only its place on the page is wanted.
struct Gamma {
  double re = 0.0;
  double im = 0.0;
};

Gamma gamma_of(double r, double x) {
  const double den = (r + 1.0) * (r + 1.0) + x * x;
  return Gamma{(r * r + x * x - 1.0) / den, 2.0 * x / den};
}

// Inductive reactance upward.
Point on_page(Gamma g) {
  return Point{kCenterX + kRadius * g.re, kCenterY - kRadius * g.im};
}

Point impedance_on_page(Complex zin, float rin) {
  return on_page(gamma_of(static_cast<double>(zin.re) / rin,
                          static_cast<double>(zin.im) / rin));
}

// The circle of constant resistance r, or the arc of constant reactance x
// inside the rim: the other part runs over the whole real line, here as
// tan of an angle.
std::vector<Point> resistance_circle(double r) {
  std::vector<Point> points;
  for (int i = 0; i <= kGridSegments; ++i) {
    const double angle =
        std::numbers::pi * (i - kGridSegments / 2.0) / (kGridSegments + 0.001);
    points.push_back(on_page(gamma_of(r, std::tan(angle))));
  }
  points.push_back(on_page(Gamma{1.0, 0.0}));
  return points;
}

std::vector<Point> reactance_arc(double x) {
  std::vector<Point> points;
  for (int i = 0; i < kGridSegments; ++i) {
    const double angle = std::numbers::pi / 2.0 * i / kGridSegments;
    points.push_back(on_page(gamma_of(std::tan(angle), x)));
  }
  points.push_back(on_page(Gamma{1.0, 0.0}));
  return points;
}

std::vector<Point> reflection_circle(double magnitude) {
  std::vector<Point> points;
  for (int i = 0; i <= kGridSegments; ++i) {
    const double angle = 2.0 * std::numbers::pi * i / kGridSegments;
    points.push_back(on_page(
        Gamma{magnitude * std::cos(angle), magnitude * std::sin(angle)}));
  }
  return points;
}

void draw_grid(SvgWriter& svg) {
  svg.begin_group("grid");
  svg.line(on_page(Gamma{-1.0, 0.0}), on_page(Gamma{1.0, 0.0}), "grid");
  for (const double v : kGridValues) {
    svg.polyline(resistance_circle(v), "grid");
    svg.polyline(reactance_arc(v), "grid");
    svg.polyline(reactance_arc(-v), "grid");
  }
  svg.end_group();
  svg.polyline(resistance_circle(0.0), "rim");
  for (const double v : kGridValues) {
    const Point r = on_page(gamma_of(v, 0.0));
    // Under the real axis: the marks' labels go above and beside them.
    svg.text({r.x + 2.0, r.y + 12.0}, plain(static_cast<float>(v)),
             "grid-label");
    for (const double sign : {1.0, -1.0}) {
      const Gamma g = gamma_of(0.0, sign * v);
      const Point p = on_page(Gamma{1.07 * g.re, 1.07 * g.im});
      const std::string text =
          concat({sign > 0 ? "+j" : "-j", plain(static_cast<float>(v))});
      svg.text({p.x, p.y + 4.0}, text, "grid-label", TextAnchor::kMiddle);
    }
  }
}

// Every point of the curve when it has few, else evenly every n-th with
// the last one kept: the curve is drawn as a path, so no point may move.
std::vector<ImpedancePoint> thinned(const std::vector<ImpedancePoint>& all) {
  if (all.size() <= kMaxChartPoints) return all;
  const std::size_t every =
      (all.size() + kMaxChartPoints - 1) / kMaxChartPoints;
  std::vector<ImpedancePoint> out;
  for (std::size_t i = 0; i < all.size(); i += every) out.push_back(all[i]);
  if ((all.size() - 1) % every != 0) out.push_back(all.back());
  return out;
}

void draw_curve(SvgWriter& svg, const std::vector<ImpedancePoint>& curve,
                float rin) {
  std::vector<Point> run;
  const auto flush = [&] {
    if (run.size() > 1) svg.polyline(run, "zin");
    run.clear();
  };
  for (const ImpedancePoint& p : thinned(curve)) {
    if (!std::isfinite(p.zin.re) || !std::isfinite(p.zin.im)) {
      flush();
      continue;
    }
    run.push_back(impedance_on_page(p.zin, rin));
  }
  flush();
}

struct Mark {
  Point at;
  std::string_view css;
  std::string label;
};

// A box on the page: a marker or a label.
struct Box {
  double left, top, right, bottom;

  bool overlaps(const Box& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
};

// With a little room around it, so that no label touches a marker.
Box marker_box(Point at) {
  return Box{at.x - 6.0, at.y - 6.0, at.x + 6.0, at.y + 6.0};
}

// A label's box at baseline `at`, 12 px text, 7 px a character.
Box label_box(Point at, std::string_view label) {
  const double width = 7.0 * static_cast<double>(label.size());
  return Box{at.x, at.y - 11.0, at.x + width, at.y + 3.0};
}

// Marks often sit close together near the centre: each label takes the
// first corner beside its marker that no marker and no label placed before
// covers.
void draw_marks(SvgWriter& svg, const std::vector<Mark>& marks) {
  std::vector<Box> taken;
  for (const Mark& m : marks) {
    svg.rect({m.at.x - 4.0, m.at.y - 4.0}, 8.0, 8.0, m.css);
    taken.push_back(marker_box(m.at));
  }
  for (const Mark& m : marks) {
    const double width = 7.0 * static_cast<double>(m.label.size());
    const std::array<Point, 4> corners = {
        {{m.at.x + 7.0, m.at.y - 6.0},
         {m.at.x - 7.0 - width, m.at.y - 6.0},
         {m.at.x + 7.0, m.at.y + 15.0},
         {m.at.x - 7.0 - width, m.at.y + 15.0}}};
    Point chosen = corners[0];
    for (const Point corner : corners) {
      const Box box = label_box(corner, m.label);
      const bool free =
          std::none_of(taken.begin(), taken.end(),
                       [&](const Box& t) { return t.overlaps(box); });
      if (free) {
        chosen = corner;
        break;
      }
    }
    taken.push_back(label_box(chosen, m.label));
    svg.text(chosen, m.label, "small");
  }
}

// F and the edges of both -1 dB bands, where their impedance is finite.
std::vector<Mark> chart_marks(const DrawingSubject& d,
                              const ResponseCurves& c) {
  std::vector<Mark> marks;
  const auto add = [&](float freq, std::string_view css, std::string label) {
    const Point at = impedance_on_page(d.zin(freq), d.rin);
    if (std::isfinite(at.x) && std::isfinite(at.y)) {
      marks.push_back(Mark{at, css, std::move(label)});
    }
  };
  add(d.fhz, "mark-f", "F");
  struct Edges {
    const Band* band;
    std::string_view css;
    std::string_view name;
  };
  for (const Edges& e : {Edges{&c.voltage_band, "mark-voltage", "U"},
                         Edges{&c.current_band, "mark-current", "I"}}) {
    if (!e.band->found) continue;
    add(e.band->low, e.css, concat({e.name, "-"}));
    add(e.band->high, e.css, concat({e.name, "+"}));
  }
  return marks;
}

// The loads' circle and, over each run of phase steps no setting matches,
// its arc from half a step before the run to half a step after it.
void draw_loads(SvgWriter& svg, const LoadCircle& loads) {
  const double g = (loads.swr - 1.0) / (loads.swr + 1.0);
  svg.polyline(reflection_circle(g), "loads");
  const auto at = [g](double step) {
    const double phase = 2.0 * std::numbers::pi * step / kSwrPhases;
    return on_page(Gamma{g * std::cos(phase), g * std::sin(phase)});
  };
  std::vector<Point> run;
  const auto flush = [&] {
    if (!run.empty()) svg.polyline(run, "unmatched");
    run.clear();
  };
  for (int k = 0; k < kSwrPhases; ++k) {
    if (loads.matched[k]) {
      flush();
      continue;
    }
    if (run.empty()) run.push_back(at(k - 0.5));
    run.push_back(at(k));
    run.push_back(at(k + 0.5));
  }
  flush();
}

void legend_line(SvgWriter& svg, double y, std::string_view css,
                 std::string_view label) {
  svg.line({kLegendX, y - 4.0}, {kLegendX + 30.0, y - 4.0}, css);
  svg.text({kLegendX + 38.0, y}, label, "small");
}

void legend_mark(SvgWriter& svg, double y, std::string_view css,
                 std::string_view label) {
  svg.rect({kLegendX + 11.0, y - 8.0}, 8.0, 8.0, css);
  svg.text({kLegendX + 38.0, y}, label, "small");
}

void draw_legend(SvgWriter& svg, const DrawingSubject& d,
                 const LoadCircle* loads, const CalcTexts& t) {
  constexpr double kRow = 24.0;
  double y = 120.0;
  svg.text({kLegendX, y}, concat({t.smith_normalised, plain(d.rin), t.ohm}),
           "");
  y += 1.5 * kRow;
  legend_line(svg, y, "zin",
              concat({t.smith_curve_from, fixed(d.fstart / 1e6, 3),
                      t.smith_curve_to, fixed(d.fstop / 1e6, 3), t.plot_mhz}));
  y += kRow;
  legend_line(svg, y, "limit-s11", "|S11| = 0.1");
  y += kRow;
  legend_mark(svg, y, "mark-f", concat({"F = ", plain(d.fmhz), t.plot_mhz}));
  y += kRow;
  legend_mark(svg, y, "mark-voltage", t.smith_voltage_edges);
  y += kRow;
  legend_mark(svg, y, "mark-current", t.smith_current_edges);
  if (loads != nullptr) {
    const int unmatched = static_cast<int>(
        std::count(loads->matched.begin(), loads->matched.end(), false));
    y += kRow;
    legend_line(svg, y, "loads",
                concat({t.smith_loads, plain(loads->swr), t.smith_loads_to}));
    y += kRow;
    legend_line(svg, y, "unmatched",
                concat({t.smith_unmatched, std::to_string(unmatched),
                        t.smith_unmatched_of}));
  }
  y += 0.7 * kRow;
  for (const std::string_view line : t.smith_reading) {
    y += 0.8 * kRow;
    svg.text({kLegendX, y}, line, "small");
  }
}

}  // namespace

std::vector<ImpedancePoint> input_impedance_curve(const DrawingSubject& d,
                                                  const ResponseCurves& c) {
  std::vector<ImpedancePoint> curve;
  curve.reserve(c.s11.size());
  for (const CurvePoint& p : c.s11) {
    curve.push_back(ImpedancePoint{p.freq, d.zin(p.freq)});
  }
  return curve;
}

std::string smith_chart_svg(const DrawingSubject& d,
                            const ResponseCurves& curves, Language language,
                            const LoadCircle* loads) {
  const std::string css =
      concat({kCss, loads != nullptr ? kLoadsCss : std::string_view()});
  SvgWriter svg(kWidth, kHeight, css);
  svg.rect({0.0, 0.0}, kWidth, kHeight, "background");
  draw_title(svg, kWidth, d.title);
  draw_grid(svg);
  svg.polyline(reflection_circle(kS11Limit), "limit-s11");
  if (loads != nullptr) draw_loads(svg, *loads);
  draw_curve(svg, input_impedance_curve(d, curves), d.rin);
  draw_marks(svg, chart_marks(d, curves));
  draw_legend(svg, d, loads, calc_texts(language));
  return svg.finish();
}

}  // namespace merid
