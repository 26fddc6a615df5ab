#include "calc/mismatch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "calc/complex.h"
#include "calc/harmonics.h"
#include "calc/s11module.h"

namespace merid {
namespace {

// What one load gives, each to be maximised: the minima of the input
// impedance and of |S11| are maximised with their sign turned.
enum Objective : std::size_t {
  kUc1,
  kUc2,
  kUl,
  kIc1,
  kIc2,
  kIl,
  kPload,
  kPloss,
  kRMax,
  kRMin,
  kXMax,
  kXMin,
  kS11Max,
  kS11Min,
  kObjectiveCount
};
using Objectives = std::array<float, kObjectiveCount>;

// The tank's impedances with `load` in place of the designed resistance, in
// the operations of impedances_of.
Impedances impedances_with_load(const Elements& e, Complex load) {
  Impedances z;
  z.zp2 = parall(load, e.zc2);
  z.zser = e.zl + z.zp2;
  z.zin = parall(z.zser, e.zc1);
  return z;
}

// The element quantities as garmonica2 forms them for the designed load.
Objectives objectives_of(const Elements& e, const Drive& drive, float rin,
                         Complex load) {
  const Impedances z = impedances_with_load(e, load);
  const DrivenState s = drive_tank(z, drive);
  const float s11 = swrsub(z.zin, real(rin)).gamma;
  Objectives o{};
  o[kUc1] = modulus(s.vin);
  o[kUc2] = modulus(s.vout);
  o[kUl] = modulus(e.zl * s.ib);
  o[kIc1] = modulus(s.vin / e.zc1);
  o[kIc2] = modulus(s.vout / e.zc2);
  o[kIl] = modulus(s.ib);
  o[kPload] = squared_magnitude(s.vout / load) * load.re;
  o[kPloss] = squared_magnitude(s.ib) * e.zl.re;
  o[kRMax] = z.zin.re;
  o[kRMin] = -z.zin.re;
  o[kXMax] = z.zin.im;
  o[kXMin] = -z.zin.im;
  o[kS11Max] = s11;
  o[kS11Min] = -s11;
  return o;
}

// Golden-section search for the largest value of objective `i` between the
// phase steps lo and hi, the best value known so far being `best`.  The
// values on the circle are smooth in the phase, and one phase step is far
// narrower than any of their peaks, so the bracket holds one maximum.
template <typename At>
float refined_max(const At& at, std::size_t i, double lo, double hi,
                  float best) {
  constexpr int kIterations = 40;
  const double ratio = std::numbers::phi - 1.0;
  double a = hi - ratio * (hi - lo);
  double b = lo + ratio * (hi - lo);
  float fa = at(a)[i];
  float fb = at(b)[i];
  for (int n = 0; n < kIterations; ++n) {
    best = std::max({best, fa, fb});
    if (fa < fb) {
      lo = a;
      a = b;
      fa = fb;
      b = lo + ratio * (hi - lo);
      fb = at(b)[i];
    } else {
      hi = b;
      b = a;
      fb = fa;
      a = hi - ratio * (hi - lo);
      fa = at(a)[i];
    }
  }
  return std::max({best, fa, fb});
}

MismatchStresses from_objectives(const Objectives& o) {
  MismatchStresses m;
  m.uc1 = o[kUc1];
  m.uc2 = o[kUc2];
  m.ul = o[kUl];
  m.ic1 = o[kIc1];
  m.ic2 = o[kIc2];
  m.il = o[kIl];
  m.pload = o[kPload];
  m.ploss = o[kPloss];
  m.r_max = o[kRMax];
  m.r_min = -o[kRMin];
  m.x_max = o[kXMax];
  m.x_min = -o[kXMin];
  m.s11_max = o[kS11Max];
  m.s11_min = -o[kS11Min];
  return m;
}

}  // namespace

Complex swr_load(float rout, float swr, double phase_step) {
  const double step = std::fmod(phase_step + kSwrPhases, kSwrPhases);
  if (swr == 1.0f) return real(rout);
  if (step == 0.0) return real(rout * swr);
  if (step == kSwrPhases / 2) return real(rout / swr);
  const double g = (static_cast<double>(swr) - 1.0) / (swr + 1.0);
  const double phase = 2.0 * std::numbers::pi * step / kSwrPhases;
  const double gr = g * std::cos(phase);
  const double gi = g * std::sin(phase);
  // rout (1 + gamma) / (1 - gamma)
  const double den = (1.0 - gr) * (1.0 - gr) + gi * gi;
  const double r = rout;
  return Complex{static_cast<float>(r * (1.0 - gr * gr - gi * gi) / den),
                 static_cast<float>(r * 2.0 * gi / den)};
}

namespace {

// The extremes of `tank` under `drive` at `f` Hz over every load of SWR
// `swr` (kMinSwr to kMaxSwr) against tank.rout.  Each load is analysed in
// the single-precision operations of the designed load, so at swr 1 the
// currents and the coil voltage are the bits that garmonica1 and
// garmonica2 give.  From the best of the kSwrPhases phases, each extreme
// is refined between the neighbouring phases, so it is the extreme of the
// whole circle, not only of the phases tried.
MismatchStresses mismatch_stresses(const Tank& tank, const Drive& drive,
                                   float f, float rin, float swr) {
  const Elements e = elements_at(tank, f);
  const auto at = [&](double step) {
    return objectives_of(e, drive, rin, swr_load(tank.rout, swr, step));
  };
  // Swr 1: one load, rout itself.
  const int phases = swr == 1.0f ? 1 : kSwrPhases;
  Objectives best = at(0.0);
  std::array<int, kObjectiveCount> best_step{};
  for (int k = 1; k < phases; ++k) {
    const Objectives o = at(k);
    for (std::size_t i = 0; i < kObjectiveCount; ++i) {
      if (o[i] > best[i]) {
        best[i] = o[i];
        best_step[i] = k;
      }
    }
  }
  if (phases > 1) {
    for (std::size_t i = 0; i < kObjectiveCount; ++i) {
      best[i] =
          refined_max(at, i, best_step[i] - 1.0, best_step[i] + 1.0, best[i]);
    }
  }
  return from_objectives(best);
}

}  // namespace

SwrStresses swr_stresses(const Design& d, float swr) {
  const Tank& tank = d.details.tank;
  const float f = working_hertz(d);
  const float uin = d.results.uin;
  SwrStresses s;
  s.swr = swr;
  s.matched = mismatch_stresses(tank, matched_drive(uin, d.rin), f, d.rin, swr);
  s.high_impedance =
      mismatch_stresses(tank, high_impedance_drive(uin, d.rin), f, d.rin, swr);
  return s;
}

}  // namespace merid
