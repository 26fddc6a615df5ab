#include "output/response_plot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "base/number_text.h"
#include "calc/harmonics.h"
#include "output/svg_writer.h"
#include "output/text_lines.h"
#include "text/calc_texts.h"

namespace merid {
namespace {

// Page and plot area, in user units.
constexpr double kWidth = 960.0;
constexpr double kHeight = 640.0;
constexpr double kLeft = 80.0;
constexpr double kRight = 880.0;
constexpr double kTop = 60.0;
constexpr double kBottom = 400.0;
// Under the plot: the band bars, the harmonics, the legend.
constexpr double kFirstBar = 462.0;
constexpr double kBarPitch = 18.0;
constexpr double kHarmonicsLine = 530.0;
constexpr double kEmissionsLine = 548.0;
constexpr double kFirstLegendRow = 570.0;
constexpr double kLegendPitch = 22.0;

constexpr double kMegahertz = 1e6;
constexpr double kLimitDb = -1.0;
constexpr double kS11Limit = 0.1;
// Text of class "small": its height above the baseline and the width of
// one character, generous for a sans-serif face.
constexpr double kSmallAscent = 11.0;
constexpr double kSmallCharWidth = 7.0;

constexpr std::string_view kCss =
    "text { font-family: sans-serif; font-size: 13px; fill: #222; }\n"
    ".title { font-size: 15px; font-weight: bold; }\n"
    ".small { font-size: 12px; }\n"
    ".frame { fill: none; stroke: #222; stroke-width: 1; }\n"
    ".grid { stroke: #ddd; stroke-width: 1; }\n"
    ".voltage { fill: none; stroke: #1f5fbf; stroke-width: 1.8; }\n"
    ".current { fill: none; stroke: #d0432b; stroke-width: 1.8; }\n"
    ".s11 { fill: none; stroke: #2a9440; stroke-width: 1.8; }\n"
    ".limit-db { stroke: #555; stroke-width: 1.2; stroke-dasharray: 6 4; }\n"
    ".limit-s11 { stroke: #2a9440; stroke-width: 1.2; "
    "stroke-dasharray: 6 4; }\n"
    ".fline { stroke: #000; stroke-width: 1.2; stroke-dasharray: 8 3 2 3; }\n"
    ".edge-voltage { stroke: #1f5fbf; stroke-width: 1; "
    "stroke-dasharray: 1 3; }\n"
    ".edge-current { stroke: #d0432b; stroke-width: 1; "
    "stroke-dasharray: 4 2 1 2; }\n"
    ".edge-s11 { stroke: #2a9440; stroke-width: 1; stroke-dasharray: 5 5; }\n"
    ".bar-voltage { fill: #1f5fbf; }\n"
    ".bar-current { fill: #d0432b; }\n"
    ".bar-s11 { fill: #2a9440; }\n"
    ".tick-voltage { stroke: #1f5fbf; stroke-width: 2; }\n"
    ".tick-current { stroke: #d0432b; stroke-width: 2; }\n"
    ".tick-s11 { stroke: #2a9440; stroke-width: 2; }\n"
    ".background { fill: #fff; }\n";

// A linear map from values to user units, pinned to the plot area.
struct Scale {
  double lo;
  double hi;
  double px_lo;
  double px_hi;

  double operator()(double v) const {
    const double clamped = std::clamp(v, lo, hi);
    return px_lo + (clamped - lo) / (hi - lo) * (px_hi - px_lo);
  }
  bool contains(double v) const { return v >= lo && v <= hi; }
};

struct Axes {
  Scale mhz;
  Scale db;
  Scale s11;
  double mhz_step;
  double db_step;
};

// 1, 2 or 5 times a power of ten, giving about `ticks` intervals.
double nice_step(double span, double ticks) {
  const double raw = span / ticks;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0}) {
    if (m * magnitude >= raw) return m * magnitude;
  }
  return 10.0 * magnitude;
}

// Decimals that tell the ticks `step` apart.
int decimals_for(double step) {
  return std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
}

struct Extent {
  double low = 0.0;
  double high = 0.0;
};

const std::array<const Band*, 3> measured_bands(const ResponseCurves& c) {
  return {&c.voltage_band, &c.current_band, &c.s11_band};
}

// The frequency span, MHz.  Around the bands: from the lowest edge of any
// band to the highest, F included, widened by as much again on each side
// (at least ten grid steps), within the sweep window.
Extent frequency_window(const DrawingSubject& d, const ResponseCurves& c,
                        PlotWindow window) {
  const double fstop = d.fstop / kMegahertz;
  if (window == PlotWindow::kWhole) return Extent{0.0, fstop};
  Extent e{d.fmhz, d.fmhz};
  for (const Band* band : measured_bands(c)) {
    if (!band->found) continue;
    e.low = std::min(e.low, band->low / kMegahertz);
    e.high = std::max(e.high, band->high / kMegahertz);
  }
  const double margin = std::max(e.high - e.low, 10.0 * d.step / kMegahertz);
  const double fstart = d.fstart / kMegahertz;
  return Extent{std::max(fstart, e.low - margin),
                std::min(fstop, e.high + margin)};
}

Extent db_extent(const ResponseCurves& c, const Scale& mhz) {
  Extent e;
  for (const auto* curve : {&c.voltage, &c.current}) {
    for (const CurvePoint& p : *curve) {
      if (!std::isfinite(p.value) || !mhz.contains(p.freq / kMegahertz)) {
        continue;
      }
      e.low = std::min(e.low, static_cast<double>(p.value));
      e.high = std::max(e.high, static_cast<double>(p.value));
    }
  }
  return e;
}

// The dB scale shows at least -10 to +5 dB and at most down to -60 dB,
// where nothing about the bands is to be seen.
Axes make_axes(const Extent& window, const ResponseCurves& c) {
  Axes a;
  a.mhz = Scale{window.low, window.high, kLeft, kRight};
  const Extent e = db_extent(c, a.mhz);
  const double top = std::max(5.0, std::ceil(e.high / 5.0) * 5.0);
  const double bottom =
      std::min(-10.0, std::max(-60.0, std::floor(e.low / 10.0) * 10.0));
  a.db = Scale{bottom, top, kBottom, kTop};
  a.s11 = Scale{0.0, 1.0, kBottom, kTop};
  a.mhz_step = nice_step(window.high - window.low, 10.0);
  a.db_step = top - bottom > 30.0 ? 10.0 : 5.0;
  return a;
}

// The frequency ticks: multiples of the step within the axis.
std::vector<double> mhz_ticks(const Axes& a) {
  std::vector<double> ticks;
  const double first = std::ceil(a.mhz.lo / a.mhz_step - 1e-9);
  for (double n = first; n * a.mhz_step <= a.mhz.hi + 1e-9 * a.mhz_step;
       n += 1.0) {
    ticks.push_back(n * a.mhz_step + 0.0);  // no "-0.0" at the origin
  }
  return ticks;
}

void draw_grid(SvgWriter& svg, const Axes& a) {
  svg.begin_group("grid");
  for (const double v : mhz_ticks(a)) {
    svg.line({a.mhz(v), kTop}, {a.mhz(v), kBottom}, "grid");
  }
  for (double v = std::ceil(a.db.lo / a.db_step) * a.db_step; v <= a.db.hi;
       v += a.db_step) {
    svg.line({kLeft, a.db(v)}, {kRight, a.db(v)}, "grid");
  }
  svg.end_group();
}

void draw_tick_labels(SvgWriter& svg, const Axes& a) {
  const int mhz_decimals = decimals_for(a.mhz_step);
  for (const double v : mhz_ticks(a)) {
    svg.text({a.mhz(v), kBottom + 18.0}, fixed(v, mhz_decimals), "small",
             TextAnchor::kMiddle);
  }
  for (double v = std::ceil(a.db.lo / a.db_step) * a.db_step; v <= a.db.hi;
       v += a.db_step) {
    svg.text({kLeft - 8.0, a.db(v) + 4.0}, fixed(v, 0), "small",
             TextAnchor::kEnd);
  }
  for (int tenth = 0; tenth <= 10; tenth += 2) {
    const double v = tenth / 10.0;
    svg.text({kRight + 8.0, a.s11(v) + 4.0}, fixed(v, 1), "small");
  }
}

void draw_axis_titles(SvgWriter& svg, const DrawingSubject& d,
                      const CalcTexts& t) {
  draw_title(svg, kWidth, d.title);
  svg.text({(kLeft + kRight) / 2.0, kBottom + 40.0}, t.plot_frequency_axis, "",
           TextAnchor::kMiddle);
  svg.vertical_text({kLeft - 48.0, (kTop + kBottom) / 2.0}, t.plot_db_axis, "");
  svg.vertical_text({kRight + 50.0, (kTop + kBottom) / 2.0}, t.plot_s11_axis,
                    "");
}

// What is drawn inside the plot area, in user units, for keeping labels
// off it.
using Drawn = std::vector<std::vector<Point>>;

// The points of `curve` within the frequency axis as polylines; a
// non-finite value breaks the line.
void draw_curve(SvgWriter& svg, const Scale& x, const Scale& y,
                std::span<const CurvePoint> curve, std::string_view css,
                Drawn& drawn) {
  std::vector<CurvePoint> inside;
  for (const CurvePoint& p : curve) {
    if (x.contains(p.freq / kMegahertz)) inside.push_back(p);
  }
  const std::vector<CurvePoint> shown = decimated(inside, kMaxPlotPoints);
  std::vector<Point> run;
  const auto flush = [&] {
    if (run.size() > 1) {
      svg.polyline(run, css);
      drawn.push_back(run);
    }
    run.clear();
  };
  for (const CurvePoint& p : shown) {
    if (!std::isfinite(p.value)) {
      flush();
      continue;
    }
    run.push_back(Point{x(p.freq / kMegahertz), y(p.value)});
  }
  flush();
}

struct BandMark {
  const Band* band;
  float width_khz;  // as the results show it
  std::string_view name;
  std::string_view css;  // suffix of the edge-*, bar-* and tick-* classes
};

// The band's two edges as lines across the plot, each band in its own
// colour and dash, so that overlapping bands stay apart.
void band_edges(SvgWriter& svg, const Axes& a, const BandMark& m,
                Drawn& drawn) {
  if (!m.band->found) return;
  for (const float edge : {m.band->low, m.band->high}) {
    const double mhz = edge / kMegahertz;
    if (!a.mhz.contains(mhz)) continue;
    const Point top{a.mhz(mhz), kTop};
    const Point bottom{a.mhz(mhz), kBottom};
    svg.line(top, bottom, concat({"edge-", m.css}));
    drawn.push_back({top, bottom});
  }
}

// Width of `text` in class "small": one character per UTF-8 lead byte.
double small_text_width(std::string_view text) {
  const auto lead = [](char c) { return (c & 0xC0) != 0x80; };
  return kSmallCharWidth *
         static_cast<double>(std::count_if(text.begin(), text.end(), lead));
}

// A bar under the plot on the frequency scale, with end ticks, named with
// its width; a band reaching beyond the axis is cut at its ends.
void band_bar(SvgWriter& svg, const Axes& a, const BandMark& m, double y,
              const CalcTexts& t) {
  std::string label(m.name);
  if (!m.band->found) {
    svg.text({kLeft, y + 8.0}, concat({label, t.plot_band_not_found}), "small");
    return;
  }
  label += concat({": ", fixed(m.width_khz, 3), t.plot_khz});
  const double x0 = a.mhz(m.band->low / kMegahertz);
  const double x1 = std::max(a.mhz(m.band->high / kMegahertz), x0 + 2.0);
  svg.rect({x0, y + 2.0}, x1 - x0, 5.0, concat({"bar-", m.css}));
  for (const double x : {x0, x1}) {
    svg.line({x, y}, {x, y + 9.0}, concat({"tick-", m.css}));
  }
  // The label goes left of the bar when there is room for it.
  if (x0 - kLeft > small_text_width(label) + 12.0) {
    svg.text({x0 - 6.0, y + 8.0}, label, "small", TextAnchor::kEnd);
  } else {
    svg.text({x1 + 6.0, y + 8.0}, label, "small");
  }
}

// Whether a label of `width` with its baseline at `at` would touch
// anything drawn: each drawn segment is walked in steps of a user unit.
bool touches(const Drawn& drawn, Point at, double width) {
  const double x0 = at.x - 2.0, x1 = at.x + width + 2.0;
  const double y0 = at.y - kSmallAscent - 2.0, y1 = at.y + 4.0;
  const auto inside = [&](Point p) {
    return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1;
  };
  for (const std::vector<Point>& run : drawn) {
    for (std::size_t i = 0; i + 1 < run.size(); ++i) {
      const Point p = run[i], q = run[i + 1];
      const double length = std::hypot(q.x - p.x, q.y - p.y);
      const int steps = 1 + static_cast<int>(length);
      for (int s = 0; s <= steps; ++s) {
        const double t = static_cast<double>(s) / steps;
        if (inside({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)})) {
          return true;
        }
      }
    }
    if (run.size() == 1 && inside(run[0])) return true;
  }
  return false;
}

// The label of a horizontal line at height `y`: just above or below it, at
// the first place from `from_left` or from the right end that nothing
// drawn touches.
void line_label(SvgWriter& svg, const Drawn& drawn, double y,
                std::string_view label, bool from_left) {
  const double width = small_text_width(label);
  const double span = kRight - kLeft - width - 12.0;
  Point first{};
  for (int i = 0; i <= 40; ++i) {
    const double offset = 6.0 + span * i / 40.0;
    const double x = from_left ? kLeft + offset : kRight - offset - width;
    for (const double baseline : {y - 5.0, y + 14.0}) {
      const Point at{x, baseline};
      if (i == 0 && baseline == y - 5.0) first = at;
      if (at.y - kSmallAscent < kTop || at.y > kBottom) continue;
      if (!touches(drawn, at, width)) {
        svg.text(at, label, "small");
        return;
      }
    }
  }
  svg.text(first, label, "small");
}

void draw_limits(SvgWriter& svg, const Axes& a, Drawn& drawn) {
  const double y_db = a.db(kLimitDb);
  svg.line({kLeft, y_db}, {kRight, y_db}, "limit-db");
  const double y_s11 = a.s11(kS11Limit);
  svg.line({kLeft, y_s11}, {kRight, y_s11}, "limit-s11");
  drawn.push_back({{kLeft, y_db}, {kRight, y_db}});
  drawn.push_back({{kLeft, y_s11}, {kRight, y_s11}});
}

// The working frequency, named above the plot.
void draw_working_frequency(SvgWriter& svg, const Axes& a,
                            const DrawingSubject& d, Drawn& drawn,
                            const CalcTexts& t) {
  const double x_f = a.mhz(d.fmhz);
  svg.line({x_f, kTop}, {x_f, kBottom}, "fline");
  drawn.push_back({{x_f, kTop}, {x_f, kBottom}});
  svg.text({x_f, kTop - 6.0}, concat({"F = ", plain(d.fmhz), t.plot_mhz}),
           "small", TextAnchor::kMiddle);
}

// The sweep window ends below 2F, so the harmonics are told in numbers.
// "Подавление гармоник KU / KI, дБ: 2F 29.8 / 35.0; 3F ...".
void draw_harmonics(SvgWriter& svg, const DrawingSubject& d,
                    const CalcTexts& t) {
  const HarmonicTable& h = d.harmonics;
  std::string line(t.plot_harmonics);
  const char* separator = " ";
  for (std::size_t i = 0; i < kHarmonicCount; ++i) {
    line += concat({separator, std::to_string(kFirstHarmonic + i), "F ",
                    fixed(h.ku[i], 1), " / ", fixed(h.ki[i], 1)});
    separator = "; ";
  }
  svg.text({kLeft, kHarmonicsLine}, line, "small");
}

// "Гармоники на нагрузке, дБн: 2F -51.1 (норма -43.0, да); ...": each
// level and, against a limit, the limit and whether it is met.
void draw_emissions(SvgWriter& svg, const Emissions& e, const CalcTexts& t) {
  std::string line(t.plot_emissions);
  const char* separator = " ";
  for (const HarmonicEmission& h : e.harmonics) {
    line += concat(
        {separator, std::to_string(h.n), "F ",
         std::isinf(h.dbc) ? std::string(t.emissions_none) : fixed(h.dbc, 1)});
    if (h.limit_dbc) {
      line += concat({t.plot_emissions_limit, fixed(*h.limit_dbc, 1), ", ",
                      bare_label(*h.pass ? t.emissions_pass : t.emissions_fail),
                      ")"});
    }
    separator = "; ";
  }
  svg.text({kLeft, kEmissionsLine}, line, "small");
}

void legend_item(SvgWriter& svg, Point at, std::string_view css,
                 std::string_view label) {
  svg.line({at.x, at.y - 4.0}, {at.x + 30.0, at.y - 4.0}, css);
  svg.text({at.x + 38.0, at.y}, label, "small");
}

void draw_legend(SvgWriter& svg, const CalcTexts& t) {
  const double left = kLeft;
  const double right = kLeft + 430.0;
  const double row1 = kFirstLegendRow;
  const double row2 = row1 + kLegendPitch;
  const double row3 = row2 + kLegendPitch;
  legend_item(svg, {left, row1}, "voltage", t.plot_legend_voltage);
  legend_item(svg, {left, row2}, "current", t.plot_legend_current);
  legend_item(svg, {left, row3}, "s11", t.plot_legend_s11);
  legend_item(svg, {right, row1}, "limit-db", t.plot_legend_limit_db);
  legend_item(svg, {right, row2}, "limit-s11", "|S11| = 0.1");
  legend_item(svg, {right, row3}, "fline", t.plot_legend_f);
}

}  // namespace

std::vector<CurvePoint> decimated(std::span<const CurvePoint> curve,
                                  std::size_t max_points) {
  const std::size_t buckets = std::max<std::size_t>(max_points / 2, 1);
  if (curve.size() <= max_points) {
    return std::vector<CurvePoint>(curve.begin(), curve.end());
  }
  const std::size_t run = (curve.size() + buckets - 1) / buckets;
  const auto by_value = [](const CurvePoint& a, const CurvePoint& b) {
    return a.value < b.value;
  };
  std::vector<CurvePoint> out;
  for (std::size_t begin = 0; begin < curve.size(); begin += run) {
    const auto part = curve.subspan(begin, std::min(run, curve.size() - begin));
    const auto [low, high] =
        std::minmax_element(part.begin(), part.end(), by_value);
    out.push_back(low < high ? *low : *high);
    if (low != high) out.push_back(low < high ? *high : *low);
  }
  return out;
}

std::string response_plot_svg(const DrawingSubject& d,
                              const ResponseCurves& curves, Language language,
                              PlotWindow window, const Emissions* emissions) {
  const CalcTexts& t = calc_texts(language);
  const Axes a = make_axes(frequency_window(d, curves, window), curves);
  const std::array<BandMark, 3> bands = {{
      {&curves.voltage_band, d.bw_u, t.plot_voltage_band, "voltage"},
      {&curves.current_band, d.bw_i, t.plot_current_band, "current"},
      {&curves.s11_band, d.bw_s11, t.plot_s11_band, "s11"},
  }};

  SvgWriter svg(kWidth, kHeight, kCss);
  svg.rect({0.0, 0.0}, kWidth, kHeight, "background");
  draw_grid(svg, a);
  Drawn drawn;
  draw_limits(svg, a, drawn);
  for (const BandMark& m : bands) band_edges(svg, a, m, drawn);
  draw_working_frequency(svg, a, d, drawn, t);
  draw_curve(svg, a.mhz, a.s11, curves.s11, "s11", drawn);
  draw_curve(svg, a.mhz, a.db, curves.current, "current", drawn);
  draw_curve(svg, a.mhz, a.db, curves.voltage, "voltage", drawn);
  line_label(svg, drawn, a.db(kLimitDb), t.plot_limit_db, true);
  line_label(svg, drawn, a.s11(kS11Limit), "|S11| = 0.1", false);
  svg.rect({kLeft, kTop}, kRight - kLeft, kBottom - kTop, "frame");
  draw_tick_labels(svg, a);
  draw_axis_titles(svg, d, t);
  for (std::size_t i = 0; i < bands.size(); ++i) {
    band_bar(svg, a, bands[i], kFirstBar + kBarPitch * static_cast<double>(i),
             t);
  }
  draw_harmonics(svg, d, t);
  if (emissions != nullptr) draw_emissions(svg, *emissions, t);
  draw_legend(svg, t);
  return svg.finish();
}

}  // namespace merid
