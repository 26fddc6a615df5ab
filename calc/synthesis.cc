#include "calc/synthesis.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "calc/constants.h"
#include "calc/grid_sweep.h"
#include "calc/polosa_s11.h"
#include "calc/s11module.h"
#include "calc/sub.h"
#include "calc/subpolosa.h"

namespace merid {
namespace {

// Turns L in H into uH; the same float as kHertzPerMegahertz.
constexpr float kMicrohenryPerHenry = 1000000.0f;
constexpr float kLowQThreshold = 4.01f;
constexpr float kWideWindow = 1.9f;
constexpr float kNarrowWindow = 1.3f;
constexpr float kFeasibilityMargin = 1.1f;
constexpr float kPercent = 100.0f;
constexpr float kPicoPerFarad = 1e12f;
constexpr float kMegahertzPerHertz = 1e-6f;
constexpr float kHertzPerKilohertz = 1000.0f;

static_assert(std::bit_cast<std::uint32_t>(kMicrohenryPerHenry) == 0x49742400);
static_assert(std::bit_cast<std::uint32_t>(kLowQThreshold) == 0x408051EC);
static_assert(std::bit_cast<std::uint32_t>(kWideWindow) == 0x3FF33333);
static_assert(std::bit_cast<std::uint32_t>(kNarrowWindow) == 0x3FA66666);
static_assert(std::bit_cast<std::uint32_t>(kFeasibilityMargin) == 0x3F8CCCCD);
static_assert(std::bit_cast<std::uint32_t>(kPercent) == 0x42C80000);
static_assert(std::bit_cast<std::uint32_t>(kPicoPerFarad) == 0x5368D4A5);
static_assert(std::bit_cast<std::uint32_t>(kMegahertzPerHertz) == 0x358637BD);
static_assert(std::bit_cast<std::uint32_t>(kHertzPerKilohertz) == 0x447A0000);

// The smallest loaded Q that the transformation allows at efficiency eta:
// sqrt(eta * Rlarge / Rsmall - 1), at least 1.
float minimum_loaded_q(float eta, float ratio, bool rin_below_rout) {
  const float s = rin_below_rout ? eta / ratio - 1.0f : eta * ratio - 1.0f;
  if (s <= 1.0f) return 1.0f;
  return std::sqrt(s);
}

struct Reactances {
  float xc1;
  float xc2;
  float xl;
};

// The reactances that transform rout to rin with the branch behind C1 at
// loaded Q qn and efficiency eta.  The operation order is kept as it is for
// the last bit.
Reactances pi_reactances(float qn, float eta, float ratio, float rin,
                         float rout) {
  float a = 1.0f + qn * qn;
  a = a + eta * eta;
  a = a * ratio;
  a = a / eta;
  a = a - ratio * ratio;
  a = a - 1.0f;
  const float d = std::sqrt(a) - qn;
  Reactances x;
  x.xc2 = (rin - rout * eta) / d;
  x.xc1 = (rin * x.xc2) / (qn * x.xc2 - rout * eta);
  x.xl =
      (qn * ((x.xc2 * x.xc2) * rout)) / (eta * ((x.xc2 * x.xc2) + rout * rout));
  return x;
}

struct SweepBands {
  float bw_i;  // Hz
  float bw_u;  // Hz
  S11Band s11;
};

// What fpolosa1, fpolosa2 and subs11 give for the tank, from one walk over
// the grid they share: the tank's impedances at each grid point are
// computed once for all three.
SweepBands sweep_bands(const Tank& tank, float uin, float rin,
                       const SweepGrid& grid, Complex vref2,
                       std::int32_t ns11) {
  const DeviationScale scale;
  CurrentResponse current(tank, high_impedance_drive(uin, rin), grid, scale);
  VoltageResponse voltage(matched_drive(uin, rin), grid, vref2, scale);
  S11Sweep s11(rin, ns11);
  const std::size_t points =
      std::max({current.points(), voltage.points(), s11.points()});
  sweep_grid(tank, grid.fstart, grid.step, points, [&](const GridBlock& block) {
    current.take(block);
    voltage.take(block);
    s11.take(block);
  });
  return SweepBands{current.band(), voltage.band(), s11.band()};
}

}  // namespace

Design make_design(float f, float qn, float q0, float rin, float rout,
                   float pin) {
  Design d;
  d.f = f;
  d.qn = qn;
  d.q0 = q0;
  d.rin = rin;
  d.rout = rout;
  d.pin = pin;
  return d;
}

void synthesis(Design& d) {
  d.fmhz = d.f;
  float f = kHertzPerMegahertz * d.f;
  d.f = f;
  const float fstart = kSweepStart;
  // A loaded Q of exactly 4.01 takes the wide window.
  const float fstop =
      d.qn > kLowQThreshold ? kNarrowWindow * f : kWideWindow * f;
  const float ratio = d.rin / d.rout;
  float eta = 1.0f - d.qn / d.q0;
  const float qmin = minimum_loaded_q(eta, ratio, d.rin < d.rout);
  // Written so that a not-a-number on either side makes the design
  // infeasible.
  if (!(d.qn > qmin * kFeasibilityMargin)) {
    d.infeasible = true;
    return;
  }
  d.infeasible = false;

  const Reactances x = pi_reactances(d.qn, eta, ratio, d.rin, d.rout);
  const float omega = kOmegaFactor * f;
  float l = x.xl / omega;
  float c1 = 1.0f / (omega * x.xc1);
  float c2 = 1.0f / (omega * x.xc2);

  Results r;
  r.uin = std::sqrt(d.rin * d.pin);
  const Harmonics h1 = garmonica1(r.uin, c1, c2, l, d.rin, d.rout, f, d.q0);
  const Harmonics h2 = garmonica2(r.uin, c1, c2, l, d.rin, d.rout, f, d.q0);
  r.ki = h1.suppression;
  r.ku = h2.suppression;
  // The stresses shown are those of the matched drive.
  r.qc1 = h2.qc1;
  r.qc2 = h2.qc2;
  r.ql = h2.ql;
  r.ic1 = h2.ic1;
  r.ic2 = h2.ic2;
  r.il = h2.il;
  r.ul = h2.ul;

  // pout takes the efficiency as a fraction; the stored one is in percent.
  r.pout = eta * d.pin;
  eta = kPercent * eta;
  r.eta = eta;
  r.ploss = d.pin - r.pout;
  r.uout = std::sqrt(d.rout * r.pout);

  const SweepGrid grid = delta(f, fstart, fstop);
  const std::int32_t ns11 =
      grid.nstep - static_cast<std::int32_t>(std::lround(
                       (fstart * static_cast<float>(grid.nstep)) / fstop));
  const SweepBands bands = sweep_bands(Tank{c1, c2, l, d.q0, d.rout}, r.uin,
                                       d.rin, grid, h2.vref, ns11);
  r.bw_i = bands.bw_i;
  r.bw_u = bands.bw_u;
  const PortMatch match = fs11(f, d.q0, d.rin, d.rout, c1, c2, l);
  r.s11 = match.s11;
  r.s22 = match.s22;
  const S11Band& band = bands.s11;
  r.bw_s11 = band.bw_s11;

  const float c1_farad = c1, c2_farad = c2, l_henry = l;
  l = kMicrohenryPerHenry * l;
  c1 = kPicoPerFarad * c1;
  c2 = kPicoPerFarad * c2;
  r.l = l;
  r.c1 = c1;
  r.c2 = c2;
  d.f = kMegahertzPerHertz * f;
  r.bw_u = r.bw_u / kHertzPerKilohertz;
  r.bw_i = r.bw_i / kHertzPerKilohertz;

  d.results = r;
  d.details = Details{Tank{c1_farad, c2_farad, l_henry, d.q0, d.rout},
                      x.xc1,
                      x.xc2,
                      x.xl,
                      h2.vref,
                      fstart,
                      fstop,
                      grid.step,
                      grid.nstep,
                      ns11,
                      band.ncross};
}

}  // namespace merid
