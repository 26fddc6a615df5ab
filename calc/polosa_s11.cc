#include "calc/polosa_s11.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "calc/network.h"
#include "calc/s11module.h"

namespace merid {
namespace {

constexpr float kThreshold = 0.1f;
static_assert(std::bit_cast<std::uint32_t>(kThreshold) == 0x3DCCCCCD);

// Hz to kHz, the single-precision 0.001 widened to double.
constexpr double kKiloPerHertz = static_cast<double>(0.001f);
static_assert(std::bit_cast<std::uint32_t>(0.001f) == 0x3A83126F);

// One point of the sweep.  The frequency and the standing-wave ratio are
// kept with the magnitude, though only the magnitude is read back.
struct S11Point {
  float freq;
  float gamma;
  float swr;
};

bool crosses_threshold(float prev, float cur) {
  return (prev < kThreshold && cur > kThreshold) ||
         (prev > kThreshold && cur < kThreshold);
}

// The band in kHz from the crossing frequencies, by how many there are.
float band_from_crossings(const std::array<double, 3>& fcross,
                          std::int32_t ncross) {
  switch (ncross) {
    case 1:
      return static_cast<float>(fcross[0] * kKiloPerHertz);
    case 2:
      return static_cast<float>((fcross[1] - fcross[0]) * kKiloPerHertz);
    case 3:
      return static_cast<float>((fcross[2] - fcross[1]) * kKiloPerHertz);
    default:
      return 0.0f;
  }
}

}  // namespace

S11Band subs11(float q0, float c1, float c2, float l, float fstart, float step,
               std::int32_t ns11, float rin, float rout) {
  const Tank tank{c1, c2, l, q0, rout};
  std::vector<S11Point> s11tab(ns11 > 0 ? static_cast<std::size_t>(ns11) : 0);
  float fsw = fstart;
  for (S11Point& point : s11tab) {
    const Elements e = elements_at(tank, fsw);
    const Reflection r = swrsub(input_impedance(tank, e), real(rin));
    point = S11Point{fsw, r.gamma, r.swr};
    fsw = step + fsw;
  }

  // A crossing between points i-1 and i is recorded at the frequency of
  // point i-1, the last one before it, whichever way it goes.
  std::array<double, 3> fcross{};
  std::int32_t ncross = 0;
  fsw = fstart;
  for (std::size_t i = 1; i < s11tab.size(); ++i) {
    if (crosses_threshold(s11tab[i - 1].gamma, s11tab[i].gamma)) {
      if (ncross < 3) fcross[static_cast<std::size_t>(ncross)] = fsw;
      ++ncross;
    }
    fsw = step + fsw;
  }
  return S11Band{band_from_crossings(fcross, ncross), ncross};
}

}  // namespace merid
