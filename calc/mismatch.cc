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

// The values of one phase step: those `at` gives, or -infinity for each
// where it gives none, so that such a step is never the largest.
class PhaseValues {
 public:
  PhaseValues(float rout, float swr, std::size_t count,
              const LoadQuantities& at, std::span<const Complex> scan)
      : rout_(rout), swr_(swr), values_(count), at_(at), scan_(scan) {}

  // Whether the step gave values; they are in values() either way.
  bool take(double step) {
    const bool given = at_(load(step), values_);
    if (!given) std::fill(values_.begin(), values_.end(), -INFINITY);
    return given;
  }
  const std::vector<float>& values() const { return values_; }

 private:
  // The load of a whole step from the circle made beforehand, the same
  // bits as swr_load's.
  Complex load(double step) const {
    const bool whole =
        step >= 0.0 && step < scan_.size() && step == std::floor(step);
    return whole ? scan_[static_cast<std::size_t>(step)]
                 : swr_load(rout_, swr_, step);
  }

  float rout_;
  float swr_;
  std::vector<float> values_;
  const LoadQuantities& at_;
  std::span<const Complex> scan_;
};

// Golden-section search for the largest value of quantity `i` between the
// phase steps lo and hi, the best value known so far being `best`.  The
// values on the circle are smooth in the phase, and one phase step is far
// narrower than any of their peaks, so the bracket holds one maximum.
float refined_max(PhaseValues& at, std::size_t i, double lo, double hi,
                  float best) {
  constexpr int kIterations = 40;
  const double ratio = std::numbers::phi - 1.0;
  double a = hi - ratio * (hi - lo);
  double b = lo + ratio * (hi - lo);
  at.take(a);
  float fa = at.values()[i];
  at.take(b);
  float fb = at.values()[i];
  for (int n = 0; n < kIterations; ++n) {
    best = std::max({best, fa, fb});
    if (fa < fb) {
      lo = a;
      a = b;
      fa = fb;
      b = lo + ratio * (hi - lo);
      at.take(b);
      fb = at.values()[i];
    } else {
      hi = b;
      b = a;
      fb = fa;
      a = hi - ratio * (hi - lo);
      at.take(a);
      fa = at.values()[i];
    }
  }
  return std::max({best, fa, fb});
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

std::vector<Complex> circle_loads(float rout, float swr) {
  std::vector<Complex> loads;
  loads.reserve(kSwrPhases);
  for (int k = 0; k < kSwrPhases; ++k) loads.push_back(swr_load(rout, swr, k));
  return loads;
}

CircleExtremes circle_extremes(float rout, float swr, std::size_t count,
                               const LoadQuantities& at,
                               std::span<const Complex> scan) {
  CircleExtremes out;
  out.largest.assign(count, -INFINITY);
  out.given.assign(kSwrPhases, false);
  PhaseValues values(rout, swr, count, at, scan);
  std::vector<int> best_step(count, -1);
  // Swr 1: one load, rout itself, the same at every step.
  const int phases = swr == 1.0f ? 1 : kSwrPhases;
  for (int k = 0; k < phases; ++k) {
    out.given[k] = values.take(k);
    if (!out.given[k]) continue;
    for (std::size_t i = 0; i < count; ++i) {
      if (best_step[i] < 0 || values.values()[i] > out.largest[i]) {
        out.largest[i] = values.values()[i];
        best_step[i] = k;
      }
    }
  }
  if (phases == 1) std::fill(out.given.begin(), out.given.end(), out.given[0]);
  for (const bool given : out.given) out.missing += given ? 0 : 1;
  const auto given_at = [&out](int k) {
    return out.given[(k + kSwrPhases) % kSwrPhases];
  };
  for (std::size_t i = 0; i < count; ++i) {
    const int k = best_step[i];
    if (k < 0) {
      out.largest[i] = NAN;
      continue;
    }
    if (phases > 1 && given_at(k - 1) && given_at(k + 1)) {
      out.largest[i] = refined_max(values, i, k - 1.0, k + 1.0, out.largest[i]);
    }
  }
  return out;
}

double input_power(Complex v, Complex i) {
  return static_cast<double>(v.re) * i.re + static_cast<double>(v.im) * i.im;
}

Drive levelled(const Drive& drive, double power, float wanted) {
  const double scale = std::sqrt(static_cast<double>(wanted) / power);
  return Drive{static_cast<float>(drive.emf * scale), drive.zs};
}

Impedances impedances_with_load(const Elements& e, Complex load) {
  Impedances z;
  z.zp2 = parall(load, e.zc2);
  z.zser = e.zl + z.zp2;
  z.zin = parall(z.zser, e.zc1);
  return z;
}

void pi_quantities(const Elements& e, const Impedances& z, const Drive& drive,
                   float rin, Complex load, std::span<float> o) {
  const DrivenState s = drive_tank(z, drive);
  const float s11 = swrsub(z.zin, real(rin)).gamma;
  o[PiQuantity::kUc1] = modulus(s.vin);
  o[PiQuantity::kUc2] = modulus(s.vout);
  o[PiQuantity::kUl] = modulus(e.zl * s.ib);
  o[PiQuantity::kIc1] = modulus(s.vin / e.zc1);
  o[PiQuantity::kIc2] = modulus(s.vout / e.zc2);
  o[PiQuantity::kIl] = modulus(s.ib);
  o[PiQuantity::kPload] = squared_magnitude(s.vout / load) * load.re;
  o[PiQuantity::kPloss] = squared_magnitude(s.ib) * e.zl.re;
  input_limits(z.zin, s11, o.subspan(PiQuantity::kRMax));
}

void input_limits(Complex zin, float s11, std::span<float> limits) {
  static_assert(PiQuantity::kCount - PiQuantity::kRMax == kInputLimits);
  limits[0] = zin.re;
  limits[1] = -zin.re;
  limits[2] = zin.im;
  limits[3] = -zin.im;
  limits[4] = s11;
  limits[5] = -s11;
}

}  // namespace merid
