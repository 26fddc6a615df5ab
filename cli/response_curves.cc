#include "cli/response_curves.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "calc/complex.h"
#include "calc/constants.h"
#include "calc/network.h"
#include "calc/polosa_s11.h"
#include "calc/s11module.h"
#include "calc/subpolosa.h"

namespace merid {
namespace {

// The grid of every sweep: frequencies accumulated in single precision from
// fstart, as the calculation accumulates them (above 2^24 Hz the running
// sum and fstart + i * step differ).
std::vector<float> grid_frequencies(float fstart, float step,
                                    std::int32_t count) {
  std::vector<float> freqs(count > 0 ? static_cast<std::size_t>(count) : 0);
  float phi = fstart;
  for (float& f : freqs) {
    f = phi;
    phi = phi + step;
  }
  return freqs;
}

// `level_db(vout)` is the calculation's 20 log10 of reference over level at
// each grid point; the curve shows it with the sign turned, so that a
// response above its reference stands above 0 dB.
template <typename LevelDb>
std::vector<CurvePoint> response(const Tank& tank, const Drive& drive,
                                 std::span<const float> freqs,
                                 LevelDb level_db) {
  std::vector<CurvePoint> curve;
  curve.reserve(freqs.size());
  for (const float f : freqs) {
    curve.push_back(CurvePoint{f, -level_db(analyse(tank, drive, f).vout)});
  }
  return curve;
}

// The band that the calculation's band search keeps, from the same
// deviations |dB| at the same points.
Band band_within_1db(std::span<const CurvePoint> curve) {
  std::vector<ResponsePoint> resp;
  resp.reserve(curve.size());
  for (const CurvePoint& p : curve) {
    resp.push_back(ResponsePoint{p.freq, std::fabs(p.value)});
  }
  band_width(resp);
  Band band;
  for (const ResponsePoint& p : resp) {
    if (p.freq <= 0.0f) continue;  // left out by the search
    if (!band.found) band.low = p.freq;
    band.found = true;
    band.high = p.freq;
  }
  return band;
}

// The crossings that the calculation's S11 sweep found, as bounds of the
// band bw_s11 measures.
Band s11_band(const Design& d) {
  const Details& x = d.details;
  const Tank& t = x.tank;
  const S11Band s11 =
      subs11(t.q0, t.c1, t.c2, t.l, x.fstart, x.step, x.ns11, d.rin, t.rout);
  const auto crossing = [&s11](std::size_t i) {
    return static_cast<float>(s11.fcross[i]);
  };
  switch (s11.ncross) {
    case 1:
      return Band{true, x.fstart, crossing(0)};
    case 2:
      return Band{true, crossing(0), crossing(1)};
    case 3:
      return Band{true, crossing(1), crossing(2)};
    default:
      return Band{};
  }
}

std::vector<CurvePoint> s11_curve(const Tank& tank, float rin,
                                  std::span<const float> freqs) {
  std::vector<CurvePoint> curve;
  curve.reserve(freqs.size());
  for (const float f : freqs) {
    const Elements e = elements_at(tank, f);
    curve.push_back(
        CurvePoint{f, swrsub(input_impedance(tank, e), real(rin)).gamma});
  }
  return curve;
}

}  // namespace

ResponseCurves response_curves(const Design& d) {
  const Details& x = d.details;
  const Tank& tank = x.tank;
  const std::vector<float> freqs = grid_frequencies(x.fstart, x.step, x.nstep);
  ResponseCurves c;

  const Complex vref2 = x.vref2;
  c.voltage = response(
      tank, matched_drive(d.results.uin, d.rin), freqs, [vref2](Complex vout) {
        return kDecibelsPerDecade * log10_single(modulus(vref2 / vout));
      });
  const Drive high_z = high_impedance_drive(d.results.uin, d.rin);
  const float vmax =
      peak_output(tank, high_z, SweepGrid{x.fstart, x.step, x.nstep});
  c.current = response(tank, high_z, freqs, [vmax](Complex vout) {
    return kDecibelsPerDecade * log10_single(vmax / modulus(vout));
  });
  c.voltage_band = band_within_1db(c.voltage);
  c.current_band = band_within_1db(c.current);

  const std::vector<float> s11_freqs =
      grid_frequencies(x.fstart, x.step, x.ns11);
  c.s11 = s11_curve(tank, d.rin, s11_freqs);
  c.s11_band = s11_band(d);
  return c;
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
