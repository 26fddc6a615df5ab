#include "cli/response_curves.h"

#include <algorithm>
#include <utility>

#include "calc/sweep.h"

namespace merid {

ResponseCurves response_curves(const Design& d) {
  const Details& x = d.details;
  SweepTrace trace;
  const SweepBands bands = sweep_bands(x.tank, d.results.uin, d.rin,
                                       SweepGrid{x.fstart, x.step, x.nstep},
                                       x.vref2, x.ns11, &trace);
  return ResponseCurves{std::move(trace.voltage),
                        std::move(trace.current),
                        std::move(trace.s11),
                        bands.voltage,
                        bands.current,
                        bands.s11.band};
}

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

}  // namespace merid
