#include "calc/pi_l.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <vector>

#include "calc/bisection.h"
#include "calc/constants.h"
#include "calc/given.h"
#include "calc/mismatch.h"
#include "calc/pi_l_sweep.h"
#include "calc/retune.h"

namespace merid {
namespace {

constexpr double kMicroPerHenry = 1e6;

// The L section in double precision: the series reactance of L2 and the
// susceptance of CL at the working frequency, with L2's loss at q0.
struct LSection {
  double x2 = 0.0;  // ohm
  double b = 0.0;   // S
};

// CL at the middle: the branch L2 + ROUT has R = ROUT + x/q0 and must show
// R^2 + x^2 = RMID R, so that CL = x / (R^2 + x^2) leaves RMID real.
LSection step_down(double rmid, double rout, double q0) {
  const double a = 1.0 + 1.0 / (q0 * q0);
  const double b = (2.0 * rout - rmid) / q0;
  const double c = rout * rout - rmid * rout;
  const double x = (-b + std::sqrt(b * b - 4.0 * a * c)) / (2.0 * a);
  const double r = rout + x / q0;
  return LSection{x, x / (rmid * r)};
}

// CL across the load, q = ROUT / XCL: ROUT || CL is ROUT / (1 + q^2) in
// series with -q ROUT / (1 + q^2), which L2 cancels; its loss adds x2 / q0,
// so RMID (1 + q^2) = ROUT (1 + q / q0).
LSection step_up(double rmid, double rout, double q0) {
  const double p = rout / q0;
  const double q =
      (p + std::sqrt(p * p - 4.0 * rmid * (rmid - rout))) / (2.0 * rmid);
  return LSection{q * rout / (1.0 + q * q), q / rout};
}

PiLResults stresses(const PiLNetwork& n, const PiLState& s, float pin) {
  PiLResults r;
  r.uin = modulus(s.vin);
  r.umid = modulus(s.vmid);
  r.uout = modulus(s.vout);
  r.ul1 = modulus(s.vl1);
  r.ul2 = modulus(s.vl2);
  r.ic1 = modulus(s.ic1);
  r.il1 = modulus(s.il1);
  r.icmid = modulus(s.icmid);
  r.il2 = modulus(s.il2);
  r.icout = modulus(s.icout);
  r.qc1 = squared_magnitude(s.vin) / s.x1;
  r.ql1 = squared_magnitude(s.il1) * s.xl1;
  r.qcmid = squared_magnitude(s.vmid) / s.xmid;
  r.ql2 = squared_magnitude(s.il2) * s.xl2;
  r.qcout = squared_magnitude(s.vout) * s.bout;
  // The power into the input node against the power into the load.
  const float p_in = s.vin.re * s.iin.re + s.vin.im * s.iin.im;
  const float p_load = squared_magnitude(s.vout) / n.rout;
  const float eta = p_load / p_in;
  r.pout = eta * pin;
  r.ploss = pin - r.pout;
  r.eta = kPercent * eta;
  return r;
}

// The runs of a sweep's points alike in lying within its limit or not,
// the points entered in grid order: a band is the run that holds its
// anchor point, and only the runs are kept.  With ratios, each run keeps
// its highest (not-a-number ones passed over) among its points from a
// given one on, where the current band's anchor is sought.
class GridRuns {
 public:
  // The next n points: their frequencies and whether each lies within.
  void add(const float* freq, const bool* within, std::size_t n) {
    enter<false>(freq, within, nullptr, 0, n);
  }
  // ... and their ratios, which count from the point of index `from` on.
  void add(const float* freq, const bool* within, const float* ratio,
           std::size_t from, std::size_t n) {
    enter<true>(freq, within, ratio, from, n);
  }

  // The highest ratio of all, -infinity for none.
  float highest() const {
    float highest = -INFINITY;
    for (const Run& run : runs_) {
      if (run.highest > highest) highest = run.highest;
    }
    return highest;
  }
  // The band of the first run whose highest ratio reaches `least`.
  std::optional<Band> band_reaching(float least) const {
    for (const Run& run : runs_) {
      if (run.highest >= least) return band_of(run);
    }
    return std::nullopt;
  }
  // The band around point `anchor`; none for an anchor beyond the points
  // or outside the limit.
  Band band(std::size_t anchor) const {
    if (anchor >= size_) return Band{};
    const auto after = std::upper_bound(
        runs_.begin(), runs_.end(), anchor,
        [](std::size_t k, const Run& run) { return k < run.first; });
    return band_of(*(after - 1));
  }

 private:
  struct Run {
    std::size_t first = 0;  // index of its first point
    bool within = false;
    float low = 0.0f;
    float high = 0.0f;
    float highest = -INFINITY;
  };

  static Band band_of(const Run& run) {
    return run.within ? Band{true, run.low, run.high} : Band{};
  }

  template <bool kRatios>
  void enter(const float* freq, const bool* within, const float* ratio,
             std::size_t from, std::size_t n) {
    if (n == 0) return;
    if (runs_.empty()) runs_.push_back(Run{0, within[0], freq[0]});
    // The open run in locals, which no store can alias.
    Run run = runs_.back();
    // The first of the points whose ratios count.
    const std::size_t counted = from > size_ ? std::min(from - size_, n) : 0;
    if (all_alike(within, n, run.within)) {
      // As most blocks: no point starts another run.
      run.high = freq[n - 1];
      for (std::size_t j = counted; kRatios && j < n; ++j) {
        if (ratio[j] > run.highest) run.highest = ratio[j];
      }
    } else {
      for (std::size_t j = 0; j < n; ++j) {
        if (within[j] != run.within) {
          runs_.back() = run;
          run = Run{size_ + j, within[j], freq[j]};
          runs_.push_back(run);
        }
        run.high = freq[j];
        if (kRatios && j >= counted && ratio[j] > run.highest) {
          run.highest = ratio[j];
        }
      }
    }
    runs_.back() = run;
    size_ += n;
  }

  // Whether all n flags are `value`: a count, whose loop vectorises.
  static bool all_alike(const bool* within, std::size_t n, bool value) {
    std::size_t alike = 0;
    for (std::size_t j = 0; j < n; ++j) {
      alike += static_cast<std::size_t>(within[j] == value);
    }
    return alike == n;
  }

  std::vector<Run> runs_;
  std::size_t size_ = 0;  // points entered
};

float width_khz(const Band& band) { return (band.high - band.low) / 1000.0f; }

// Calls fill(block) and then visit(block) for every block of `points`
// grid points, in order.
template <typename Fill, typename Visit>
void walk_blocks(std::int32_t points, Fill fill, Visit visit) {
  PiLBlock block;
  for (std::int32_t done = 0; done < points;) {
    block.count = static_cast<std::size_t>(std::min<std::int32_t>(
        points - done, static_cast<std::int32_t>(kBlockPoints)));
    fill(block);
    visit(static_cast<const PiLBlock&>(block));
    done += static_cast<std::int32_t>(block.count);
  }
}

// The decibels of a ratio x = v / ref of the responses, 20 log10 x.
float ratio_db(float x) { return kDecibelsPerDecade * log10_single(x); }

// The ratios whose decibels, so rounded, lie within 1 dB either way: an
// interval, since they rise with the ratio, whose ends bisection over the
// floats finds once; a band search then compares ratios, not logarithms.
struct WithinOneDb {
  float low;
  float high;
  // Both comparisons joined as integers, not with &&, so that a loop of
  // them has no branch and vectorises.
  bool holds(float x) const {
    return static_cast<int>(x >= low) & static_cast<int>(x <= high);
  }
};

WithinOneDb within_one_db() {
  const float low = first_float_where(
      0.0f, 1.0f, [](float x) { return ratio_db(x) >= -1.0f; });
  const float above =
      first_float_where(1.0f, std::numeric_limits<float>::max(),
                        [](float x) { return ratio_db(x) > 1.0f; });
  return WithinOneDb{low, std::nextafter(above, 0.0f)};
}

const WithinOneDb& one_db() {
  static const WithinOneDb kWithin = within_one_db();
  return kWithin;
}

// The three bands of one walk over the grid, its blocks taken in grid
// order: the voltage and the S11 band around the point nearest F, the
// current band around the first point of the upper half that reaches the
// peak (point 0 where none does), as pi_l_bands describes them.
class BandWalk {
 public:
  BandWalk(float f, float fstart, float vref, float vmax, std::int32_t nstep,
           std::int32_t upper_half, std::int32_t ns11, SweepTrace* trace)
      : f_(f),
        top_(fstart),
        vref_(vref),
        vmax_(vmax),
        nstep_(points(nstep)),
        upper_half_(points(upper_half)),
        ns11_(points(ns11)),
        trace_(trace) {
    if (trace_ == nullptr) return;
    trace_->voltage.reserve(nstep_);
    trace_->current.reserve(nstep_);
    trace_->s11.reserve(ns11_);
  }

  // The next block: its points below ns11 enter the S11 sweep, those
  // below nstep the responses.
  void take(const PiLBlock& b) {
    const std::size_t n = points_below(next_, b.count, nstep_);
    const std::size_t n11 = points_below(next_, b.count, ns11_);
    // Each point's ratios and sides of the limits, in loops that
    // vectorise.
    std::array<float, kBlockPoints> u;
    std::array<float, kBlockPoints> i;
    std::array<bool, kBlockPoints> u_within;
    std::array<bool, kBlockPoints> i_within;
    std::array<bool, kBlockPoints> s11_within;
    for (std::size_t j = 0; j < b.count; ++j) {
      u[j] = b.matched[j] / vref_;
      i[j] = b.high_z[j] / vmax_;
    }
    for (std::size_t j = 0; j < b.count; ++j) {
      u_within[j] = within_.holds(u[j]);
      i_within[j] = within_.holds(i[j]);
      s11_within[j] = b.s11[j] <= 0.1f;
    }
    float nearest = nearest_;
    std::size_t at_f = at_f_;
    for (std::size_t j = 0; j < n; ++j) {
      if (std::fabs(b.freq[j] - f_) < nearest) {
        nearest = std::fabs(b.freq[j] - f_);
        at_f = next_ + j;
      }
    }
    nearest_ = nearest;
    at_f_ = at_f;
    if (n > 0 && next_ + n == nstep_) top_ = b.freq[n - 1];
    voltage_.add(b.freq.data(), u_within.data(), n);
    current_.add(b.freq.data(), i_within.data(), i.data(), upper_half_, n);
    s11_.add(b.freq.data(), s11_within.data(), n11);
    if (trace_ != nullptr) trace(b, u, i, n, n11);
    next_ += b.count;
  }

  PiLBands bands() const {
    return PiLBands{voltage_.band(at_f_), current_band(), s11_.band(at_f_),
                    top_};
  }

 private:
  static std::size_t points(std::int32_t n) {
    return static_cast<std::size_t>(std::max(n, 0));
  }

  void trace(const PiLBlock& b, const std::array<float, kBlockPoints>& u,
             const std::array<float, kBlockPoints>& i, std::size_t n,
             std::size_t n11) {
    for (std::size_t j = 0; j < n; ++j) {
      trace_->voltage.push_back(CurvePoint{b.freq[j], ratio_db(u[j])});
      trace_->current.push_back(CurvePoint{b.freq[j], ratio_db(i[j])});
    }
    for (std::size_t j = 0; j < n11; ++j) {
      trace_->s11.push_back(CurvePoint{b.freq[j], b.s11[j]});
    }
  }

  // The run around the first point of the upper half whose decibels are
  // the highest, which are the points whose ratio reaches the least ratio
  // of those decibels.
  Band current_band() const {
    const float highest = current_.highest();
    if (!(highest > -INFINITY)) return current_.band(0);
    const float peak_db = ratio_db(highest);
    const float least = first_float_where(
        0.0f, highest, [peak_db](float x) { return ratio_db(x) >= peak_db; });
    return current_.band_reaching(least).value_or(current_.band(0));
  }

  float f_;
  float top_;  // the last response point, once the walk passes it
  float vref_;
  float vmax_;
  std::size_t nstep_;
  std::size_t upper_half_;
  std::size_t ns11_;
  SweepTrace* trace_;
  const WithinOneDb within_ = one_db();
  std::size_t next_ = 0;  // index of the block's first point
  std::size_t at_f_ = 0;
  float nearest_ = INFINITY;
  GridRuns voltage_, current_, s11_;
};

// Where the bands of a pi-L design are measured: the sweep plan of its pi
// section's calculation, or of a built network's loaded Q.
struct AnalysisPlan {
  float fhz = 0.0f;  // the working frequency as the analysis takes it
  SweepGrid grid;
  float fstop = 0.0f;
  std::int32_t ns11 = 0;
};

AnalysisPlan plan_of(const Design& section) {
  const Details& x = section.details;
  return AnalysisPlan{working_hertz(section),
                      SweepGrid{x.fstart, x.step, x.nstep}, x.fstop, x.ns11};
}

// The design of `d`'s inputs with the built network `n` analysed at the
// plan's frequency, its bands over the plan's grid; the stresses at that
// frequency under the matched drive, or with `levelled` under the drive
// that puts PIN into the network.  The elements in display units are the
// caller's to set.
PiLDesign analysed(PiLDesign d, const PiLNetwork& n, const AnalysisPlan& plan,
                   bool levelled) {
  d.infeasible = false;
  d.network = n;
  d.fhz = plan.fhz;
  const float fhz = plan.fhz;
  const float uin = drive_voltage(d);
  const Drive matched = matched_drive(uin, d.rin);
  const Drive high_z = high_impedance_drive(uin, d.rin);
  const PiLState s = analyse_pi_l(n, matched, fhz);
  PiLResults& r = d.results;
  if (levelled) {
    const Drive held =
        merid::levelled(matched, input_power(s.vin, s.iin), d.pin);
    r = stresses(n, analyse_pi_l(n, held, fhz), d.pin);
  } else {
    r = stresses(n, s, d.pin);
  }
  // The L section's loaded Q: its series arm's X over R with CL at the
  // middle, the load's R over the reactance of CL across it.
  r.q_l = d.cl_at_middle ? s.xl2 / (n.rout + s.xl2 / n.q0) : n.rout * s.bout;
  r.s11 = reflection_magnitude(s.zin, d.rin);
  r.s22 = reflection_magnitude(output_impedance(n, d.rin, fhz), d.rout);
  const Complex vout_high_z = analyse_pi_l(n, high_z, fhz).vout;
  for (int i = 0; i < kHarmonicCount; ++i) {
    const float fn = static_cast<float>(kFirstHarmonic + i) * fhz;
    r.harmonics.ku[i] =
        suppression_db(s.vout, analyse_pi_l(n, matched, fn).vout);
    r.harmonics.ki[i] =
        suppression_db(vout_high_z, analyse_pi_l(n, high_z, fn).vout);
  }
  d.grid = plan.grid;
  d.fstop = plan.fstop;
  d.ns11 = plan.ns11;
  d.bands = pi_l_bands(n, uin, d.rin, fhz, d.grid, d.ns11);
  r.bw_u = width_khz(d.bands.voltage);
  r.bw_i = width_khz(d.bands.current);
  r.bw_s11 = width_khz(d.bands.s11);
  return d;
}

// The design of `n`, built on the feasible pi section `section`: c2p is the
// section's C2' and cl what the L section adds at the middle node or
// across the load, both in F.
PiLDesign designed(PiLDesign d, const PiLNetwork& n, const Design& section,
                   float cl) {
  d = analysed(d, n, plan_of(section), false);
  PiLResults& r = d.results;
  // C1, L1 and C2' as the pi section's own results show them.
  r.c1 = section.results.c1;
  r.c2p = section.results.c2;
  r.cl = static_cast<float>(kPicofaradsPerFarad * cl);
  r.cmid = static_cast<float>(kPicofaradsPerFarad * n.cmid);
  r.cout = static_cast<float>(kPicofaradsPerFarad * n.cout);
  r.l1 = section.results.l;
  r.l2 = static_cast<float>(kMicroPerHenry * n.l2);
  r.q_pi = section.qn;
  return d;
}

// The network of `d` on the pi section's `tank` at `fhz`: the L section
// solved in double precision, its shunt capacitor `cl` (F) added at the
// middle node or put across the load.
PiLNetwork with_l_section(const PiLDesign& d, const Tank& tank, float fhz,
                          float& cl) {
  const double omega = static_cast<double>(kOmegaFactor * fhz);
  const LSection l = d.cl_at_middle ? step_down(d.rmid, d.rout, d.q0)
                                    : step_up(d.rmid, d.rout, d.q0);
  cl = static_cast<float>(l.b / omega);
  PiLNetwork n;
  n.c1 = tank.c1;
  n.l1 = tank.l;
  n.cmid = d.cl_at_middle ? tank.c2 + cl : tank.c2;
  n.l2 = static_cast<float>(l.x2 / omega);
  n.cout = d.cl_at_middle ? 0.0f : cl;
  n.q0 = d.q0;
  n.rout = d.rout;
  return n;
}

// The pi section of `d` as its synthesis gives its elements and its sweep
// plan, which is all that the network takes of it: no sweep of its own.
Design section_of(const PiLDesign& d) {
  DesignInputs section = pi_section_inputs(d);
  section.qn = d.qn;
  return synthesised_elements(section);
}

}  // namespace

float default_rmid(float rin, float rout) {
  const double g = std::sqrt(static_cast<double>(rin) * rout);
  const double scale = std::pow(10.0, std::floor(std::log10(g)) - 2.0);
  return static_cast<float>(std::round(g / scale) * scale);
}

PiLState analyse_pi_l(const PiLNetwork& n, const Drive& drive, float freq) {
  return driven_state(pi_l_impedances(n, freq, real(n.rout)), drive);
}

Complex middle_branch(const PiLNetwork& n, float freq, Complex load) {
  const float omega = kOmegaFactor * freq;
  const Complex zout =
      load / (real(1.0f) + Complex{0.0f, n.cout * omega} * load);
  return lossy_coil(n.l2 * omega, n.q0) + zout;
}

Complex output_impedance(const PiLNetwork& n, float rin, float freq) {
  const float omega = kOmegaFactor * freq;
  const Complex zsource =
      parall(real(rin), Complex{0.0f, -1.0f / (n.c1 * omega)});
  const Complex zback1 = lossy_coil(n.l1 * omega, n.q0) + zsource;
  const Complex zbmid = parall(zback1, Complex{0.0f, -1.0f / (n.cmid * omega)});
  const Complex zback2 = lossy_coil(n.l2 * omega, n.q0) + zbmid;
  return zback2 / (real(1.0f) + Complex{0.0f, n.cout * omega} * zback2);
}

PiLBands pi_l_bands(const PiLNetwork& n, float uin, float rin, float f,
                    const SweepGrid& grid, std::int32_t ns11,
                    SweepTrace* trace) {
  const Drive matched = matched_drive(uin, rin);
  const Drive high_z = high_impedance_drive(uin, rin);
  const float vref = modulus(analyse_pi_l(n, matched, f).vout);
  // The pi network's peak search: nstep - trunc(nstep / 2) + 1 points from
  // (nstep step) / 2 on, over the upper half of the window where F lies.
  const float half = 2.0f;
  const float peak_start = (static_cast<float>(grid.nstep) * grid.step) / half;
  const std::int32_t upper_half =
      static_cast<std::int32_t>(static_cast<float>(grid.nstep) / half);
  const std::int32_t peak_points = grid.nstep - upper_half + 1;
  // Point 0 of each walk at its start, each next one the running sum with
  // one more step, as the pi network's sweeps form them.
  float phi = peak_start;
  float vmax = 0.0f;
  walk_blocks(
      peak_points,
      [&](PiLBlock& b) { pi_l_high_z_block(n, high_z, phi, grid.step, b); },
      [&vmax](const PiLBlock& b) {
        for (std::size_t j = 0; j < b.count; ++j) {
          vmax = std::max(vmax, b.high_z[j]);
        }
      });
  BandWalk walk(f, grid.fstart, vref, vmax, grid.nstep, upper_half, ns11,
                trace);
  phi = grid.fstart;
  walk_blocks(
      std::max(grid.nstep, ns11),
      [&](PiLBlock& b) {
        pi_l_block(n, rin, matched, high_z, phi, grid.step, b);
      },
      [&walk](const PiLBlock& b) { walk.take(b); });
  return walk.bands();
}

PiLDesign make_pi_l_design(const DesignInputs& inputs, float rmid) {
  PiLDesign d;
  static_cast<DesignInputs&>(d) = inputs;
  d.rmid = rmid;
  d.cl_at_middle = rmid >= inputs.rout;
  return d;
}

float drive_voltage(const PiLDesign& d) { return std::sqrt(d.rin * d.pin); }

Design pi_section_inputs(const PiLDesign& d) {
  DesignInputs section = d;
  section.rout = d.rmid;
  return make_design(section);
}

PiLDesign pi_l_synthesis(const PiLDesign& inputs) {
  PiLDesign d = inputs;
  d.infeasible = true;
  const Design section = section_of(d);
  if (section.infeasible) return d;
  float cl = 0.0f;
  const PiLNetwork n =
      with_l_section(d, section.details.tank, working_hertz(section), cl);
  return designed(d, n, section, cl);
}

std::optional<PiLNetwork> pi_l_elements(const PiLDesign& inputs) {
  const std::optional<Tank> tank = synthesised_tank(pi_section_inputs(inputs));
  if (!tank) return std::nullopt;
  float cl = 0.0f;
  return with_l_section(inputs, *tank, kHertzPerMegahertz * inputs.f, cl);
}

PiLDesign pi_l_synthesis(const DesignInputs& inputs, float rmid) {
  return pi_l_synthesis(make_pi_l_design(inputs, rmid));
}

PiLDesign given_pi_l(const DesignInputs& inputs, const PiLElements& e) {
  const auto farads = [](float pf) {
    return static_cast<float>(pf / kPicofaradsPerFarad);
  };
  const auto henries = [](float uh) {
    return static_cast<float>(uh / kMicroPerHenry);
  };
  const PiLNetwork n{farads(e.c1_pf),  henries(e.l1_uh),  farads(e.cmid_pf),
                     henries(e.l2_uh), farads(e.cout_pf), inputs.q0,
                     inputs.rout};
  const float fhz = kHertzPerMegahertz * inputs.f;
  const float omega = kOmegaFactor * fhz;
  // What the middle node sees besides its capacitor.
  const Complex y = real(1.0f) / middle_branch(n, fhz, real(n.rout));
  PiLDesign d = make_pi_l_design(inputs, 1.0f / y.re);
  d.cl_at_middle = !(n.cout > 0.0f);
  const float cl = d.cl_at_middle ? -y.im / omega : n.cout;
  // The pi section's loaded Q, as its synthesis has it: L1's reactive
  // power over the power put in, whatever the drive.
  const PiLState s =
      analyse_pi_l(n, matched_drive(drive_voltage(d), d.rin), fhz);
  const double p_in = input_power(s.vin, s.iin);
  // An input all but a pure reactance takes a power that single precision
  // cannot resolve: no figures.
  d.infeasible = true;
  if (!resolved_power(p_in, d.pin)) return d;
  d.qn = static_cast<float>(squared_magnitude(s.il1) * s.xl1 / p_in);
  const SweepPlan plan = sweep_plan(fhz, d.qn);
  d = analysed(d, n, AnalysisPlan{fhz, plan.grid, plan.fstop, plan.ns11}, true);
  PiLResults& r = d.results;
  if (!(r.eta > 0.0f && r.eta < 100.0f)) {
    d.infeasible = true;
    return d;
  }
  r.c1 = e.c1_pf;
  r.cmid = e.cmid_pf;
  r.cl = static_cast<float>(kPicofaradsPerFarad * cl);
  r.c2p = d.cl_at_middle ? r.cmid - r.cl : r.cmid;
  r.cout = e.cout_pf;
  r.l1 = e.l1_uh;
  r.l2 = e.l2_uh;
  r.q_pi = d.qn;
  return d;
}

WarningFigures warning_figures(const PiLDesign& d) {
  const PiLResults& r = d.results;
  WarningFigures f;
  f.fmhz = d.f;
  f.c1 = r.c1;
  f.ku = r.harmonics.ku[0];
  f.ki = r.harmonics.ki[0];
  f.bw_u = r.bw_u;
  f.bw_i = r.bw_i;
  f.bw_s11 = r.bw_s11;
  f.s11 = r.s11;
  f.reach = window_reach(d.bands.voltage, d.bands.current, d.grid.fstart,
                         d.bands.top);
  f.fstart = d.grid.fstart;
  f.fstop = d.fstop;
  const Band& s11 = d.bands.s11;
  f.s11_run_points = !s11.found ? 0 : s11.high > s11.low ? 2 : 1;
  f.step = d.grid.step;
  return f;
}

PiLFixedCoilRow pi_l_fixed_coil_row(const PiLDesign& top, float f_mhz,
                                    LoadedQRange range) {
  PiLFixedCoilRow row;
  row.l_fixed = top.results.l1;
  row.design = make_pi_l_design(at_frequency(top, f_mhz), top.rmid);
  row.design.infeasible = true;
  // What the middle node sees through the fixed L section at f_mhz.
  const PiLNetwork& n = top.network;
  const float omega = kOmegaFactor * (kHertzPerMegahertz * f_mhz);
  const Complex zout = real(n.rout) / Complex{1.0f, omega * n.cout * n.rout};
  const Complex y = real(1.0f) / (lossy_coil(n.l2 * omega, n.q0) + zout);
  const float rmid = 1.0f / y.re;
  const float cl = -y.im / omega;
  row.design.rmid = rmid;

  const CoilLoadedQ q = fixed_coil_loaded_q(
      section_of(top), pi_section_inputs(row.design), range);
  row.fit = q.fit;
  if (q.fit != CoilFit::kMatched) return row;
  row.design.qn = q.qn;
  // The pi section's elements and sweep plan are all that the network
  // takes of it: its synthesis's closed form, no sweep of its own.
  const Design section = section_of(row.design);
  const Tank& tank = section.details.tank;
  PiLNetwork built = n;
  built.c1 = tank.c1;
  built.l1 = tank.l;
  built.cmid = tank.c2 + cl;
  // The L section's shunt capacitor: what it adds at the middle, or the
  // fixed one across the load.
  const float l_shunt = top.cl_at_middle ? cl : n.cout;
  row.design = designed(row.design, built, section, l_shunt);
  return row;
}

}  // namespace merid
