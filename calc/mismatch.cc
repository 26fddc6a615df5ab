#include "calc/mismatch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <memory>
#include <numbers>

#include "calc/complex.h"
#include "calc/harmonics.h"
#include "calc/load_block.h"
#include "calc/s11module.h"
#include "calc/sweep_kernel.h"

namespace merid {
namespace {

// The load of phase step `step`: a whole step's from the circle made
// beforehand, the same bits as swr_load's, any other computed.
Complex load_at(float rout, float swr, std::span<const Complex> loads,
                double step) {
  const bool whole =
      step >= 0.0 && step < loads.size() && step == std::floor(step);
  return whole ? loads[static_cast<std::size_t>(step)]
               : swr_load(rout, swr, step);
}

// Golden-section search for the largest value of one quantity between the
// phase steps lo and hi, the best value known so far being `best`.  The
// values on the circle are smooth in the phase, and one phase step is far
// narrower than any of their peaks, so the bracket holds one maximum.  The
// searches of all quantities advance together: each step asks every
// search's next phase, and their loads go to the quantities as one batch.
class GoldenSection {
 public:
  static constexpr int kIterations = 40;

  GoldenSection(std::size_t quantity, double lo, double hi, float best)
      : quantity_(quantity), lo_(lo), hi_(hi), best_(best) {
    a_ = hi_ - kRatio * (hi_ - lo_);
    b_ = lo_ + kRatio * (hi_ - lo_);
  }

  std::size_t quantity() const { return quantity_; }
  // The phases whose values the search starts from.
  double first() const { return a_; }
  double second() const { return b_; }
  void start(float fa, float fb) {
    fa_ = fa;
    fb_ = fb;
  }
  // One iteration's narrowing: the phase whose value it asks next.
  double narrow() {
    best_ = std::max({best_, fa_, fb_});
    rising_ = fa_ < fb_;
    if (rising_) {
      lo_ = a_;
      a_ = b_;
      fa_ = fb_;
      b_ = lo_ + kRatio * (hi_ - lo_);
      return b_;
    }
    hi_ = b_;
    b_ = a_;
    fb_ = fa_;
    a_ = hi_ - kRatio * (hi_ - lo_);
    return a_;
  }
  void take(float value) { (rising_ ? fb_ : fa_) = value; }
  float largest() const { return std::max({best_, fa_, fb_}); }

 private:
  static constexpr double kRatio = std::numbers::phi - 1.0;

  std::size_t quantity_;
  double lo_;
  double hi_;
  double a_ = 0.0;
  double b_ = 0.0;
  float fa_ = 0.0f;
  float fb_ = 0.0f;
  float best_;
  bool rising_ = false;
};

// Asks `at` for the loads of `steps` and gives each its quantity's value:
// `quantity(i)` of the load of steps[i], -infinity where the load gives
// none, so that such a phase is never the largest.  A batch holds at most
// two phases a quantity, as the searches' first one does.
class PhaseBatch {
 public:
  PhaseBatch(float rout, float swr, std::size_t count, const LoadQuantities& at,
             std::span<const Complex> loads)
      : rout_(rout),
        swr_(swr),
        count_(count),
        at_(at),
        scan_loads_(loads),
        given_(std::make_unique<bool[]>(2 * count)) {}

  template <typename Quantity>
  void evaluate(std::span<const double> steps, Quantity quantity,
                std::span<float> out) {
    const std::size_t m = steps.size();
    loads_.resize(m);
    values_.resize(count_ * m);
    for (std::size_t i = 0; i < m; ++i) {
      loads_[i] = load_at(rout_, swr_, scan_loads_, steps[i]);
    }
    const LoadBatch batch{loads_, values_, std::span<bool>(given_.get(), m)};
    at_(batch);
    for (std::size_t i = 0; i < m; ++i) {
      out[i] = batch.given[i] ? batch.value(quantity(i), i) : -INFINITY;
    }
  }

 private:
  float rout_;
  float swr_;
  std::size_t count_;
  const LoadQuantities& at_;
  std::span<const Complex> scan_loads_;
  std::vector<Complex> loads_;
  std::vector<float> values_;
  std::unique_ptr<bool[]> given_;
};

// Runs the searches to their end; each one's largest is then final.
void run_searches(std::vector<GoldenSection>& searches, PhaseBatch& batch) {
  const std::size_t m = searches.size();
  if (m == 0) return;
  std::vector<double> steps(2 * m);
  std::vector<float> values(2 * m);
  for (std::size_t i = 0; i < m; ++i) {
    steps[i] = searches[i].first();
    steps[m + i] = searches[i].second();
  }
  const auto quantity_of = [&searches, m](std::size_t i) {
    return searches[i % m].quantity();
  };
  batch.evaluate(steps, quantity_of, values);
  for (std::size_t i = 0; i < m; ++i) {
    searches[i].start(values[i], values[m + i]);
  }
  steps.resize(m);
  values.resize(m);
  for (int n = 0; n < GoldenSection::kIterations; ++n) {
    for (std::size_t i = 0; i < m; ++i) steps[i] = searches[i].narrow();
    batch.evaluate(steps, quantity_of, values);
    for (std::size_t i = 0; i < m; ++i) searches[i].take(values[i]);
  }
}

// The tank's impedances with `load` in place of the designed resistance, in
// the operations of impedances_of.
Impedances impedances_with_load(const Elements& e, Complex load) {
  Impedances z;
  z.zp2 = parall(load, e.zc2);
  z.zser = e.zl + z.zp2;
  z.zin = parall(z.zser, e.zc1);
  return z;
}

using PiLoads = LoadBlock<PiQuantity::kCount>;

// The quantities of the tank of elements `e` and impedances `z` driven by
// `drive` into `load`, as load j of `block`.
void store_quantities(const Elements& e, const Impedances& z,
                      const Drive& drive, float rin, Complex load,
                      std::size_t j, PiLoads& block) {
  const DrivenState s = drive_tank(z, drive);
  const float s11 = modulus(reflection(z.zin, real(rin)));
  auto& o = block.values;
  o[PiQuantity::kUc1][j] = modulus(s.vin);
  o[PiQuantity::kUc2][j] = modulus(s.vout);
  o[PiQuantity::kUl][j] = modulus(e.zl * s.ib);
  o[PiQuantity::kIc1][j] = modulus(s.vin / e.zc1);
  o[PiQuantity::kIc2][j] = modulus(s.vout / e.zc2);
  o[PiQuantity::kIl][j] = modulus(s.ib);
  o[PiQuantity::kPload][j] = squared_magnitude(s.vout / load) * load.re;
  o[PiQuantity::kPloss][j] = squared_magnitude(s.ib) * e.zl.re;
  static_assert(PiQuantity::kCount - PiQuantity::kRMax == kInputLimits);
  store_input_limits(z.zin, s11, PiQuantity::kRMax, j, block);
}

// The loads of `block` with their C1 and C2, under the drive as it is or
// levelled: one loop without a branch, which vectorises.  Copies of the
// arguments, which no store into the block can alias.
template <bool kLevelled>
void pi_load_block(const Tank& tank, float freq, const LoadDrive& drive,
                   float rin, PiLoads& block) {
  const Tank designed = tank;
  const LoadDrive held = drive;
  const float r0 = rin;
  const float f = freq;
  for (std::size_t j = 0; j < block.count; ++j) {
    Tank t = designed;
    t.c1 = block.c1[j];
    t.c2 = block.c2[j];
    const Elements e = elements_at(t, f);
    const Complex load = block.load(j);
    const Impedances z = impedances_with_load(e, load);
    const Drive d = load_source<kLevelled>(held, [&z](const Drive& source) {
      const DrivenState s = drive_tank(z, source);
      return input_power(s.vin, s.iin);
    });
    store_quantities(e, z, d, r0, load, j, block);
  }
}

// The first of the steps `given` whose value is the largest, or -1 where
// none is given; with `every_step`, all are.
int best_given_step(std::span<const float> values, std::span<const bool> given,
                    bool every_step) {
  if (every_step) return static_cast<int>(first_largest(values));
  int best = -1;
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (given[k] && (best < 0 || values[k] > values[best])) {
      best = static_cast<int>(k);
    }
  }
  return best;
}

// x modulo kSwrPhases, as fmod gives it.  fmod is exact; so, for x in
// [kSwrPhases, 2 kSwrPhases), is x - kSwrPhases (Sterbenz), which spares
// the searches between phase steps a library call per load.
double phase_modulo(double x) {
  constexpr double kWhole = kSwrPhases;
  if (x >= 0.0 && x < kWhole) return x;
  if (x >= kWhole && x < 2.0 * kWhole) return x - kWhole;
  return std::fmod(x, kWhole);
}

}  // namespace

std::size_t first_largest(std::span<const float> values) {
  const std::size_t n = values.size();
  if (std::isnan(values[0])) return 0;
  constexpr std::size_t kWays = 8;
  std::array<float, kWays> top;
  top.fill(-INFINITY);
  std::size_t k = 0;
  for (; k + kWays <= n; k += kWays) {
    for (std::size_t w = 0; w < kWays; ++w) {
      top[w] = values[k + w] > top[w] ? values[k + w] : top[w];
    }
  }
  for (; k < n; ++k) top[0] = values[k] > top[0] ? values[k] : top[0];
  float largest = top[0];
  for (const float t : top) largest = t > largest ? t : largest;
  // The largest is one of the values: -infinity only if the first is.
  for (k = 0; k < n; ++k) {
    if (values[k] == largest) return k;
  }
  return 0;
}

Complex swr_load(float rout, float swr, double phase_step) {
  const double step = phase_modulo(phase_step + kSwrPhases);
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

CircleScan scan_circle(float swr, std::size_t count, const LoadQuantities& at,
                       std::span<const Complex> loads) {
  CircleScan scan;
  scan.count = count;
  // Swr 1: one load, rout itself, the same at every step.
  scan.steps = swr == 1.0f ? 1 : kSwrPhases;
  scan.values.resize(count * scan.steps);
  scan.given = std::make_unique<bool[]>(scan.steps);
  at(LoadBatch{loads.first(scan.steps), scan.values,
               std::span<bool>(scan.given.get(), scan.steps)});
  return scan;
}

CircleExtremes circle_extremes(float rout, float swr, const LoadQuantities& at,
                               const CircleScan& scan,
                               std::span<const Complex> loads,
                               std::size_t refined) {
  const std::size_t count = scan.count;
  const int phases = static_cast<int>(scan.steps);
  CircleExtremes out;
  out.largest.resize(count);
  const std::span<const bool> given(scan.given.get(), scan.steps);
  // Swr 1: the one load stands for every step.
  out.given.assign(given.begin(), given.end());
  if (phases == 1) out.given.assign(kSwrPhases, given[0]);
  for (const bool g : out.given) out.missing += g ? 0 : 1;
  const bool every_step =
      std::all_of(given.begin(), given.end(), [](bool g) { return g; });
  const auto given_at = [&out](int k) {
    return out.given[(k + kSwrPhases) % kSwrPhases];
  };
  std::vector<GoldenSection> searches;
  for (std::size_t i = 0; i < count; ++i) {
    const std::span<const float> values(&scan.values[i * scan.steps],
                                        scan.steps);
    const int k = best_given_step(values, given, every_step);
    if (k < 0) {
      out.largest[i] = NAN;
      continue;
    }
    out.largest[i] = values[k];
    if (i < refined && phases > 1 && given_at(k - 1) && given_at(k + 1)) {
      searches.emplace_back(i, k - 1.0, k + 1.0, values[k]);
    }
  }
  PhaseBatch batch(rout, swr, count, at, loads);
  run_searches(searches, batch);
  for (const GoldenSection& s : searches) {
    out.largest[s.quantity()] = s.largest();
  }
  return out;
}

void pi_load_quantities(const Tank& tank, float f, const LoadDrive& drive,
                        float rin, std::span<const float> c1,
                        std::span<const float> c2, const LoadBatch& batch) {
  by_load_blocks<PiQuantity::kCount>(c1, c2, tank.c1, tank.c2, drive, batch,
                                     [&](PiLoads& block, auto levelled) {
                                       pi_load_block<decltype(levelled)::value>(
                                           tank, f, drive, rin, block);
                                     });
}

}  // namespace merid
