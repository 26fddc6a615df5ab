#include "calc/design_warnings.h"

#include <numbers>

#include "calc/sweep.h"

namespace merid {
namespace {

// Frequency of the last of `points` grid points, Hz, accumulated as the
// sweeps accumulate it.
float last_point(float fstart, float step, std::int32_t points) {
  float phi = fstart;
  for (std::int32_t i = 1; i < points; ++i) phi = phi + step;
  return phi;
}

}  // namespace

WindowReach window_reach(const Band& voltage, const Band& current, float fstart,
                         float top) {
  const auto at_bottom = [fstart](const Band& b) {
    return b.found && b.low == fstart;
  };
  const auto at_top = [top](const Band& b) { return b.found && b.high == top; };
  return WindowReach{at_bottom(voltage), at_top(voltage), at_bottom(current),
                     at_top(current)};
}

WindowReach window_reach(const Design& d) {
  const Details& x = d.details;
  return window_reach(x.voltage_band, x.current_band, x.fstart,
                      last_point(x.fstart, x.step, x.nstep));
}

WarningFigures warning_figures(const Design& d, const WindowReach& reach) {
  const Results& r = d.results;
  WarningFigures f;
  f.fmhz = d.fmhz;
  f.c1 = r.c1;
  f.ku = r.ku;
  f.ki = r.ki;
  f.bw_u = r.bw_u;
  f.bw_i = r.bw_i;
  f.bw_s11 = r.bw_s11;
  f.s11 = r.s11;
  f.reach = reach;
  f.fstart = d.details.fstart;
  f.fstop = d.details.fstop;
  f.s11_crossings = d.details.ncross;
  return f;
}

double shunt_inductance_uh(double c1_pf, double f_mhz) {
  const double omega = 2.0 * std::numbers::pi * f_mhz * 1e6;
  return -1e6 / (omega * omega * c1_pf * 1e-12);
}

std::vector<DesignWarning> design_warnings(const WarningFigures& f,
                                           std::optional<double> cmin_pf) {
  std::vector<DesignWarning> out;
  const auto warn = [&out](bool when, WarningCode code, double figure,
                           double context = 0.0) {
    if (when) out.push_back(DesignWarning{code, figure, context});
  };
  warn(f.c1 < 0.0f, WarningCode::kC1Negative, shunt_inductance_uh(f.c1, f.fmhz),
       f.c1);
  warn(f.ku < 0.0f, WarningCode::kKuNegative, f.ku);
  warn(f.ki < 0.0f, WarningCode::kKiNegative, f.ki);
  warn(f.reach.voltage_bottom, WarningCode::kBandUAtBottom, f.bw_u, f.fstart);
  warn(f.reach.voltage_top, WarningCode::kBandUAtTop, f.bw_u, f.fstop);
  warn(f.reach.current_bottom, WarningCode::kBandIAtBottom, f.bw_i, f.fstart);
  warn(f.reach.current_top, WarningCode::kBandIAtTop, f.bw_i, f.fstop);
  if (f.s11_crossings) {
    const std::int32_t crossings = *f.s11_crossings;
    warn(crossings == 1, WarningCode::kS11OneCrossing, f.bw_s11);
    warn(crossings == 0 || crossings > 3, WarningCode::kS11NoWidth, crossings);
  } else {
    warn(f.s11_run_points < 2, WarningCode::kS11NoWidth, f.s11_run_points,
         f.step);
  }
  // Written so that a not-a-number S11 warns too.
  warn(!(f.s11 <= kS11MatchLimit), WarningCode::kS11AtF, f.s11);
  if (cmin_pf) {
    warn(f.c1 < *cmin_pf, WarningCode::kC1BelowCmin, f.c1 - *cmin_pf, f.c1);
  }
  return out;
}

}  // namespace merid
