#include "calc/subpolosa.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "calc/constants.h"
#include "calc/network.h"

namespace merid {
namespace {

constexpr float kMiddleBandStart = 1100000.0f;
constexpr float kTopBandStart = 30100000.0f;
constexpr float kLowStep = 500.0f;
constexpr float kStepOffset = 329.31f;
constexpr float kStepSlope = 1.552e-4f;
constexpr float kTopStep = 5000.0f;
constexpr float kHalf = 2.0f;
constexpr float kLimitDb = 1.0f;
// Frequency and deviation of a point outside the band.
constexpr float kMarker = -10.0f;

static_assert(std::bit_cast<std::uint32_t>(kMiddleBandStart) == 0x49864700);
static_assert(std::bit_cast<std::uint32_t>(kTopBandStart) == 0x4BE5A510);
static_assert(std::bit_cast<std::uint32_t>(kLowStep) == 0x43FA0000);
static_assert(std::bit_cast<std::uint32_t>(kStepOffset) == 0x43A4A7AE);
static_assert(std::bit_cast<std::uint32_t>(kStepSlope) == 0x3922BD2F);
static_assert(std::bit_cast<std::uint32_t>(kTopStep) == 0x459C4000);
static_assert(std::bit_cast<std::uint32_t>(kHalf) == 0x40000000);
static_assert(std::bit_cast<std::uint32_t>(kLimitDb) == 0x3F800000);
static_assert(std::bit_cast<std::uint32_t>(kMarker) == 0xC1200000);

using Response = std::vector<ResponsePoint>;

// Fills the frequencies of the grid and the deviation of each point, as
// `deviation(vout)` gives it for the output voltage there.
template <typename Deviation>
Response sweep(const Tank& tank, const Drive& drive, const SweepGrid& grid,
               Deviation deviation) {
  Response resp(grid.nstep > 0 ? static_cast<std::size_t>(grid.nstep) : 0);
  float phi = grid.fstart;
  for (ResponsePoint& point : resp) {
    point.freq = phi;
    point.dev = deviation(analyse(tank, drive, phi).vout);
    phi = phi + grid.step;
  }
  return resp;
}

void mark_out_of_band(ResponsePoint& point) {
  point.freq = kMarker;
  point.dev = kMarker;
}

}  // namespace

float band_width(std::span<ResponsePoint> resp) {
  for (ResponsePoint& point : resp) {
    if (point.dev > kLimitDb) mark_out_of_band(point);
  }
  // A falling edge is a live point (dev > 0) followed by a marked one.
  int falling_edges = 0;
  std::size_t first_edge = 0;
  for (std::size_t i = 1; i < resp.size(); ++i) {
    if (resp[i - 1].dev > 0.0f && resp[i].dev < 0.0f) {
      if (falling_edges == 0) first_edge = i;
      ++falling_edges;
    }
  }
  if (falling_edges >= 2) {
    for (std::size_t i = 0; i <= first_edge; ++i) mark_out_of_band(resp[i]);
  }
  const ResponsePoint* first = nullptr;
  const ResponsePoint* last = nullptr;
  for (const ResponsePoint& point : resp) {
    if (point.freq > 0.0f) {
      if (first == nullptr) first = &point;
      last = &point;
    }
  }
  if (first == nullptr) return 0.0f;
  return last->freq - first->freq;
}

SweepGrid delta(float f, float fstart, float fstop) {
  SweepGrid grid;
  grid.fstart = fstart;
  if (f < kMiddleBandStart) {
    grid.step = kLowStep;
  } else if (f < kTopBandStart) {
    grid.step = std::round(kStepOffset + f * kStepSlope);
  } else {
    grid.step = kTopStep;
  }
  grid.nstep =
      static_cast<std::int32_t>(std::lround((fstop - fstart) / grid.step));
  return grid;
}

float fpolosa1(float c1, float c2, float l, float uin, float rin, float rout,
               float q0, const SweepGrid& grid) {
  const Tank tank{c1, c2, l, q0, rout};
  const Drive drive = high_impedance_drive(uin, rin);

  // The peak lies in the upper half of the sweep range; this search grid
  // starts at nstep * step / 2, off the sweep grid.
  float phi = (static_cast<float>(grid.nstep) * grid.step) / kHalf;
  float vmax = 0.0f;
  const auto first =
      static_cast<std::int32_t>(static_cast<float>(grid.nstep) / kHalf);
  for (std::int32_t i = first; i <= grid.nstep; ++i) {
    const float magnitude = modulus(analyse(tank, drive, phi).vout);
    if (magnitude > vmax) vmax = magnitude;
    phi = phi + grid.step;
  }

  Response resp = sweep(tank, drive, grid, [vmax](Complex vout) {
    return std::fabs(kDecibelsPerDecade * log10_single(vmax / modulus(vout)));
  });
  return band_width(resp);
}

float fpolosa2(float c1, float c2, float l, float uin, float rin, float rout,
               float q0, const SweepGrid& grid, Complex vref2) {
  const Tank tank{c1, c2, l, q0, rout};
  Response resp =
      sweep(tank, matched_drive(uin, rin), grid, [vref2](Complex vout) {
        return std::fabs(kDecibelsPerDecade *
                         log10_single(modulus(vref2 / vout)));
      });
  return band_width(resp);
}

}  // namespace merid
