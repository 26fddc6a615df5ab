#include "cli/response_plot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

#include "base/number_text.h"
#include "cli/svg_writer.h"
#include "text/calc_texts.h"

namespace merid {
namespace {

// Page and plot area, in user units.
constexpr double kWidth = 960.0;
constexpr double kHeight = 600.0;
constexpr double kLeft = 80.0;
constexpr double kRight = 880.0;
constexpr double kTop = 60.0;
constexpr double kBottom = 400.0;

constexpr double kMegahertz = 1e6;
constexpr double kLimitDb = -1.0;
constexpr double kS11Limit = 0.1;

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
    ".band-voltage { fill: #1f5fbf; fill-opacity: 0.10; }\n"
    ".band-current { fill: #d0432b; fill-opacity: 0.10; }\n"
    ".band-s11 { fill: #2a9440; fill-opacity: 0.10; }\n"
    ".bar-voltage { fill: #1f5fbf; }\n"
    ".bar-current { fill: #d0432b; }\n"
    ".bar-s11 { fill: #2a9440; }\n"
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

Extent db_extent(const ResponseCurves& c) {
  Extent e;
  for (const auto* curve : {&c.voltage, &c.current}) {
    for (const CurvePoint& p : *curve) {
      if (!std::isfinite(p.value)) continue;
      e.low = std::min(e.low, static_cast<double>(p.value));
      e.high = std::max(e.high, static_cast<double>(p.value));
    }
  }
  return e;
}

// The dB scale shows at least -10 to +5 dB and at most down to -60 dB,
// where nothing about the bands is to be seen.
Axes make_axes(const Design& d, const ResponseCurves& c) {
  const double fstop = d.details.fstop / kMegahertz;
  const Extent e = db_extent(c);
  const double top = std::max(5.0, std::ceil(e.high / 5.0) * 5.0);
  const double bottom =
      std::min(-10.0, std::max(-60.0, std::floor(e.low / 10.0) * 10.0));
  Axes a;
  a.mhz = Scale{0.0, fstop, kLeft, kRight};
  a.db = Scale{bottom, top, kBottom, kTop};
  a.s11 = Scale{0.0, 1.0, kBottom, kTop};
  a.mhz_step = nice_step(fstop, 10.0);
  a.db_step = top - bottom > 30.0 ? 10.0 : 5.0;
  return a;
}

void draw_grid(SvgWriter& svg, const Axes& a) {
  svg.begin_group("grid");
  for (double v = 0.0; v <= a.mhz.hi + 1e-9; v += a.mhz_step) {
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
  for (double v = 0.0; v <= a.mhz.hi + 1e-9; v += a.mhz_step) {
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

void draw_axis_titles(SvgWriter& svg, const Design& d) {
  svg.text({kWidth / 2.0, 28.0},
           concat({kPlotTitleF, plain(d.fmhz), kPlotTitleQn, plain(d.qn),
                   kPlotTitleQ0, plain(d.q0), kPlotTitleRin, plain(d.rin),
                   kPlotTitleRout, plain(d.rout), kPlotOhm}),
           "title", TextAnchor::kMiddle);
  svg.text({(kLeft + kRight) / 2.0, kBottom + 40.0}, kPlotFrequencyAxis, "",
           TextAnchor::kMiddle);
  svg.vertical_text({kLeft - 48.0, (kTop + kBottom) / 2.0}, kPlotDbAxis, "");
  svg.vertical_text({kRight + 50.0, (kTop + kBottom) / 2.0}, kPlotS11Axis, "");
}

// The curve as polylines; a non-finite value breaks the line.
void draw_curve(SvgWriter& svg, const Scale& x, const Scale& y,
                std::span<const CurvePoint> curve, std::string_view css) {
  const std::vector<CurvePoint> shown = decimated(curve, kMaxPlotPoints);
  std::vector<Point> run;
  const auto flush = [&] {
    if (run.size() > 1) svg.polyline(run, css);
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
  std::string_view css;  // suffix of the band-* and bar-* classes
};

void shade_band(SvgWriter& svg, const Axes& a, const BandMark& m) {
  if (!m.band->found) return;
  const double x0 = a.mhz(m.band->low / kMegahertz);
  const double x1 = a.mhz(m.band->high / kMegahertz);
  svg.rect({x0, kTop}, std::max(x1 - x0, 1.0), kBottom - kTop,
           concat({"band-", m.css}));
}

// A bar under the plot on the frequency scale, named with its width.
void band_bar(SvgWriter& svg, const Axes& a, const BandMark& m, double y) {
  std::string label(m.name);
  if (!m.band->found) {
    svg.text({kLeft, y + 8.0}, concat({label, kPlotBandNotFound}), "small");
    return;
  }
  label += concat({": ", fixed(m.width_khz, 3), kPlotKhz});
  const double x0 = a.mhz(m.band->low / kMegahertz);
  const double x1 = a.mhz(m.band->high / kMegahertz);
  svg.rect({x0, y}, std::max(x1 - x0, 2.0), 8.0, concat({"bar-", m.css}));
  // The label goes left of the bar when there is room for it.
  if (x0 - kLeft > 230.0) {
    svg.text({x0 - 6.0, y + 8.0}, label, "small", TextAnchor::kEnd);
  } else {
    svg.text({std::max(x1, x0 + 2.0) + 6.0, y + 8.0}, label, "small");
  }
}

void draw_limits(SvgWriter& svg, const Axes& a, const Design& d) {
  const double y_db = a.db(kLimitDb);
  svg.line({kLeft, y_db}, {kRight, y_db}, "limit-db");
  svg.text({kLeft + 6.0, y_db + 14.0}, kPlotLimitDb, "small");
  const double y_s11 = a.s11(kS11Limit);
  svg.line({kLeft, y_s11}, {kRight, y_s11}, "limit-s11");
  svg.text({kRight - 6.0, y_s11 - 5.0}, "|S11| = 0.1", "small",
           TextAnchor::kEnd);
  const double x_f = a.mhz(d.fmhz);
  svg.line({x_f, kTop}, {x_f, kBottom}, "fline");
  svg.text({x_f, kTop - 6.0}, concat({"F = ", plain(d.fmhz), kPlotMhz}),
           "small", TextAnchor::kMiddle);
}

void legend_item(SvgWriter& svg, Point at, std::string_view css,
                 std::string_view label) {
  svg.line({at.x, at.y - 4.0}, {at.x + 30.0, at.y - 4.0}, css);
  svg.text({at.x + 38.0, at.y}, label, "small");
}

void draw_legend(SvgWriter& svg) {
  constexpr double kRow = 22.0;
  constexpr double kFirstRow = 538.0;
  const double left = kLeft;
  const double right = kLeft + 430.0;
  legend_item(svg, {left, kFirstRow}, "voltage", kPlotLegendVoltage);
  legend_item(svg, {left, kFirstRow + kRow}, "current", kPlotLegendCurrent);
  legend_item(svg, {left, kFirstRow + 2.0 * kRow}, "s11", kPlotLegendS11);
  legend_item(svg, {right, kFirstRow}, "limit-db", kPlotLegendLimitDb);
  legend_item(svg, {right, kFirstRow + kRow}, "limit-s11", "|S11| = 0.1");
  legend_item(svg, {right, kFirstRow + 2.0 * kRow}, "fline", kPlotLegendF);
}

}  // namespace

std::string response_plot_svg(const Design& d, const ResponseCurves& curves) {
  const Axes a = make_axes(d, curves);
  const Results& r = d.results;
  const std::array<BandMark, 3> bands = {{
      {&curves.voltage_band, r.bw_u, kPlotVoltageBand, "voltage"},
      {&curves.current_band, r.bw_i, kPlotCurrentBand, "current"},
      {&curves.s11_band, r.bw_s11, kPlotS11Band, "s11"},
  }};

  SvgWriter svg(kWidth, kHeight, kCss);
  svg.rect({0.0, 0.0}, kWidth, kHeight, "background");
  for (const BandMark& m : bands) shade_band(svg, a, m);
  draw_grid(svg, a);
  draw_limits(svg, a, d);
  draw_curve(svg, a.mhz, a.s11, curves.s11, "s11");
  draw_curve(svg, a.mhz, a.db, curves.current, "current");
  draw_curve(svg, a.mhz, a.db, curves.voltage, "voltage");
  svg.rect({kLeft, kTop}, kRight - kLeft, kBottom - kTop, "frame");
  draw_tick_labels(svg, a);
  draw_axis_titles(svg, d);
  for (std::size_t i = 0; i < bands.size(); ++i) {
    band_bar(svg, a, bands[i], kBottom + 56.0 + 18.0 * static_cast<double>(i));
  }
  draw_legend(svg);
  return svg.finish();
}

}  // namespace merid
