#ifndef MERID_CALC_SYNTHESIS_H_
#define MERID_CALC_SYNTHESIS_H_

// Synthesis of the pi tank from the six inputs, and every value the results
// screen shows.

#include <cstdint>
#include <optional>

#include "calc/complex.h"
#include "calc/design_inputs.h"
#include "calc/network.h"
#include "calc/sweep.h"

namespace merid {

// The twenty-two results of a feasible calculation, in display units.
struct Results {
  float c1 = 0.0f;      // pF
  float c2 = 0.0f;      // pF
  float l = 0.0f;       // uH
  float eta = 0.0f;     // tank efficiency, %
  float uin = 0.0f;     // V RMS
  float uout = 0.0f;    // V RMS
  float ul = 0.0f;      // V RMS across L
  float pout = 0.0f;    // W
  float ploss = 0.0f;   // W
  float qc1 = 0.0f;     // var
  float qc2 = 0.0f;     // var
  float ql = 0.0f;      // var
  float ic1 = 0.0f;     // A RMS
  float ic2 = 0.0f;     // A RMS
  float il = 0.0f;      // A RMS
  float ku = 0.0f;      // second-harmonic suppression, voltage drive, dB
  float ki = 0.0f;      // second-harmonic suppression, current drive, dB
  float s11 = 0.0f;     // reflection magnitude at the input port
  float s22 = 0.0f;     // reflection magnitude at the output port
  float bw_u = 0.0f;    // -1 dB band of the voltage response, kHz
  float bw_i = 0.0f;    // -1 dB band of the current response, kHz
  float bw_s11 = 0.0f;  // S11(0.1) band, kHz
};

// Working values of the last feasible calculation that are not shown.
struct Details {
  Tank tank;         // c1, c2 in F, l in H, q0, rout
  float xc1 = 0.0f;  // reactances at f, ohm
  float xc2 = 0.0f;
  float xl = 0.0f;
  Complex vref2;        // output voltage at f under the matched drive, V
  float fstart = 0.0f;  // sweep grid, Hz
  float fstop = 0.0f;
  float step = 0.0f;
  std::int32_t nstep = 0;
  std::int32_t ns11 = 0;    // points of the S11 sweep
  std::int32_t ncross = 0;  // crossings of 0.1 that the S11 sweep found
  // Where the voltage and the current response's -1 dB bands lie on the
  // grid, as their band searches found them.
  Band voltage_band;
  Band current_band;
};

// The dialogue's state of one calculation: the inputs (f in MHz when
// synthesis is called) and what it found.
struct Design : DesignInputs {
  float fmhz = 0.0f;  // f as it stood when the last calculation began, MHz
  bool infeasible = false;
  // Replaced only by a feasible calculation.
  Results results;
  Details details;
};

// A design of the six inputs (f in MHz) with nothing computed yet.
Design make_design(float f, float qn, float q0, float rin, float rout,
                   float pin);
Design make_design(const DesignInputs& inputs);

// Decides whether qn suffices for the transformation rin:rout and, if so,
// computes every result.  Feasible: f comes back in MHz as 1e-6 times its
// value in Hz (it can differ from fmhz in the last bit) and `results` and
// `details` are replaced.  Infeasible: `infeasible` is set, f is left in Hz
// and nothing else changes but fmhz.  Inputs must lie in the dialogue's
// accepted ranges (qn < q0).
void synthesis(Design& d);

// The tank that synthesis would give for `inputs` (f in MHz), its elements
// in F and H to the bit, without the analyses and sweeps that follow; none
// where it would be infeasible.  For the searches, which ask only what
// the elements are.
std::optional<Tank> synthesised_tank(const DesignInputs& inputs);

// A capacitance in F as the results show it in pF, an inductance in H in
// uH: the same products.
float picofarads(float farads);
float microhenries(float henries);

// The design of `inputs` (f in MHz) with what synthesis gives of its
// elements and its sweep plan, to the bit, but no analysis and no sweep:
// for a network built on it (the pi-L network's pi section).  Feasible:
// f in MHz as synthesis leaves it, results c1, c2 and l, details tank and
// the sweep plan; infeasible as synthesis leaves it.
Design synthesised_elements(const DesignInputs& inputs);

}  // namespace merid

#endif  // MERID_CALC_SYNTHESIS_H_
