#include "design/emissions.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "calc/constants.h"
#include "calc/cosine_pulses.h"
#include "calc/current_drive.h"
#include "design/emission_rules.h"
#include "design/network.h"

namespace merid {
namespace {

constexpr double kHenriesPerNanohenry = 1e-9;
// A harmonic the pulses have less of than this, relative to the
// fundamental, is none at all (the odd ones at 180 degrees come out as
// rounding).
constexpr double kNoHarmonic = 1e-9;
// The RMID search: a scan of the range on a log scale, then golden-section
// steps around the best point, the result to three significant digits.
constexpr int kRmidScan = 48;
constexpr int kRmidSteps = 40;

// What the harmonic analysis takes of the options.
struct PulseDrive {
  double conduction = 0.0;
  double push_pull_db = 0.0;
  double rp = INFINITY;
  Strays strays;
};

PulseDrive drive_of(const AmplifierOptions& options) {
  const EmissionOptions& e = *options.emissions;
  PulseDrive d;
  d.conduction = conduction_of(options);
  d.push_pull_db = e.push_pull_db.value_or(0.0f);
  if (e.rp) d.rp = *e.rp;
  d.strays =
      Strays{kFaradsPerPicofarad * e.coil_c, kHenriesPerNanohenry * e.c1_lead,
             kHenriesPerNanohenry * e.c2_lead};
  return d;
}

// The harmonics of `ladder` at `f_mhz` driven from PIN: their level
// against the carrier in the load, and the carrier's power.
struct Levels {
  std::array<double, kHarmonicCount> dbc{};
  double carrier = 0.0;  // W
};

Levels levels(const Ladder& ladder, const PulseDrive& drive, double f_mhz,
              double pin) {
  const double f = kHertzPerMegahertz * f_mhz;
  const CurrentDrive at_f = current_drive(ladder, drive.strays, drive.rp, f);
  Levels out;
  out.carrier = pin * at_f.p_load / at_f.p_in;
  for (int i = 0; i < kHarmonicCount; ++i) {
    const int n = kFirstHarmonic + i;
    const double ratio = std::fabs(harmonic_ratio(n, drive.conduction));
    if (ratio < kNoHarmonic) {
      out.dbc[i] = -INFINITY;
      continue;
    }
    const CurrentDrive at_n =
        current_drive(ladder, drive.strays, drive.rp, n * f);
    out.dbc[i] = 20.0 * std::log10(ratio * at_n.v_load / at_f.v_load);
    if (n % 2 == 0) out.dbc[i] -= drive.push_pull_db;
  }
  return out;
}

// The limit on each harmonic of a station on `f_mhz` with the carrier
// `carrier` W: the rule's, or one's own; none where neither applies.
std::optional<double> limit_of(const EmissionOptions& e, double f_mhz,
                               double carrier) {
  if (e.limit_db) return -static_cast<double>(*e.limit_db);
  const EmissionRule* rule = find_emission_rule(e.rule);
  if (rule == nullptr) return std::nullopt;
  return rule_limit_dbc(*rule, f_mhz, carrier);
}

// The least margin over the harmonics there are.
std::optional<double> worst_margin(const Levels& lv, double limit) {
  std::optional<double> worst;
  for (const double dbc : lv.dbc) {
    if (std::isinf(dbc)) continue;
    const double m = limit - dbc;
    if (!worst || m < *worst) worst = m;
  }
  return worst.value_or(INFINITY);
}

// The least margin of the network at `x` of the search, or none where it
// is infeasible or no limit applies.
std::optional<double> margin_at(const LimitSearchSpace& space, double x,
                                const PulseDrive& drive,
                                const EmissionOptions& options, double f_mhz,
                                double pin) {
  const std::optional<Ladder> ladder = space.ladder_at(x);
  if (!ladder) return std::nullopt;
  const Levels lv = levels(*ladder, drive, f_mhz, pin);
  const std::optional<double> limit = limit_of(options, f_mhz, lv.carrier);
  if (!limit) return std::nullopt;
  return worst_margin(lv, *limit);
}

// Three significant digits, as a typed RMID would have them.
double three_digits(double x) {
  const double scale = std::pow(10.0, std::floor(std::log10(x)) - 2.0);
  return std::round(x / scale) * scale;
}

// Three significant digits one unit of the last further from `from`.
double three_digits_beyond(double x, double from) {
  const double scale = std::pow(10.0, std::floor(std::log10(x)) - 2.0);
  return three_digits(x) + (x > from ? scale : -scale);
}

// The value strictly inside the range, nearest `space.preferred` on a log
// scale, at which the margin reaches `need`: the preferred value itself
// where it does; else the edge of the nearest stretch that does, found by
// bisection from a scan of the range, to three significant digits on the
// side that meets; none, with the shortfall of the best scanned value,
// where nothing in the range does.
template <typename Margin>
LimitSearch nearest_meeting(const LimitSearchSpace& space, double need,
                            const Margin& margin) {
  LimitSearch out;
  out.key = space.key;
  if (!(space.high > space.low)) return out;
  const auto meets = [&](double x) {
    const std::optional<double> m = margin(x);
    return m && *m >= need;
  };
  const double from = space.preferred;
  if (from > space.low && from < space.high && meets(from)) {
    out.value = from;
    return out;
  }
  const double a = std::log(space.low);
  const double b = std::log(space.high);
  const double pref = std::log(from);
  double best = -INFINITY;
  std::optional<double> nearest;  // log of the nearest scanned value met
  for (int k = 1; k < kRmidScan; ++k) {
    const double u = a + (b - a) * k / kRmidScan;
    const std::optional<double> m = margin(std::exp(u));
    if (!m) continue;
    best = std::max(best, *m);
    if (*m >= need &&
        (!nearest || std::fabs(u - pref) < std::fabs(*nearest - pref))) {
      nearest = u;
    }
  }
  if (!nearest) {
    if (best > -INFINITY) out.shortfall = need - best;
    return out;
  }
  // Towards the preferred value, the edge of the stretch that meets.
  const double step = (b - a) / kRmidScan;
  double met = *nearest;
  double missed = std::clamp(*nearest + (pref > *nearest ? step : -step), a, b);
  for (int i = 0; i < kRmidSteps; ++i) {
    const double mid = (met + missed) / 2.0;
    if (meets(std::exp(mid))) {
      met = mid;
    } else {
      missed = mid;
    }
  }
  const double edge = std::exp(met);
  double x = three_digits(edge);
  if (!meets(x)) x = three_digits_beyond(edge, from);
  out.value = x > space.low && x < space.high && meets(x) ? x : edge;
  return out;
}

LimitSearch searched(const LimitSearchSpace& space, const PulseDrive& drive,
                     const EmissionOptions& options, double f_mhz, double pin) {
  LimitSearch out;
  out.key = space.key;
  const double need = options.margin_db();
  const auto margin = [&](double x) {
    return margin_at(space, x, drive, options, f_mhz, pin);
  };
  if (space.goal == LimitSearchSpace::Goal::kLowestLoadedQ) {
    const LoadedQRange range{static_cast<float>(space.low),
                             static_cast<float>(space.high)};
    const std::optional<float> qn = lowest_loaded_q_where(range, [&](float q) {
      const std::optional<double> m = margin(q);
      return m && *m >= need;
    });
    if (qn) {
      out.value = *qn;
    } else {
      // The largest loaded Q suppresses the most: its margin is the best.
      const std::optional<double> best = margin(range.high);
      out.shortfall = best ? need - *best : std::optional<double>();
    }
    return out;
  }
  return nearest_meeting(space, need, margin);
}

// The lowest self-resonance of the coils, MHz.
std::optional<double> coil_resonance(const Ladder& ladder,
                                     const Strays& strays) {
  if (!(strays.coil_c > 0.0)) return std::nullopt;
  double f = self_resonance(ladder.l1, strays.coil_c);
  if (ladder.l2 > 0.0) {
    f = std::min(f, self_resonance(ladder.l2, strays.coil_c));
  }
  return f / kHertzPerMegahertz;
}

}  // namespace

double conduction_of(const AmplifierOptions& options) {
  if (options.emissions && options.emissions->conduction) {
    return *options.emissions->conduction;
  }
  if (options.rin_from &&
      options.rin_from->device == RinEstimate::Device::kTube) {
    return class_conduction(options.rin_from->tube_class);
  }
  return class_conduction(TubeClass::kAB);
}

Emissions emissions(const DesignModel& d, const AmplifierOptions& options) {
  const EmissionOptions& e = *options.emissions;
  const PulseDrive drive = drive_of(options);
  const double f_mhz = d.inputs().f;
  const double pin = d.inputs().pin;
  const Ladder ladder = d.ladder();
  const Levels lv = levels(ladder, drive, f_mhz, pin);
  Emissions out;
  out.conduction = drive.conduction;
  out.rule = e.limit_db ? std::string_view("dbc") : std::string_view(e.rule);
  out.carrier_watts = lv.carrier;
  out.coil_srf_mhz = coil_resonance(ladder, drive.strays);
  const std::optional<double> limit = limit_of(e, f_mhz, lv.carrier);
  for (int i = 0; i < kHarmonicCount; ++i) {
    HarmonicEmission& h = out.harmonics[i];
    h.n = kFirstHarmonic + i;
    h.f_mhz = h.n * f_mhz;
    h.dbc = lv.dbc[i];
    h.watts = lv.carrier * std::pow(10.0, h.dbc / 10.0);
    h.dbm = 10.0 * std::log10(h.watts / 1e-3);
    if (limit) {
      h.limit_dbc = *limit;
      h.margin = *limit - h.dbc;
      h.pass = *h.margin >= 0.0;
    }
  }
  if (limit) out.worst_margin = worst_margin(lv, *limit);
  if (e.limited()) {
    const LimitSearchSpace space = d.limit_search();
    if (!space.key.empty()) {
      out.search = searched(space, drive, e, f_mhz, pin);
    }
  }
  return out;
}

}  // namespace merid
