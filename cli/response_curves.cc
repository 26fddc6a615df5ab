#include "cli/response_curves.h"

#include <algorithm>
#include <utility>

#include "base/number_text.h"
#include "calc/constants.h"
#include "calc/s11module.h"
#include "calc/sweep.h"
#include "text/calc_texts.h"

namespace merid {

namespace {

ResponseCurves curves_of(SweepTrace& trace, const Band& voltage,
                         const Band& current, const Band& s11) {
  return ResponseCurves{std::move(trace.voltage),
                        std::move(trace.current),
                        std::move(trace.s11),
                        voltage,
                        current,
                        s11};
}

}  // namespace

ResponseCurves response_curves(const Design& d) {
  const Details& x = d.details;
  SweepTrace trace;
  const SweepBands bands = sweep_bands(x.tank, d.results.uin, d.rin,
                                       SweepGrid{x.fstart, x.step, x.nstep},
                                       x.vref2, x.ns11, &trace);
  return curves_of(trace, bands.voltage, bands.current, bands.s11.band);
}

ResponseCurves response_curves(const PiLDesign& d) {
  SweepTrace trace;
  const PiLBands bands =
      pi_l_bands(d.network, drive_voltage(d), d.rin, kHertzPerMegahertz * d.f,
                 d.grid, d.ns11, &trace);
  return curves_of(trace, bands.voltage, bands.current, bands.s11);
}

namespace {

// "П-контур: F = 7.1 МГц, Qn = 12, Q0 = 200": the network and its first
// inputs.
std::string title_start(std::string_view network, float fmhz, float qn,
                        float q0) {
  return concat({network, kPlotTitleF, plain(fmhz), kPlotTitleQn, plain(qn),
                 kPlotTitleQ0, plain(q0)});
}

}  // namespace

DrawingSubject drawing_subject(const Design& d) {
  const Results& r = d.results;
  const Details& x = d.details;
  const Tank tank = x.tank;
  return DrawingSubject{
      {concat({title_start(kPlotTitlePi, d.fmhz, d.qn, d.q0), kPlotTitleRin,
               plain(d.rin), kPlotTitleRout, plain(d.rout), kPlotOhm})},
      d.fmhz,
      working_hertz(d),
      d.rin,
      x.fstart,
      x.fstop,
      x.step,
      r.bw_u,
      r.bw_i,
      r.bw_s11,
      harmonic_table(d),
      [tank](float freq) {
        return input_impedance(tank, elements_at(tank, freq));
      }};
}

DrawingSubject drawing_subject(const PiLDesign& d) {
  const PiLResults& r = d.results;
  const PiLNetwork n = d.network;
  const Drive any = matched_drive(drive_voltage(d), d.rin);
  return DrawingSubject{
      {title_start(kPlotTitlePiL, d.f, d.qn, d.q0),
       concat({kPlotTitleRinLine, plain(d.rin), kPlotTitleRmid, plain(d.rmid),
               kPlotTitleRout, plain(d.rout), kPlotOhm})},
      d.f,
      kHertzPerMegahertz * d.f,
      d.rin,
      d.grid.fstart,
      d.fstop,
      d.grid.step,
      r.bw_u,
      r.bw_i,
      r.bw_s11,
      r.harmonics,
      [n, any](float freq) { return analyse_pi_l(n, any, freq).zin; }};
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
