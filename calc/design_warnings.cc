#include "calc/design_warnings.h"

#include <numbers>

namespace merid {

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
