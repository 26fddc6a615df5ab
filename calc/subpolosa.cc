// The current and the voltage response: the peak search, the -1 dB band
// search and the stand-ins for their deviations.

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "calc/bisection.h"
#include "calc/constants.h"
#include "calc/network.h"
#include "calc/sweep.h"
#include "calc/sweep_internal.h"
#include "calc/sweep_kernel.h"

namespace merid {
namespace {

// Divides the grid's span and its point count in two for the peak search.
constexpr float kHalvingDivisor = 2.0f;
constexpr float kLimitDb = 1.0f;
// Frequency and deviation of a point outside the band.
constexpr float kMarker = -10.0f;

static_assert(std::bit_cast<std::uint32_t>(kHalvingDivisor) == 0x40000000);
static_assert(std::bit_cast<std::uint32_t>(kLimitDb) == 0x3F800000);
static_assert(std::bit_cast<std::uint32_t>(kMarker) == 0xC1200000);

bool within_limit(float x) { return deviation_db(x) <= kLimitDb; }
bool beyond_limit(float x) { return deviation_db(x) > kLimitDb; }
bool at_zero(float x) { return deviation_db(x) == 0.0f; }
bool above_zero(float x) { return deviation_db(x) > 0.0f; }

// The float just below a positive x.
float before(float x) {
  return std::bit_cast<float>(std::bit_cast<std::uint32_t>(x) - 1);
}

void mark_out_of_band(ResponsePoint& point) {
  point.freq = kMarker;
  point.dev = kMarker;
}

}  // namespace

// A modulus never falls as its square rises and the root of 0 is 0, so the
// largest modulus is the modulus of the largest square.
float peak_output(const Tank& tank, const Drive& drive, const SweepGrid& grid) {
  const float start =
      (static_cast<float>(grid.nstep) * grid.step) / kHalvingDivisor;
  const auto first = static_cast<std::int32_t>(static_cast<float>(grid.nstep) /
                                               kHalvingDivisor);
  const std::int64_t count = std::int64_t{grid.nstep} - first + 1;
  double largest = 0.0;
  std::array<double, kBlockPoints> squared;
  sweep_grid(tank, start, grid.step,
             count > 0 ? static_cast<std::size_t>(count) : 0,
             [&](const GridBlock& block) {
               with_sweep_kernel([&] {
                 for (std::size_t j = 0; j < block.count; ++j) {
                   squared[j] = modulus_squared(block.driven(j, drive).vout);
                 }
                 for (std::size_t j = 0; j < block.count; ++j) {
                   if (squared[j] > largest) largest = squared[j];
                 }
               });
             });
  return modulus_from_squared(largest);
}

float deviation_db(float x) {
  return std::fabs(kDecibelsPerDecade * log10_single(x));
}

ResponsePoint BandSearch::add(ResponsePoint point) {
  if (point.dev > kLimitDb) mark_out_of_band(point);
  // A falling edge is a live point (dev > 0) followed by a marked one.
  if (prev_dev_ > 0.0f && point.dev < 0.0f) {
    if (falling_edges_ == 0) first_edge_ = next_;
    ++falling_edges_;
  }
  if (point.freq > 0.0f) {
    if (!any_live_) first_live_ = point.freq;
    any_live_ = true;
    if (falling_edges_ > 0 && next_ > first_edge_ && !any_live_after_edge_) {
      first_live_after_edge_ = point.freq;
      any_live_after_edge_ = true;
    }
    last_live_ = point.freq;
  }
  prev_dev_ = point.dev;
  ++next_;
  return point;
}

void BandSearch::add_run(ResponsePoint first, ResponsePoint last,
                         std::size_t count) {
  add(first);
  if (count < 2) return;
  next_ += count - 2;
  add(last);
}

Band BandSearch::band() const {
  // The points passed over all lie before the first live point after the
  // first falling edge, so the last live point stays the last.
  if (passes_over_first_run()) {
    return Band{any_live_after_edge_, first_live_after_edge_, last_live_};
  }
  return Band{any_live_, first_live_, last_live_};
}

float BandSearch::width() const {
  const Band b = band();
  return b.found ? b.high - b.low : 0.0f;
}

float band_width(std::span<ResponsePoint> resp) {
  BandSearch search;
  for (ResponsePoint& point : resp) point = search.add(point);
  if (search.passes_over_first_run()) {
    for (std::size_t i = 0; i <= search.first_edge(); ++i) {
      mark_out_of_band(resp[i]);
    }
  }
  return search.width();
}

DeviationScale::DeviationScale()
    : below_(first_float_where(0.5f, 1.0f, within_limit)),
      zero_lo_(first_float_where(0.5f, 1.0f, at_zero)),
      zero_hi_(before(first_float_where(1.0f, 2.0f, above_zero))),
      above_(before(first_float_where(1.0f, 2.0f, beyond_limit))) {}

float DeviationScale::stand_in(float x) const {
  if (x > above_ || (x >= 0.0f && x < below_)) return kBeyondLimit;
  if (x >= zero_lo_ && x <= zero_hi_) return 0.0f;
  if (x >= below_ && x <= above_) return kWithinLimit;
  // Not-a-number or negative: no shortcut.
  return deviation_db(x);
}

ResponseScale::ResponseScale(const DeviationScale& scale, ResponseRatio ratio)
    : scale_(scale),
      ratio_(ratio),
      shortcuts_(!ratio.against_peak ||
                 (ratio.vmax > 0.0f && std::isfinite(ratio.vmax))) {
  const float below = scale.below(), zero_lo = scale.zero_lo();
  const float zero_hi = scale.zero_hi(), above = scale.above();
  const ResponseRatio& x = ratio;
  Edges& e = edges_;
  if (ratio.against_peak) {
    // x falls as the square rises.
    e.out_below =
        first_finite_double_where([&](double s) { return x(s) <= above; });
    e.zero_from =
        first_finite_double_where([&](double s) { return x(s) <= zero_hi; });
    e.zero_to =
        first_finite_double_where([&](double s) { return x(s) < zero_lo; });
    e.out_from =
        first_finite_double_where([&](double s) { return x(s) < below; });
  } else {
    // x rises with the square.
    e.out_below =
        first_finite_double_where([&](double s) { return x(s) >= below; });
    e.zero_from =
        first_finite_double_where([&](double s) { return x(s) >= zero_lo; });
    e.zero_to =
        first_finite_double_where([&](double s) { return x(s) > zero_hi; });
    e.out_from =
        first_finite_double_where([&](double s) { return x(s) > above; });
  }
}

float ResponseScale::stand_in(double squared) const {
  if (shortcuts_) return edges_.stand_in(squared);
  return scale_.stand_in(ratio_(squared));
}

ResponseBand::ResponseBand(std::int32_t nstep, const ResponseScale& scale,
                           std::vector<CurvePoint>* trace)
    : scale_(scale),
      points_(nstep > 0 ? static_cast<std::size_t>(nstep) : 0),
      trace_(trace) {
  if (trace_ != nullptr) trace_->reserve(points_);
}

void ResponseBand::trace_levels(const GridBlock& block, const double* squared,
                                std::size_t n) {
  const ResponseRatio ratio = scale_.ratio();
  for (std::size_t j = 0; j < n; ++j) {
    const float level_db = kDecibelsPerDecade * log10_single(ratio(squared[j]));
    trace_->push_back(CurvePoint{block.freq[j], -level_db});
  }
}

void ResponseBand::enter(const GridBlock& block, const double* squared) {
  const std::size_t n = block.count_below(points_);
  if (n == 0) return;
  if (trace_ != nullptr) trace_levels(block, squared, n);
  std::array<float, kBlockPoints> dev;
  if (scale_.shortcuts()) {
    const ResponseScale::Edges edges = scale_.edges();
    for (std::size_t j = 0; j < n; ++j) dev[j] = edges.stand_in(squared[j]);
  } else {
    for (std::size_t j = 0; j < n; ++j) dev[j] = scale_.stand_in(squared[j]);
  }
  // Runs of one deviation are the rule: most blocks lie wholly out of band
  // or wholly in band.
  int breaks = 0;
  for (std::size_t j = 0; j < n; ++j) {
    breaks += dev[j] != dev[0] ? 1 : 0;
    breaks += block.freq[j] > 0.0f ? 0 : 1;
  }
  if (breaks == 0) {
    search_.add_run(ResponsePoint{block.freq[0], dev[0]},
                    ResponsePoint{block.freq[n - 1], dev[n - 1]}, n);
    return;
  }
  std::size_t j = 0;
  while (j < n) {
    const ResponsePoint first{block.freq[j], dev[j]};
    std::size_t end = j + 1;
    if (first.freq > 0.0f) {
      while (end < n && dev[end] == first.dev && block.freq[end] > 0.0f) {
        ++end;
      }
    }
    search_.add_run(first, ResponsePoint{block.freq[end - 1], dev[end - 1]},
                    end - j);
    j = end;
  }
}

Response::Response(const Drive& drive, const ResponseRatio& ratio,
                   Complex vref2, std::int32_t nstep,
                   const DeviationScale& scale, std::vector<CurvePoint>* trace)
    : drive_(drive),
      against_peak_(ratio.against_peak),
      vref2_(vref2),
      band_(nstep, ResponseScale(scale, ratio), trace) {}

Response Response::current(const Tank& tank, const Drive& drive,
                           const SweepGrid& grid, const DeviationScale& scale,
                           std::vector<CurvePoint>* trace) {
  return Response(drive, ResponseRatio{true, peak_output(tank, drive, grid)},
                  Complex{}, grid.nstep, scale, trace);
}

Response Response::voltage(const Drive& drive, const SweepGrid& grid,
                           Complex vref2, const DeviationScale& scale,
                           std::vector<CurvePoint>* trace) {
  return Response(drive, ResponseRatio{false, 0.0f}, vref2, grid.nstep, scale,
                  trace);
}

void Response::take(const GridBlock& block) {
  with_sweep_kernel([&] {
    std::array<double, kBlockPoints> squared;
    const std::size_t n = block.count_below(points());
    // x = vmax / |vout| or x = |vref2 / vout|, its modulus kept as its
    // square; one loop each, so that neither loop branches.
    if (against_peak_) {
      for (std::size_t j = 0; j < n; ++j) {
        squared[j] = modulus_squared(block.driven(j, drive_).vout);
      }
    } else {
      for (std::size_t j = 0; j < n; ++j) {
        squared[j] = modulus_squared(vref2_ / block.driven(j, drive_).vout);
      }
    }
    band_.enter(block, squared.data());
  });
}

float fpolosa1(float c1, float c2, float l, float uin, float rin, float rout,
               float q0, const SweepGrid& grid) {
  const Tank tank{c1, c2, l, q0, rout};
  Response response = Response::current(tank, high_impedance_drive(uin, rin),
                                        grid, DeviationScale());
  sweep_grid(tank, grid.fstart, grid.step, response.points(),
             [&response](const GridBlock& block) { response.take(block); });
  return response.width();
}

float fpolosa2(float c1, float c2, float l, float uin, float rin, float rout,
               float q0, const SweepGrid& grid, Complex vref2) {
  const Tank tank{c1, c2, l, q0, rout};
  Response response =
      Response::voltage(matched_drive(uin, rin), grid, vref2, DeviationScale());
  sweep_grid(tank, grid.fstart, grid.step, response.points(),
             [&response](const GridBlock& block) { response.take(block); });
  return response.width();
}

}  // namespace merid
