#ifndef MERID_CALC_MISMATCH_H_
#define MERID_CALC_MISMATCH_H_

// A tank whose load is not the resistance it was designed for but any
// impedance of a given SWR against it: the extremes over that circle of
// whatever one load gives (the stresses the parts must be rated for with a
// real antenna), the drive that delivers a given power at every load, and
// the pi network's quantities at one load.

#include <cstddef>
#include <functional>
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

// What one load of the circle gives: `values` filled with the quantities,
// each one to be maximised (the least of a quantity as its negative), and
// true; false for a load that gives none (a tank that no setting matches
// to it).
using LoadQuantities =
    std::function<bool(Complex load, std::span<float> values)>;

// The extremes over the circle of `count` quantities.
struct CircleExtremes {
  std::vector<float> largest;  // NaN where no load gave any
  // Of the kSwrPhases phase steps, those that gave values.
  std::vector<bool> given;
  int missing = 0;  // steps that gave none
};

// The largest of each quantity that `at` gives over every load of SWR
// `swr` (kMinSwr to kMaxSwr) against `rout`.  From the best of the
// kSwrPhases phases, each largest is refined between the neighbouring
// phases where both give values, so it is the extreme of the whole circle,
// not only of the phases tried.  At swr 1 there is one load, rout itself.
// `scan`, where given, holds circle_loads(rout, swr), which several
// circles over the same loads share.
CircleExtremes circle_extremes(float rout, float swr, std::size_t count,
                               const LoadQuantities& at,
                               std::span<const Complex> scan = {});

// The loads of the kSwrPhases whole phase steps, as swr_load gives them.
std::vector<Complex> circle_loads(float rout, float swr);

// The power that a port of voltage `v` and current `i` takes, W:
// Re(v conj(i)) in double precision.
double input_power(Complex v, Complex i);

// `drive` with its open-circuit voltage scaled so that a tank that took
// `power` W from it takes `wanted` W: the levelled drive, which holds the
// input power at every load.
Drive levelled(const Drive& drive, double power, float wanted);

// The pi tank's quantities at one load, in the order the values of
// pi_quantities() take: RMS voltages across and currents in C1, C2 and L,
// the powers into the load and in the coil's loss, and the limits of the
// input resistance, reactance and |S11| (the least as negatives).
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
void input_limits(Complex zin, float s11, std::span<float> limits);

// The tank's impedances with `load` in place of the designed resistance, in
// the operations of impedances_of.
Impedances impedances_with_load(const Elements& e, Complex load);

// The quantities of `e` driven by `drive` into `load`, in the operations
// garmonica2 takes for the designed load, so that the designed load gives
// its bits.
void pi_quantities(const Elements& e, const Impedances& z, const Drive& drive,
                   float rin, Complex load, std::span<float> out);

}  // namespace merid

#endif  // MERID_CALC_MISMATCH_H_
