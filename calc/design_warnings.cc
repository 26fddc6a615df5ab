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

WindowReach window_reach(const Design& d) {
  const Details& x = d.details;
  const SweepBands bands =
      sweep_bands(x.tank, d.results.uin, d.rin,
                  SweepGrid{x.fstart, x.step, x.nstep}, x.vref2, x.ns11);
  const float top = last_point(x.fstart, x.step, x.nstep);
  const auto at_bottom = [&x](const Band& b) {
    return b.found && b.low == x.fstart;
  };
  const auto at_top = [top](const Band& b) { return b.found && b.high == top; };
  return WindowReach{at_bottom(bands.voltage), at_top(bands.voltage),
                     at_bottom(bands.current), at_top(bands.current)};
}

double shunt_inductance_uh(double c1_pf, double f_mhz) {
  const double omega = 2.0 * std::numbers::pi * f_mhz * 1e6;
  return -1e6 / (omega * omega * c1_pf * 1e-12);
}

std::vector<DesignWarning> design_warnings(const Design& d,
                                           const WindowReach& reach,
                                           std::optional<double> cmin_pf) {
  const Results& r = d.results;
  std::vector<DesignWarning> out;
  const auto warn = [&out](bool when, WarningCode code, double figure) {
    if (when) out.push_back(DesignWarning{code, figure});
  };
  warn(r.c1 < 0.0f, WarningCode::kC1Negative,
       shunt_inductance_uh(r.c1, d.fmhz));
  warn(r.ku < 0.0f, WarningCode::kKuNegative, r.ku);
  warn(r.ki < 0.0f, WarningCode::kKiNegative, r.ki);
  warn(reach.voltage_bottom, WarningCode::kBandUAtBottom, r.bw_u);
  warn(reach.voltage_top, WarningCode::kBandUAtTop, r.bw_u);
  warn(reach.current_bottom, WarningCode::kBandIAtBottom, r.bw_i);
  warn(reach.current_top, WarningCode::kBandIAtTop, r.bw_i);
  const std::int32_t crossings = d.details.ncross;
  warn(crossings == 1, WarningCode::kS11OneCrossing, r.bw_s11);
  warn(crossings == 0 || crossings > 3, WarningCode::kS11NoWidth, crossings);
  // Written so that a not-a-number S11 warns too.
  warn(!(r.s11 <= kS11Limit), WarningCode::kS11AtF, r.s11);
  if (cmin_pf) {
    warn(r.c1 < *cmin_pf, WarningCode::kC1BelowCmin, r.c1 - *cmin_pf);
  }
  return out;
}

}  // namespace merid
