// The S11 sweep: the input reflection against 0.1 at every point and the
// band between its crossings.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "calc/bisection.h"
#include "calc/complex.h"
#include "calc/network.h"
#include "calc/s11module.h"
#include "calc/sweep.h"
#include "calc/sweep_internal.h"
#include "calc/sweep_kernel.h"

namespace merid {
namespace {

constexpr float kThreshold = 0.1f;
static_assert(std::bit_cast<std::uint32_t>(kThreshold) == 0x3DCCCCCD);

// Hz to kHz, the single-precision 0.001 widened to double.
constexpr double kKiloPerHertz = static_cast<double>(0.001f);
static_assert(std::bit_cast<std::uint32_t>(0.001f) == 0x3A83126F);

bool crosses_threshold(float prev_side, float side) {
  constexpr float kBelow = ThresholdSides::kBelow;
  constexpr float kAbove = ThresholdSides::kAbove;
  return (prev_side == kBelow && side == kAbove) ||
         (prev_side == kAbove && side == kBelow);
}

// The first finite square whose modulus meets `holds`; the modulus rises
// with its square.
template <typename Predicate>
double first_square_whose_modulus(Predicate holds) {
  return first_finite_double_where(
      [holds](double squared) { return holds(modulus_from_squared(squared)); });
}

// The reflection at point j of `block`, whose magnitude is |S11|.
Complex reflection_at(const GridBlock& block, std::size_t j, Complex rin) {
  return reflection(block.impedances(j).zin, rin);
}

// A crossing's frequency, which is a grid frequency.
float crossing_freq(double fcross) { return static_cast<float>(fcross); }

// The band in kHz and its ends in Hz from the crossing frequencies, by how
// many there are.  One crossing measures the band from 0 Hz and draws it
// from `first_freq`, the first point of the sweep.
void set_band_from_crossings(float first_freq, S11Band& s) {
  const std::array<double, 3>& fcross = s.fcross;
  switch (s.ncross) {
    case 1:
      s.bw_s11 = static_cast<float>(fcross[0] * kKiloPerHertz);
      s.band = Band{true, first_freq, crossing_freq(fcross[0])};
      break;
    case 2:
      s.bw_s11 = static_cast<float>((fcross[1] - fcross[0]) * kKiloPerHertz);
      s.band = Band{true, crossing_freq(fcross[0]), crossing_freq(fcross[1])};
      break;
    case 3:
      s.bw_s11 = static_cast<float>((fcross[2] - fcross[1]) * kKiloPerHertz);
      s.band = Band{true, crossing_freq(fcross[1]), crossing_freq(fcross[2])};
      break;
    default:
      s.bw_s11 = 0.0f;
      s.band = Band{};
      break;
  }
}

}  // namespace

ThresholdSides::ThresholdSides()
    : below_(
          first_square_whose_modulus([](float m) { return m >= kThreshold; })),
      above_(
          first_square_whose_modulus([](float m) { return m > kThreshold; })) {}

S11Sweep::S11Sweep(float rin, std::int32_t ns11, std::vector<CurvePoint>* trace)
    : rin_(rin),
      points_(ns11 > 0 ? static_cast<std::size_t>(ns11) : 0),
      trace_(trace) {
  if (trace_ != nullptr) trace_->reserve(points_);
}

void S11Sweep::trace_magnitudes(const GridBlock& block, std::size_t n) {
  const Complex rin = real(rin_);
  for (std::size_t j = 0; j < n; ++j) {
    trace_->push_back(
        CurvePoint{block.freq[j], modulus(reflection_at(block, j, rin))});
  }
}

void S11Sweep::take(const GridBlock& block) {
  with_sweep_kernel([&] { take_here(block); });
}

void S11Sweep::take_here(const GridBlock& block) {
  std::array<float, kBlockPoints> side;
  const std::size_t n = block.count_below(points_);
  const Complex rin = real(rin_);
  const ThresholdSides sides = sides_;
  for (std::size_t j = 0; j < n; ++j) {
    side[j] = sides.side(modulus_squared(reflection_at(block, j, rin)));
  }
  if (n == 0) return;
  if (block.first == 0) first_freq_ = block.freq[0];
  if (trace_ != nullptr) trace_magnitudes(block, n);
  // Crossings are rare: most blocks have none, which a count in a loop that
  // vectorises tells, the pair with the last point taken before included.
  int crossings = crosses_threshold(prev_side_, side[0]) ? 1 : 0;
  for (std::size_t j = 1; j < n; ++j) {
    crossings += crosses_threshold(side[j - 1], side[j]) ? 1 : 0;
  }
  if (crossings > 0) record_crossings(block.freq.data(), side.data(), n);
  prev_side_ = side[n - 1];
  prev_freq_ = block.freq[n - 1];
}

void S11Sweep::record_crossings(const float* freq, const float* side,
                                std::size_t n) {
  // A crossing between points i-1 and i is recorded at the frequency of
  // point i-1, the last one before it, whichever way it goes.  Point 0 has
  // no point before it: prev_side_ starts at kNeither.
  float prev_side = prev_side_;
  float prev_freq = prev_freq_;
  for (std::size_t j = 0; j < n; ++j) {
    if (crosses_threshold(prev_side, side[j])) {
      if (ncross_ < 3) fcross_[static_cast<std::size_t>(ncross_)] = prev_freq;
      ++ncross_;
    }
    prev_side = side[j];
    prev_freq = freq[j];
  }
}

S11Band S11Sweep::band() const {
  S11Band s;
  s.ncross = ncross_;
  s.fcross = fcross_;
  set_band_from_crossings(first_freq_, s);
  return s;
}

S11Band subs11(float q0, float c1, float c2, float l, float fstart, float step,
               std::int32_t ns11, float rin, float rout) {
  const Tank tank{c1, c2, l, q0, rout};
  S11Sweep sweep(rin, ns11);
  sweep_grid(tank, fstart, step, sweep.points(),
             [&sweep](const GridBlock& block) { sweep.take(block); });
  return sweep.band();
}

}  // namespace merid
