#ifndef MERID_TESTS_SUPPORT_LADDER_MODEL_H_
#define MERID_TESTS_SUPPORT_LADDER_MODEL_H_

// An independent model of both networks for tests: C1 shunt, L1 in series
// with its loss, Cmid shunt, L2 in series with its loss, Cout across the
// load, solved as impedances from the load back in double precision with
// exact 2 pi.  The pi tank is the ladder with L2 = 0 and Cout = 0.

#include <cmath>
#include <numbers>

#include "design/network.h"
#include "tests/support/design_values.h"
#include "tests/support/pi_circuit_model.h"

namespace merid::model {

// F and H (l2 and cout 0: none), coil losses omega L / q0, any load.
struct Ladder {
  double c1 = 0.0, l1 = 0.0, cmid = 0.0, l2 = 0.0, cout = 0.0, q0 = 0.0;
  Cx load;
};

struct LadderState {
  Cx zin;  // seen by the source, the source removed
  Cx v_in, i_in, i_c1, i_l1, v_l1, v_mid, i_cmid, i_l2, v_l2, v_out, i_cout;
  double p_in = 0.0, p_load = 0.0, p_loss = 0.0;
};

inline double omega_of(double f_hz) { return 2.0 * std::numbers::pi * f_hz; }
inline double squared(Cx a) { return a.re * a.re + a.im * a.im; }
inline Cx coil_of(double w, double l, double q0) { return {w * l / q0, w * l}; }

// What the middle node sees besides Cmid: L2 and the load with Cout.
inline Cx l_branch(const Ladder& n, double w) {
  return coil_of(w, n.l2, n.q0) +
         inverse(inverse(n.load) + Cx{0.0, w * n.cout});
}

inline Cx zin_of(const Ladder& n, double f_hz) {
  const double w = omega_of(f_hz);
  const Cx z_mid = inverse(Cx{0.0, w * n.cmid} + inverse(l_branch(n, w)));
  return inverse(Cx{0.0, w * n.c1} + inverse(coil_of(w, n.l1, n.q0) + z_mid));
}

// Driven by `emf` behind `zs` ohm.
inline LadderState solve_ladder(const Ladder& n, double f_hz, double emf,
                                double zs) {
  const double w = omega_of(f_hz);
  const Cx z_l1 = coil_of(w, n.l1, n.q0);
  const Cx z_l2 = coil_of(w, n.l2, n.q0);
  LadderState s;
  s.zin = zin_of(n, f_hz);
  s.i_in = Cx{emf, 0.0} / (Cx{zs, 0.0} + s.zin);
  s.v_in = s.zin * s.i_in;
  s.i_c1 = s.v_in * Cx{0.0, w * n.c1};
  s.i_l1 = s.i_in - s.i_c1;
  s.v_l1 = z_l1 * s.i_l1;
  s.v_mid = s.v_in - s.v_l1;
  s.i_cmid = s.v_mid * Cx{0.0, w * n.cmid};
  s.i_l2 = s.i_l1 - s.i_cmid;
  s.v_l2 = z_l2 * s.i_l2;
  s.v_out = s.v_mid - s.v_l2;
  s.i_cout = s.v_out * Cx{0.0, w * n.cout};
  s.p_in = s.v_in.re * s.i_in.re + s.v_in.im * s.i_in.im;
  s.p_load = squared(s.v_out / n.load) * n.load.re;
  s.p_loss = (squared(s.i_l1) * n.l1 + squared(s.i_l2) * n.l2) * w / n.q0;
  return s;
}

// Behind `zs`, the emf that puts `power` W in.
inline LadderState levelled_ladder(const Ladder& n, double f_hz, double zs,
                                   double power) {
  const double unit = solve_ladder(n, f_hz, 1.0, zs).p_in;
  return solve_ladder(n, f_hz, std::sqrt(power / unit), zs);
}

// The ladder of the elements of `d` (either network), as its fields show
// them in the order --elements takes them, into ROUT.
inline Ladder ladder_of(const DesignModel& d) {
  double e[kMaxNetworkElements] = {};
  const auto elements = d.network().elements;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const double to_si = elements[i].unit == "pF" ? 1e-12 : 1e-6;
    e[i] = to_si * testing_support::value(d, elements[i].key);
  }
  return Ladder{
      e[0], e[1], e[2], e[3], e[4], d.inputs().q0, Cx{d.inputs().rout, 0.0}};
}

}  // namespace merid::model

#endif  // MERID_TESTS_SUPPORT_LADDER_MODEL_H_
