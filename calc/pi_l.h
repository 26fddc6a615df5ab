#ifndef MERID_CALC_PI_L_H_
#define MERID_CALC_PI_L_H_

// The pi-L network: a pi section (C1, L1, C2') from RIN down or up to an
// intermediate resistance RMID, then an L section (series L2 and one shunt
// capacitor CL) from RMID to ROUT.  CL stands across the larger of RMID and
// ROUT, as an L section must: with RMID >= ROUT it is at the middle node in
// parallel with C2', so the middle capacitor is their sum; with RMID < ROUT
// it is across the load and the middle node holds C2' alone.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "calc/amplifier.h"
#include "calc/complex.h"
#include "calc/design_inputs.h"
#include "calc/design_warnings.h"
#include "calc/harmonics.h"
#include "calc/mismatch.h"
#include "calc/network.h"
#include "calc/pi_l_ladder.h"
#include "calc/sweep.h"
#include "calc/synthesis.h"

namespace merid {

// The intermediate resistance used when none is given: sqrt(RIN ROUT),
// rounded to three significant digits.
float default_rmid(float rin, float rout);

// The network driven by `drive` at `freq` Hz, in single precision, into
// its designed load.
PiLState analyse_pi_l(const PiLNetwork& n, const Drive& drive, float freq);

// The quantities of the network at a load, in the order of PiLQuantity:
// RMS voltages across and currents in C1, L1, the middle capacitor, L2 and
// the output (capacitor), the powers into the load and lost in both coils,
// and the limits of the input resistance, reactance and |S11| (the least
// as negatives).
struct PiLQuantity {
  enum : std::size_t {
    kUc1,
    kUl1,
    kUcmid,
    kUl2,
    kUcout,
    kIc1,
    kIl1,
    kIcmid,
    kIl2,
    kIcout,
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

// The network `n` at `freq` Hz into each load of `batch`, driven by
// `drive`, its C1 and middle capacitor those of `c1` and `cmid` (F) at each
// load, or where they are empty the network's own: the PiLQuantity values
// (|S11| against `rin`), from the state analyse_pi_l's operations give
// under `drive`'s source, or under the levelled drive under the source
// scaled so that the network takes the power asked.
void pi_l_load_quantities(const PiLNetwork& n, float freq,
                          const LoadDrive& drive, float rin,
                          std::span<const float> c1,
                          std::span<const float> cmid, const LoadBatch& batch);

// What the middle node sees besides its own capacitor: L2 and the load
// with the output capacitor across it, at `freq` Hz.
Complex middle_branch(const PiLNetwork& n, float freq, Complex load);

// The impedance seen from the load terminals with RIN behind the input.
Complex output_impedance(const PiLNetwork& n, float rin, float freq);

// RMS stresses and powers at the working frequency under the matched drive.
struct PiLResults {
  float c1 = 0.0f, c2p = 0.0f, cl = 0.0f, cmid = 0.0f, cout = 0.0f;  // pF
  float l1 = 0.0f, l2 = 0.0f;                                        // uH
  float q_pi = 0.0f;                // loaded Q of the pi section (QN)
  float q_l = 0.0f;                 // loaded Q of the L section
  float eta = 0.0f;                 // efficiency of the whole network, %
  float pout = 0.0f, ploss = 0.0f;  // W
  float uin = 0.0f, umid = 0.0f, uout = 0.0f, ul1 = 0.0f, ul2 = 0.0f;    // V
  float ic1 = 0.0f, il1 = 0.0f, icmid = 0.0f, il2 = 0.0f, icout = 0.0f;  // A
  float qc1 = 0.0f, ql1 = 0.0f, qcmid = 0.0f, ql2 = 0.0f, qcout = 0.0f;  // var
  float s11 = 0.0f, s22 = 0.0f;
  HarmonicTable harmonics;  // KU and KI at 2F to 5F
  float bw_u = 0.0f;        // -1 dB band of the voltage response, kHz
  float bw_i = 0.0f;        // -1 dB band of the current response, kHz
  float bw_s11 = 0.0f;      // band of |S11| <= 0.1, kHz
};

// The bands over the pi network's sweep grid of the same design, each the
// run of neighbouring grid points within its limit around its anchor: the
// voltage response (matched drive) within 1 dB either way of its value at
// F, around the grid point nearest F; the current response (high-impedance
// drive) within 1 dB either way of its peak over the upper half of the
// window (the pi network's peak search), around the upper half's highest
// point; |S11| <= 0.1 over the first `ns11` points, around the point
// nearest F.  A ladder of five elements can come within a limit again far
// from F (a second resonance, or the low frequencies of a step-up
// network); such runs are no part of the band.  An anchor outside its
// limit gives no band: a zero width.
struct PiLBands {
  Band voltage;
  Band current;
  Band s11;
  // Hz: the grid's last point, as the walk reached it (fstart for a grid
  // of one point or none), where the warnings see a band cut off.
  float top = 0.0f;
};

// The bands of `n` driven from uin behind rin, with the working frequency
// `f` (Hz) as the voltage response's reference.  With a `trace`, every grid
// point's values are kept as well: the responses in dB against their
// references and |S11|.
PiLBands pi_l_bands(const PiLNetwork& n, float uin, float rin, float f,
                    const SweepGrid& grid, std::int32_t ns11,
                    SweepTrace* trace = nullptr);

// One pi-L design: its six inputs (f in MHz) and RMID, and once calculated,
// the network and its results.
// qn is the loaded Q of the pi section; f stays in MHz, as typed.
struct PiLDesign : DesignInputs {
  float rmid = 0.0f;         // ohm, what the pi section transforms RIN to
  bool infeasible = false;   // QN too small for RIN:RMID
  bool cl_at_middle = true;  // RMID >= ROUT
  PiLNetwork network;
  float fhz = 0.0f;  // the working frequency as the analysis took it, Hz
  PiLResults results;
  // The sweep plan of the pi section's own calculation, and where the
  // three bands lie on it.
  SweepGrid grid;
  float fstop = 0.0f;  // Hz, the top of the sweep window
  std::int32_t ns11 = 0;
  PiLBands bands;
};

// The inputs of a design, nothing calculated.
PiLDesign make_pi_l_design(const DesignInputs& inputs, float rmid);

// Synthesises and analyses the network of `inputs`.  The pi section is the
// pi network's own single-precision synthesis for RIN to RMID; the L
// section is solved in double precision with the loss of L2 at Q0.
PiLDesign pi_l_synthesis(const PiLDesign& inputs);
PiLDesign pi_l_synthesis(const DesignInputs& inputs, float rmid);

// The network that pi_l_synthesis would build for `inputs`, to the bit,
// without its analyses and sweeps; none where the pi section is
// infeasible.  For the searches, which ask only what the elements are.
std::optional<PiLNetwork> pi_l_elements(const PiLDesign& inputs);

// The elements of a built pi-L network, in display units; cout_pf 0 for
// none.
struct PiLElements {
  float c1_pf = 0.0f;
  float l1_uh = 0.0f;
  float cmid_pf = 0.0f;
  float l2_uh = 0.0f;
  float cout_pf = 0.0f;
};

// The network of `e` at inputs.f (MHz), with the unloaded Q, load, input
// resistance and power of `inputs`, analysed instead of synthesised, as a
// built network is checked: driven so that it takes PIN, the elements
// echoed.  CL stands across the load where cout > 0, else at the
// middle node; the pi section's RMID is the resistance the middle node sees
// through L2 (1 / Re Y), CL what L2 and the load add to its susceptance
// (or COUT), C2' the rest of the middle capacitor; the loaded Q (qn and
// q_pi) is the reactive power in L1 over PIN, and the bands lie on that
// loaded Q's sweep window.
// Infeasible where single precision cannot resolve the power the network
// takes, or gives an efficiency outside 0 to 100 %.
PiLDesign given_pi_l(const DesignInputs& inputs, const PiLElements& e);

// The input voltage the two drives are set for, V RMS: sqrt(RIN PIN) as the
// pi network's synthesis takes it; their open-circuit voltage is twice it.
float drive_voltage(const PiLDesign& d);

// The pi section of `d`'s inputs as the pi network's synthesis takes them:
// ROUT replaced by RMID.  Its C1 and L are the network's C1 and L1.
Design pi_section_inputs(const PiLDesign& d);

// What the warnings read of the feasible design `d`: its C1, the second
// harmonic, the bands and where they lie, S11 at F.
WarningFigures warning_figures(const PiLDesign& d);

// One frequency of a band with both coils and the output capacitor fixed.
struct PiLFixedCoilRow {
  CoilFit fit = CoilFit::kMatched;
  float l_fixed = 0.0f;  // L1, uH
  // Matched: the network at the row's frequency; otherwise the row's
  // inputs and RMID, infeasible.
  PiLDesign design;
};

// The coils (and the output capacitor) of `top`, a feasible design at a
// band's highest frequency, kept at f_mhz (at most top's frequency) while
// C1 and the middle capacitor tune.  At f_mhz the fixed L section shows the
// middle node a conductance G and a susceptance B; the pi section then
// transforms RIN to 1/G (the row's rmid) with the loaded Q in `range` whose
// L1 is nearest the coil's, and the middle capacitor is its C2' less B /
// omega (the row's cl).
PiLFixedCoilRow pi_l_fixed_coil_row(const PiLDesign& top, float f_mhz,
                                    LoadedQRange range);

}  // namespace merid

#endif  // MERID_CALC_PI_L_H_
