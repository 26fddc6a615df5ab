#ifndef MERID_CALC_AMPLIFIER_H_
#define MERID_CALC_AMPLIFIER_H_

// What a real amplifier asks of the tank beyond one design: the loaded Q
// that its smallest possible C1 forces, the networks one coil tap gives
// across a band, and the load resistance estimated from its ratings.  The
// searches run the synthesis itself, so every design they report is one
// the calculation gives for the inputs it names.

#include <functional>
#include <optional>

#include "calc/synthesis.h"

namespace merid {

// The loaded Q values a design may take, both ends accepted.
struct LoadedQRange {
  float low = 0.0f;
  float high = 0.0f;
};

// `inputs` (its six inputs as make_design takes them, f in MHz) calculated
// with the loaded Q `qn`.
Design with_loaded_q(const Design& inputs, float qn);

// Loaded Q found for a minimum C1 lies on this grid, so that typed back as
// printed it gives the same design.
inline constexpr double kLoadedQResolution = 0.001;

// The lowest loaded Q on the grid of kLoadedQResolution within `range` at
// which `holds` is true, given that once true it stays true for every
// larger one; none when it is false even at range.high.  Each grid value
// is the float its printed decimal typed gives.
std::optional<float> lowest_loaded_q_where(
    LoadedQRange range, const std::function<bool(float)>& holds);

// The lowest loaded Q on the grid of kLoadedQResolution within `range` at
// which the design of `inputs` (as with_loaded_q takes them) is feasible with
// C1 >= cmin_pf (pF); none when even range.high does not give it.  C1 grows
// with the loaded Q, so the search is a bisection.
std::optional<float> loaded_q_for_cmin(const Design& inputs, double cmin_pf,
                                       LoadedQRange range);

// How a row of a band with a fixed coil came out.
enum class CoilFit {
  kNone,          // no fixed coil, or the band's top design is infeasible
  kTap,           // the band's top: the design that fixes the coil
  kMatched,       // a loaded Q in range gives the coil's L
  kQnAboveRange,  // only a loaded Q above the accepted range would
  kQnBelowRange,  // only a loaded Q below the accepted range would
};

// One frequency of a band with the coil fixed.
struct FixedCoilRow {
  CoilFit fit = CoilFit::kMatched;
  float l_fixed = 0.0f;  // the coil, uH
  // Matched: the network at the row's frequency; otherwise the row's
  // inputs, infeasible, with fmhz its frequency.
  Design design;
};

// The loaded Q of a fixed coil's row, and how it came out; qn only when
// matched.
struct CoilLoadedQ {
  CoilFit fit = CoilFit::kMatched;
  float qn = 0.0f;
};

// The coil of `top`, a feasible design at a band's highest frequency, kept
// at the frequency of `at` (at most top's): the loaded Q in `range` at
// which the pi tank of `at`'s inputs (its loaded Q ignored) has the L
// nearest the coil's.  L falls as the loaded Q rises, so the search is a
// bisection from top's loaded Q up, where the same L has a smaller
// reactance at a lower frequency, or down, where a smaller transformation
// ratio at `at` asks for a larger reactance.  The search runs the
// synthesis's closed form alone: top needs only its tank and loaded Q.
CoilLoadedQ fixed_coil_loaded_q(const Design& top, const DesignInputs& at,
                                LoadedQRange range);

// The row of fixed_coil_loaded_q: matched, the design of `at`'s inputs
// with that loaded Q.
FixedCoilRow fixed_coil_row(const Design& top, const Design& at,
                            LoadedQRange range);

// Classes of operation of a tube amplifier.
enum class TubeClass { kA, kAB, kB, kC };

// The full conduction angle each class stands for, degrees: A 360, AB
// 240, B 180, C 120.
double class_conduction(TubeClass tube_class);

// The peak anode swing over the anode supply that the tube rule assumes.
inline constexpr double kAnodeSwing = 0.9;

// k of the rule R = Ea / (k Ia): the fundamental of the anode current over
// its mean Ia for the class's conduction angle (cosine pulses), over the
// anode swing kAnodeSwing, so R = kAnodeSwing Ea / I1: 1.11, 1.47, 1.75
// (pi / (2 kAnodeSwing)) and 1.99 for A, AB, B and C.
double tube_class_factor(TubeClass tube_class);

// Load resistance in ohm that a tube wants: anode supply `ea` (V), anode
// current `ia` (A).
double tube_load_resistance(double ea, double ia, TubeClass tube_class);

// The output power, W, that the tube rule stands for: the swing
// kAnodeSwing `ea` across the load `resistance`, (kAnodeSwing ea)^2 / (2
// resistance).
double tube_output_power(double ea, double resistance);

// Load resistance in ohm that a transistor wants for the output power
// `power` (W) from the supply `vcc` with the saturation voltage `vsat`
// (V): (vcc - vsat)^2 / (2 power).
double transistor_load_resistance(double vcc, double vsat, double power);

}  // namespace merid

#endif  // MERID_CALC_AMPLIFIER_H_
