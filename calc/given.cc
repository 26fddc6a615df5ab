#include "calc/given.h"

#include <cmath>

#include "calc/constants.h"
#include "calc/mismatch.h"
#include "calc/network.h"
#include "calc/s11module.h"
#include "calc/sub.h"
#include "calc/sweep.h"

namespace merid {
namespace {

constexpr double kHenriesPerMicrohenry = 1e-6;

}  // namespace

bool resolved_power(double taken, float pin) {
  return taken > kLeastResolvedShare * pin && std::isfinite(taken);
}

Design given_pi(const DesignInputs& inputs, const PiElements& given) {
  Design d = make_design(inputs);
  d.fmhz = inputs.f;
  d.infeasible = false;
  const float f = kHertzPerMegahertz * inputs.f;
  const Tank tank{static_cast<float>(kFaradsPerPicofarad * given.c1_pf),
                  static_cast<float>(kFaradsPerPicofarad * given.c2_pf),
                  static_cast<float>(kHenriesPerMicrohenry * given.l_uh),
                  inputs.q0, inputs.rout};
  const Elements e = elements_at(tank, f);
  const Impedances z = impedances_of(tank, e);
  const float uin = std::sqrt(inputs.rin * inputs.pin);
  const Drive matched = matched_drive(uin, inputs.rin);
  const DrivenState trial = drive_tank(z, matched);
  const double p_trial = input_power(trial.vin, trial.iin);
  // A tank whose input is so nearly a pure reactance that the power it
  // takes is lost in single precision has no figures to give.
  if (!resolved_power(p_trial, inputs.pin)) {
    d.infeasible = true;
    return d;
  }
  const DrivenState s = drive_tank(z, levelled(matched, p_trial, inputs.pin));

  Results& r = d.results;
  r.c1 = given.c1_pf;
  r.c2 = given.c2_pf;
  r.l = given.l_uh;
  r.uin = modulus(s.vin);
  r.uout = modulus(s.vout);
  r.ul = modulus(e.zl * s.ib);
  const float p_in = static_cast<float>(input_power(s.vin, s.iin));
  const float p_load = squared_magnitude(s.vout) / inputs.rout;
  const float eta = p_load / p_in;
  if (!(eta > 0.0f && eta < 1.0f)) {
    d.infeasible = true;
    return d;
  }
  r.pout = eta * inputs.pin;
  r.ploss = inputs.pin - r.pout;
  r.eta = kPercent * eta;
  r.qc1 = squared_magnitude(s.vin) / e.x1;
  r.qc2 = squared_magnitude(s.vout) / e.x2;
  r.ql = squared_magnitude(s.ib) * e.x3;
  r.ic1 = modulus(s.vin) / e.x1;
  r.ic2 = modulus(s.vout) / e.x2;
  r.il = modulus(s.ib);
  d.qn = r.ql / p_in;

  const Harmonics h1 = garmonica1(uin, tank.c1, tank.c2, tank.l, inputs.rin,
                                  tank.rout, f, tank.q0);
  const Harmonics h2 = garmonica2(uin, tank.c1, tank.c2, tank.l, inputs.rin,
                                  tank.rout, f, tank.q0);
  r.ki = h1.suppression;
  r.ku = h2.suppression;
  const PortMatch match =
      fs11(f, tank.q0, inputs.rin, tank.rout, tank.c1, tank.c2, tank.l);
  r.s11 = match.s11;
  r.s22 = match.s22;

  const SweepPlan plan = sweep_plan(f, d.qn);
  const SweepBands bands =
      sweep_bands(tank, uin, inputs.rin, plan.grid, h2.vref, plan.ns11);
  r.bw_u = bands.bw_u / kHertzPerKilohertz;
  r.bw_i = bands.bw_i / kHertzPerKilohertz;
  r.bw_s11 = bands.s11.bw_s11;
  d.f = kMegahertzPerHertz * f;
  d.details = Details{tank,
                      e.x1,
                      e.x2,
                      e.x3,
                      h2.vref,
                      plan.fstart,
                      plan.fstop,
                      plan.grid.step,
                      plan.grid.nstep,
                      plan.ns11,
                      bands.s11.ncross,
                      bands.voltage,
                      bands.current};
  return d;
}

}  // namespace merid
