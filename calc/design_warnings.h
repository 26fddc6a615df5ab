#ifndef MERID_CALC_DESIGN_WARNINGS_H_
#define MERID_CALC_DESIGN_WARNINGS_H_

// The results of a feasible design that are physically meaningless or
// misleading, each with the figure that shows it.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "calc/sweep.h"
#include "calc/synthesis.h"

namespace merid {

enum class WarningCode {
  kC1Negative,      // C1 < 0: the network needs a shunt inductor there
  kKuNegative,      // KU < 0: the second harmonic passes better than f
  kKiNegative,      // KI < 0: the same under the current drive
  kBandUAtBottom,   // the voltage response's band reaches the window bottom
  kBandUAtTop,      // ... its top
  kBandIAtBottom,   // the current response's band reaches the bottom
  kBandIAtTop,      // ... its top
  kS11OneCrossing,  // bw_s11 is the frequency of its one crossing
  kS11NoWidth,      // bw_s11 is 0: no crossing, or more than three
  kS11AtF,          // S11 at f above kS11MatchLimit: the design misses rin
  kC1BelowCmin,     // C1 below the amplifier's minimum
  // Legal but unwise, for any network:
  kLowEfficiency,         // the tank's efficiency below kMinEfficiency
  kCapacitorTooLarge,     // a capacitor above what is built for a tank
  kCoilTooSmall,          // a coil below what can be wound
  kCurrentTooLarge,       // an RMS current above what parts carry
  kRmidLow,               // pi-L: RMID at or below both RIN and ROUT
  kRmidHigh,              // pi-L: ... at or above both
  kRinEqualsRout,         // pi-L: nothing for the L section to transform
  kRinEstimateLow,        // --rin-from: an estimate below real amplifiers'
  kRinEstimateHigh,       // ... above them
  kRinEstimatePower,      // --rin-from: its power is not PIN
  kHarmonicAboveCoilSrf,  // a harmonic beyond the coils' self-resonance
  kHarmonicAboveLimit,    // a harmonic above the emission limit asked for
};

// What a warning shows, in the unit its code gives: the shunt inductance
// in uH for kC1Negative; KU or KI in dB; the band's width in kHz for the
// four band codes; bw_s11 in kHz for kS11OneCrossing, the crossing count
// for kS11NoWidth (or, of a band that is a run of grid points, the points
// of that run); S11 for kS11AtF; C1 - Cmin in pF for kC1BelowCmin.
// `context` is the other figure the warning names: C1 in pF for
// kC1Negative and kC1BelowCmin, the edge of the sweep window in Hz for the
// band codes (its start for the bottom, its stop for the top), the grid
// step in Hz for kS11NoWidth of a band that is a run of points, else 0.
//
// Of the codes after kC1BelowCmin: the efficiency in % and the watts lost
// for kLowEfficiency; the part's value (pF, uH, A RMS) and the limit for
// the three part codes, `subject` naming the part; RMID and the lower (the
// higher) of RIN and ROUT for kRmidLow (kRmidHigh); RIN for
// kRinEqualsRout; the estimate in ohm and the limit it passes for the two
// estimate codes; the estimate's power and PIN, W, for kRinEstimatePower;
// the coils' self-resonance, MHz, and the harmonic's n for
// kHarmonicAboveCoilSrf; the harmonic's level and the limit, dBc, for
// kHarmonicAboveLimit, `subject` naming the harmonic ("2F").
struct DesignWarning {
  WarningCode code;
  double figure;
  double context = 0.0;
  std::string_view subject = {};
};

// Whether each -1 dB band takes in the first or the last point of the
// sweep grid, where the band search saw it cut off.
struct WindowReach {
  bool voltage_bottom = false;
  bool voltage_top = false;
  bool current_bottom = false;
  bool current_top = false;
};

// Whether the bands `voltage` and `current`, measured over a grid whose
// first point lies at `fstart` and its last at `top` (Hz), take in either.
WindowReach window_reach(const Band& voltage, const Band& current, float fstart,
                         float top);

// Where the bands of the feasible design `d` lie, as its sweeps found
// them.
WindowReach window_reach(const Design& d);

// What the warnings read of one feasible design, whatever its network.
struct WarningFigures {
  float fmhz = 0.0f;                              // working frequency
  float c1 = 0.0f;                                // pF
  float ku = 0.0f, ki = 0.0f;                     // second harmonic, dB
  float bw_u = 0.0f, bw_i = 0.0f, bw_s11 = 0.0f;  // kHz
  float s11 = 0.0f;                               // at F
  WindowReach reach;
  float fstart = 0.0f;  // the sweep window, Hz
  float fstop = 0.0f;
  // The crossings of 0.1 that decided bw_s11, where the count decides it
  // (the pi network); none where bw_s11 is a run of grid points within 0.1
  // (the pi-L network), whose points `s11_run_points` counts up to 2, on
  // a grid of `step` Hz.
  std::optional<std::int32_t> s11_crossings;
  std::int32_t s11_run_points = 2;
  float step = 0.0f;
};

// The figures of the feasible design `d` whose bands lie as `reach` says.
WarningFigures warning_figures(const Design& d, const WindowReach& reach);

// An efficiency below this, %, is worth a warning: the coils heat.
inline constexpr double kMinEfficiency = 80.0;

// S11 at f above this says the network does not match rin.
inline constexpr double kS11MatchLimit = 0.01;

// The warnings of a feasible design, in the order of WarningCode.
// `cmin_pf` is the amplifier's minimum C1 when one is given.
std::vector<DesignWarning> design_warnings(const WarningFigures& f,
                                           std::optional<double> cmin_pf);

// The inductance in uH whose reactance at f_mhz equals that of the
// capacitance c1_pf, taken as positive: -1 / (omega^2 C1) for C1 < 0.
double shunt_inductance_uh(double c1_pf, double f_mhz);

}  // namespace merid

#endif  // MERID_CALC_DESIGN_WARNINGS_H_
