#ifndef MERID_CALC_MISMATCH_H_
#define MERID_CALC_MISMATCH_H_

// A tank whose load is not the resistance it was designed for but any
// impedance of a given SWR against it: the extremes over that circle of
// whatever one load gives (the stresses the parts must be rated for with a
// real antenna), the drive that delivers a given power at every load, and
// the pi network's quantities at a batch of loads.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "calc/complex.h"
#include "calc/network.h"

namespace merid {

inline constexpr float kMinSwr = 1.0f;
inline constexpr float kMaxSwr = 10.0f;
// Evenly spaced phases of the reflection coefficient on the load circle;
// phase 0 (the load S rout) and phase pi (rout / S) are among them.
inline constexpr int kSwrPhases = 360;

// The loads of SWR `swr` against `rout`: the impedances whose reflection
// coefficient (z - rout) / (z + rout) has magnitude (swr - 1) / (swr + 1)
// and phase 2 pi phase_step / kSwrPhases.  Computed in double precision and
// rounded to single, but phase 0 and pi give swr rout and rout / swr, each one
// single-precision operation, exactly real.  Swr 1 gives rout alone.
Complex swr_load(float rout, float swr, double phase_step);

// Many loads at once and what each gives: `count` quantities of each, to
// be maximised (the least of a quantity as its negative), quantity by
// quantity: quantity q of load j at values[q * loads.size() + j].  A load
// that gives none (a tank that no setting matches to it) is not `given`,
// and its values are not read.
struct LoadBatch {
  std::span<const Complex> loads;
  std::span<float> values;
  std::span<bool> given;

  float& value(std::size_t q, std::size_t j) const {
    return values[q * loads.size() + j];
  }
};

// Fills a batch: its values and given, for every load of it.
using LoadQuantities = std::function<void(const LoadBatch& batch)>;

// The quantities at each whole phase step of a circle.
struct CircleScan {
  std::size_t count = 0;  // quantities of each load
  std::size_t steps = 0;  // kSwrPhases, or the one load at swr 1
  std::vector<float> values;
  std::unique_ptr<bool[]> given;

  float value(std::size_t q, std::size_t k) const {
    return values[q * steps + k];
  }
};

// The `count` quantities that `at` gives at the loads of circle_loads(rout,
// swr), which `loads` holds: every step's, or at swr 1 the first's.
CircleScan scan_circle(float swr, std::size_t count, const LoadQuantities& at,
                       std::span<const Complex> loads);

// The extremes over the circle of `count` quantities.
struct CircleExtremes {
  std::vector<float> largest;  // NaN where no load gave any
  // Of the kSwrPhases phase steps, those that gave values.
  std::vector<bool> given;
  int missing = 0;  // steps that gave none
};

// The largest of each quantity that `at` gives over every load of SWR
// `swr` (kMinSwr to kMaxSwr) against `rout`, whose whole steps `scan` holds
// (of the circle_loads in `loads`).  From the best of the kSwrPhases
// phases, each largest is refined between the neighbouring phases where
// both give values, so it is the extreme of the whole circle, not only of
// the phases tried; the quantities' searches run side by side, a batch of
// loads at a time.  Only the first `refined` quantities are refined; the
// others keep the best of the phases (for quantities that another circle
// over the same loads refines to the same bits).  At swr 1 there is one
// load, rout itself.
CircleExtremes circle_extremes(float rout, float swr, const LoadQuantities& at,
                               const CircleScan& scan,
                               std::span<const Complex> loads,
                               std::size_t refined = SIZE_MAX);

// The index that `best = 0; for k: if (values[k] > values[best]) best = k`
// finds in `values` (not empty), without its chain of dependent
// comparisons: the largest value by eight running maxima side by side,
// then its first index.  A first value that is not a number is never
// exceeded; a later one never exceeds; of equal values (zeros of either
// sign among them) the first is kept.
std::size_t first_largest(std::span<const float> values);

// The loads of the kSwrPhases whole phase steps, as swr_load gives them.
std::vector<Complex> circle_loads(float rout, float swr);

// The power that a port of voltage `v` and current `i` takes, W:
// Re(v conj(i)) in double precision.  Inline, with levelled, so that the
// loops over many loads vectorise.
inline double input_power(Complex v, Complex i) {
  return static_cast<double>(v.re) * i.re + static_cast<double>(v.im) * i.im;
}

// `drive` with its open-circuit voltage scaled so that a tank that took
// `power` W from it takes `wanted` W: the levelled drive, which holds the
// input power at every load.
inline Drive levelled(const Drive& drive, double power, float wanted) {
  const double scale = std::sqrt(static_cast<double>(wanted) / power);
  return Drive{static_cast<float>(drive.emf * scale), drive.zs};
}

// The pi tank's quantities at a load, in the order pi_load_quantities
// gives them: RMS voltages across and currents in C1, C2 and L, the powers
// into the load and in the coil's loss, and the limits of the input
// resistance, reactance and |S11| (the least as negatives).
struct PiQuantity {
  enum : std::size_t {
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
    kCount
  };
};

// The last six quantities of every network's load quantities: the limits
// of the input resistance, reactance and |S11| the amplifier sees, each
// least as a negative, in the order of PiQuantity from kRMax on.
inline constexpr std::size_t kInputLimits = 6;

// How a tank is driven at each of many loads: by `source` as it is, or
// levelled, by `source` scaled at each load so that the tank takes `power`
// W from it.
struct LoadDrive {
  Drive source;
  bool levelled = false;
  float power = 0.0f;
};

// The pi tank `tank` at `f` Hz into each load of `batch`, driven by
// `drive`, its C1 and C2 those of `c1` and `c2` (F) at each load, or where
// they are empty the tank's own: the
// PiQuantity values, in the operations garmonica2 takes for the designed
// load, so that the designed load gives its bits.
void pi_load_quantities(const Tank& tank, float f, const LoadDrive& drive,
                        float rin, std::span<const float> c1,
                        std::span<const float> c2, const LoadBatch& batch);

}  // namespace merid

#endif  // MERID_CALC_MISMATCH_H_
