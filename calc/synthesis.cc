#include "calc/synthesis.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "calc/constants.h"
#include "calc/s11module.h"
#include "calc/sub.h"
#include "calc/sweep.h"

namespace merid {
namespace {

// Turns L in H into uH; the same float as kHertzPerMegahertz.
constexpr float kMicrohenryPerHenry = 1000000.0f;
constexpr float kFeasibilityMargin = 1.1f;
constexpr float kPicoPerFarad = 1e12f;

static_assert(std::bit_cast<std::uint32_t>(kMicrohenryPerHenry) == 0x49742400);
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

// xc1 and xl of the tank whose C2 has the reactance xc2.
Reactances with_xc2(float xc2, float qn, float eta, float rin, float rout) {
  Reactances x;
  x.xc2 = xc2;
  x.xc1 = (rin * x.xc2) / (qn * x.xc2 - rout * eta);
  x.xl =
      (qn * ((x.xc2 * x.xc2) * rout)) / (eta * ((x.xc2 * x.xc2) + rout * rout));
  return x;
}

// The radicand of the reactance formula and its root.
struct Radicand {
  float first;  // 1 + qn * qn, its first step
  float root;
};

Radicand radicand(float qn, float eta, float ratio) {
  const float first = 1.0f + qn * qn;
  float a = first;
  a = a + eta * eta;
  a = a * ratio;
  a = a / eta;
  a = a - ratio * ratio;
  a = a - 1.0f;
  return Radicand{first, std::sqrt(a)};
}

// The reactances that transform rout to rin with the branch behind C1 at
// loaded Q qn and efficiency eta.  The operation order is kept as it is for
// the last bit.
Reactances pi_reactances(float qn, float eta, float ratio, float rin,
                         float rout) {
  const float d = radicand(qn, eta, ratio).root - qn;
  return with_xc2((rin - rout * eta) / d, qn, eta, rin, rout);
}

// The same network where rin is close to rout * eta.  There the formula
// above divides two small differences, (rin - rout eta) / (sqrt(a) - qn),
// and at rin = rout eta it is 0/0.  Since a - qn^2 = (ratio - eta) *
// ((1 + qn^2) / eta - ratio), the common factor ratio - eta cancels out.
Reactances balanced_reactances(float qn, float eta, float ratio, float rin,
                               float rout) {
  const Radicand a = radicand(qn, eta, ratio);
  const float xc2 = (rout * (a.root + qn)) / (a.first / eta - ratio);
  return with_xc2(xc2, qn, eta, rin, rout);
}

// True where the cancelling form cannot be trusted: rin within 1/64 of
// rout * eta (the factor 64 is exact).
bool near_balance(float rin, float rout, float eta) {
  return std::fabs(rin - rout * eta) * 64.0f < rin;
}

// A reflection at F below this shows as 0.000.
constexpr float kMatched = 0.0005f;
static_assert(std::bit_cast<std::uint32_t>(kMatched) == 0x3A03126F);

struct TankElements {
  float l;
  float c1;
  float c2;
};

TankElements tank_elements(const Reactances& x, float omega) {
  return TankElements{x.xl / omega, 1.0f / (omega * x.xc1),
                      1.0f / (omega * x.xc2)};
}

// Whether the tank matches rin at f Hz as closely as the screen can show;
// false also for a tank of not-a-number elements.
bool matches(const TankElements& e, float f, float q0, float rin, float rout) {
  return fs11(f, q0, rin, rout, e.c1, e.c2, e.l).s11 < kMatched;
}

}  // namespace

Design make_design(float f, float qn, float q0, float rin, float rout,
                   float pin) {
  return make_design(DesignInputs{f, qn, q0, rin, rout, pin});
}

Design make_design(const DesignInputs& inputs) {
  Design d;
  static_cast<DesignInputs&>(d) = inputs;
  return d;
}

namespace {

// The closed-form part of the synthesis: whether the loaded Q suffices,
// the efficiency as a fraction, the reactances and the elements at f Hz.
struct TankSynthesis {
  bool feasible = false;
  float eta = 0.0f;
  Reactances x{};
  TankElements e{};
};

TankSynthesis synthesise_elements(const DesignInputs& d, float f) {
  TankSynthesis t;
  const float ratio = d.rin / d.rout;
  t.eta = 1.0f - d.qn / d.q0;
  const float qmin = minimum_loaded_q(t.eta, ratio, d.rin < d.rout);
  // Written so that a not-a-number on either side makes the design
  // infeasible.
  if (!(d.qn > qmin * kFeasibilityMargin)) return t;
  t.feasible = true;
  t.x = pi_reactances(d.qn, t.eta, ratio, d.rin, d.rout);
  const float omega = kOmegaFactor * f;
  t.e = tank_elements(t.x, omega);
  // Only a design that visibly misses rin is computed again, so every
  // other keeps its bits.
  if (near_balance(d.rin, d.rout, t.eta) &&
      !matches(t.e, f, d.q0, d.rin, d.rout)) {
    t.x = balanced_reactances(d.qn, t.eta, ratio, d.rin, d.rout);
    t.e = tank_elements(t.x, omega);
  }
  return t;
}

}  // namespace

float picofarads(float farads) { return kPicoPerFarad * farads; }

float microhenries(float henries) { return kMicrohenryPerHenry * henries; }

Design synthesised_elements(const DesignInputs& inputs) {
  Design d = make_design(inputs);
  d.fmhz = d.f;
  const float f = kHertzPerMegahertz * d.f;
  const TankSynthesis t = synthesise_elements(d, f);
  if (!t.feasible) {
    d.f = f;
    d.infeasible = true;
    return d;
  }
  d.results.c1 = picofarads(t.e.c1);
  d.results.c2 = picofarads(t.e.c2);
  d.results.l = microhenries(t.e.l);
  const SweepPlan plan = sweep_plan(f, d.qn);
  d.details.tank = Tank{t.e.c1, t.e.c2, t.e.l, d.q0, d.rout};
  d.details.xc1 = t.x.xc1;
  d.details.xc2 = t.x.xc2;
  d.details.xl = t.x.xl;
  d.details.fstart = plan.fstart;
  d.details.fstop = plan.fstop;
  d.details.step = plan.grid.step;
  d.details.nstep = plan.grid.nstep;
  d.details.ns11 = plan.ns11;
  d.f = kMegahertzPerHertz * f;
  return d;
}

std::optional<Tank> synthesised_tank(const DesignInputs& inputs) {
  const TankSynthesis t =
      synthesise_elements(inputs, kHertzPerMegahertz * inputs.f);
  if (!t.feasible) return std::nullopt;
  return Tank{t.e.c1, t.e.c2, t.e.l, inputs.q0, inputs.rout};
}

void synthesis(Design& d) {
  d.fmhz = d.f;
  float f = kHertzPerMegahertz * d.f;
  d.f = f;
  const TankSynthesis t = synthesise_elements(d, f);
  if (!t.feasible) {
    d.infeasible = true;
    return;
  }
  d.infeasible = false;
  const Reactances x = t.x;
  float eta = t.eta;
  float l = t.e.l;
  float c1 = t.e.c1;
  float c2 = t.e.c2;

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

  const SweepPlan plan = sweep_plan(f, d.qn);
  const SweepGrid& grid = plan.grid;
  const std::int32_t ns11 = plan.ns11;
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
  l = microhenries(l);
  c1 = picofarads(c1);
  c2 = picofarads(c2);
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
                      plan.fstart,
                      plan.fstop,
                      grid.step,
                      grid.nstep,
                      ns11,
                      band.ncross,
                      bands.voltage,
                      bands.current};
}

}  // namespace merid
