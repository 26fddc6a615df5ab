// Both networks under a mismatched load, held against the ladder written
// out in double precision: the power the levelled drive puts in, each
// drive's extremes over the circle, and the tank retuned into every load.

#include "design/load_swr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "calc/mismatch.h"
#include "design/pi_l_network.h"
#include "design/pi_network.h"
#include "tests/support/ladder_model.h"

namespace merid {
namespace {

using model::Cx;
using testing_support::value;

struct Case {
  std::string_view label;
  const Network* network;
  DesignInputs inputs;
  float rmid = NAN;  // pi-L: NaN for the default
};

// Pi: step down, 160 m with C2 above 1000 pF, step up.  Pi-L: step down at
// the default RMID, step up (COUT across the load), RMID given.
const Case kCases[] = {
    {"pi 7.1", &pi_network(), {7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f}},
    {"pi 1.85", &pi_network(), {1.85f, 10.0f, 150.0f, 3000.0f, 50.0f, 1000.0f}},
    {"pi 14.2", &pi_network(), {14.2f, 10.0f, 250.0f, 20.0f, 50.0f, 50.0f}},
    {"pi-l 7.1",
     &pi_l_network(),
     {7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f}},
    {"pi-l up", &pi_l_network(), {7.1f, 10.0f, 200.0f, 12.5f, 50.0f, 100.0f}},
    {"pi-l 600",
     &pi_l_network(),
     {14.2f, 15.0f, 300.0f, 1500.0f, 75.0f, 200.0f},
     600.0f},
};

TankDesign DesignOf(const Case& c) {
  TankInputs in;
  static_cast<DesignInputs&>(in) = c.inputs;
  in.parameters[0] = c.rmid;
  return c.network->design(in);
}

// `a` at one load, a batch of one: the quantities under `drive`.
void quantities_at(const SwrAnalysis& a, SwrDrive drive, Complex load,
                   std::span<float> values) {
  bool given = false;
  a.at(drive, LoadBatch{std::span(&load, 1), values.first(a.quantities),
                        std::span(&given, 1)});
}

// The tank retuned into one load: its setting and quantities, or none.
std::optional<TunedSetting> retuned_at(const SwrAnalysis& a, Complex load,
                                       std::span<float> values) {
  bool given = false;
  TunedSetting setting;
  a.retuned(LoadBatch{std::span(&load, 1), values.first(a.quantities),
                      std::span(&given, 1)},
            std::span(&setting, 1));
  if (!given) return std::nullopt;
  return setting;
}

// A batch longer than a block and not a whole number of vectors gives each
// load the bits that load gives alone: the blocks and their padding take
// nothing from their neighbours.
TEST(LoadSwr, ABatchGivesEachLoadItsOwnBits) {
  for (const Case& c : {kCases[0], kCases[3]}) {
    SCOPED_TRACE(c.label);
    const TankDesign d = DesignOf(c);
    const SwrAnalysis a = d->swr_analysis();
    std::vector<Complex> loads = circle_loads(a.rout, 10.0f);
    for (int k = 0; k < 77; ++k)
      loads.push_back(swr_load(a.rout, 3.0f, k + 0.5));
    const std::size_t m = loads.size();  // 437: one whole block and a rest
    std::vector<float> values(a.quantities * m);
    const auto given = std::make_unique<bool[]>(m);
    std::vector<TunedSetting> settings(m);
    std::vector<float> one(a.quantities);
    const LoadBatch batch{loads, values, std::span(given.get(), m)};
    const auto same = [&](std::size_t j) {
      for (std::size_t q = 0; q < a.quantities; ++q) {
        ASSERT_EQ(std::bit_cast<std::uint32_t>(batch.value(q, j)),
                  std::bit_cast<std::uint32_t>(one[q]))
            << "load " << j << " quantity " << q;
      }
    };
    a.at(SwrDrive::kLevelled, batch);
    for (std::size_t j = 0; j < m; ++j) {
      quantities_at(a, SwrDrive::kLevelled, loads[j], one);
      same(j);
    }
    a.retuned(batch, settings);
    for (std::size_t j = 0; j < m; ++j) {
      const std::optional<TunedSetting> alone = retuned_at(a, loads[j], one);
      ASSERT_EQ(given[j], alone.has_value()) << "load " << j;
      if (alone) same(j);
    }
  }
}

std::size_t SwrIndex(const DesignModel& d, std::string_view name) {
  const auto fields = d.network().swr_fields;
  return std::find_if(fields.begin(), fields.end(),
                      [name](const SwrField& f) { return f.name == name; }) -
         fields.begin();
}

// The product's quantity of the swr field `name` among `q`.
double Quantity(const DesignModel& d, std::span<const float> q,
                std::string_view name) {
  return q[d.network().swr_fields[SwrIndex(d, name)].quantity];
}

// The design's ladder, the drives as the amplifier gives them, and every
// setting of C1 > 0, C2 > 0 (pi-L: the middle capacitor) that shows RIN.
struct Model {
  model::Ladder ladder;
  double f, rin, rout, pin;

  explicit Model(const DesignModel& d)
      : ladder(model::ladder_of(d)),
        f(1e6 * d.inputs().f),
        rin(d.inputs().rin),
        rout(d.inputs().rout),
        pin(d.inputs().pin) {}

  model::Ladder into(Cx load) const {
    model::Ladder n = ladder;
    n.load = load;
    return n;
  }

  model::LadderState driven(SwrDrive drive, Cx load) const {
    const double uin = std::sqrt(rin * pin);
    if (drive == SwrDrive::kMatched) {
      return model::solve_ladder(into(load), f, 2.0 * uin, rin);
    }
    if (drive == SwrDrive::kHighImpedance) {
      return model::solve_ladder(into(load), f, 11.0 * uin, 11.0 * rin);
    }
    return model::levelled_ladder(into(load), f, rin, pin);
  }

  // The real part of the admittance through L1 scanned over C2 on a log
  // scale from 0 to 1 mF, its crossings of 1/RIN bisected; C1 cancels the
  // rest.
  struct Setting {
    double c1, c2;
  };
  std::vector<Setting> settings(Cx load) const {
    const double w = model::omega_of(f);
    const Cx y_node = model::inverse(model::l_branch(into(load), w));
    const Cx coil = model::coil_of(w, ladder.l1, ladder.q0);
    const auto through = [&](double c2) {
      return model::inverse(coil + model::inverse(y_node + Cx{0.0, w * c2}));
    };
    const auto low = [&](double c2) { return through(c2).re < 1.0 / rin; };
    std::vector<Setting> out;
    for (int i = 0; i <= 13 * 200; ++i) {
      double a = i == 0 ? 0.0 : 1e-16 * std::pow(10.0, (i - 1) / 200.0);
      double b = 1e-16 * std::pow(10.0, i / 200.0);
      if (low(a) == low(b)) continue;
      for (int n = 0; n < 100; ++n) {
        const double m = 0.5 * (a + b);
        (low(m) == low(a) ? a : b) = m;
      }
      const double c1 = -through(a).im / w;
      if (c1 > 0.0 && a > 0.0) out.push_back({c1, a});
    }
    return out;
  }
};

// A swr field in the model: its quantity (the name less _min, _max,
// _peak), negated for a least value, times sqrt(2) for a peak.
struct Reading {
  std::string_view base;
  double sign = 1.0, scale = 1.0;
  explicit Reading(std::string_view name) : base(name) {
    const auto strip = [this](std::string_view suffix) {
      if (!base.ends_with(suffix)) return false;
      base.remove_suffix(suffix.size());
      return true;
    };
    if (strip("_peak")) scale = std::numbers::sqrt2;
    if (strip("_min")) sign = -1.0;
    strip("_max");
  }
  double of(const model::LadderState& s, double rin) const {
    using model::abs;
    const Cx r{rin, 0.0};
    const std::string_view b = base;
    const double v = b == "uc1"                   ? abs(s.v_in)
                     : b == "uc2" || b == "ucmid" ? abs(s.v_mid)
                     : b == "ucout"               ? abs(s.v_out)
                     : b == "ul" || b == "ul1"    ? abs(s.v_l1)
                     : b == "ul2"                 ? abs(s.v_l2)
                     : b == "ic1"                 ? abs(s.i_c1)
                     : b == "ic2" || b == "icmid" ? abs(s.i_cmid)
                     : b == "il" || b == "il1"    ? abs(s.i_l1)
                     : b == "il2"                 ? abs(s.i_l2)
                     : b == "icout"               ? abs(s.i_cout)
                     : b == "pload"               ? s.p_load
                     : b == "ploss"               ? s.p_loss
                     : b == "r"                   ? s.zin.re
                     : b == "x"                   ? s.zin.im
                     : b == "s11" ? abs((s.zin - r) / (s.zin + r))
                                  : NAN;
    return sign * v;
  }
};

// The model's figures of `drive` over the circle of `swr`, by the fields:
// each largest of a scan 20 times finer than the calculation's, refined by
// golden section between the neighbours of its best step.
std::vector<double> ModelFigures(const Model& m, SwrDrive drive, double swr,
                                 std::span<const SwrField> fields) {
  constexpr int kSteps = 20 * kSwrPhases;
  const double g = (swr - 1.0) / (swr + 1.0);
  const auto state = [&](double step) {
    const double phase = 2.0 * std::numbers::pi * step / kSteps;
    const Cx gamma{g * std::cos(phase), g * std::sin(phase)};
    const Cx one{1.0, 0.0};
    return m.driven(drive, Cx{m.rout, 0.0} * (one + gamma) / (one - gamma));
  };
  std::vector<model::LadderState> scan;
  for (int k = 0; k < kSteps; ++k) scan.push_back(state(k));
  std::vector<double> out;
  for (const SwrField& field : fields) {
    const Reading r(field.name);
    const auto at = [&](double step) { return r.of(state(step), m.rin); };
    const auto best = std::max_element(scan.begin(), scan.end(),
                                       [&](const auto& x, const auto& y) {
                                         return r.of(x, m.rin) < r.of(y, m.rin);
                                       });
    double lo = best - scan.begin() - 1.0;
    double hi = lo + 2.0;
    for (int n = 0; n < 60; ++n) {
      const double a = hi - (hi - lo) / std::numbers::phi;
      const double b = lo + (hi - lo) / std::numbers::phi;
      const bool rising = at(a) < at(b);
      (rising ? lo : hi) = rising ? a : b;
    }
    const double top = std::max(r.of(*best, m.rin), at(0.5 * (lo + hi)));
    out.push_back(r.sign * r.scale * top);
  }
  return out;
}

// The capacitors are lossless, so what goes in is the load's power and the
// coils' loss.  Single precision does not hold their sum to 1e-6: at SWR
// 10 a step-up tank's currents carry some thirty units in the last place
// (3.6e-6 of PIN for pi 14.2, where the model puts the same PIN in), so
// 4e-6.  The power at the input, uc1^2 Re(1/Zin), holds to 1e-6.
constexpr double kPowerTolerance = 4e-6;

TEST(LoadSwr, LevelledDrivePutsPinInAtEveryPhase) {
  for (const Case& c : kCases) {
    const TankDesign d = DesignOf(c);
    const SwrAnalysis a = d->swr_analysis();
    std::vector<float> q(a.quantities);
    const double pin = c.inputs.pin;
    for (const float swr : {3.0f, 10.0f}) {
      for (int k = 0; k < kSwrPhases; ++k) {
        SCOPED_TRACE(testing::Message()
                     << c.label << " swr " << swr << " step " << k);
        quantities_at(a, SwrDrive::kLevelled, swr_load(a.rout, swr, k), q);
        EXPECT_NEAR(Quantity(*d, q, "pload") + Quantity(*d, q, "ploss"), pin,
                    kPowerTolerance * pin);
        const double u = Quantity(*d, q, "uc1");
        const double r = Quantity(*d, q, "r_max");
        const double x = Quantity(*d, q, "x_max");
        EXPECT_NEAR(u * u * r / (r * r + x * x), pin, 1e-6 * pin);
      }
    }
  }
}

TEST(LoadSwr, EachDrivesExtremesAreThoseOfTheLadder) {
  constexpr SwrDrive kDrives[] = {SwrDrive::kMatched, SwrDrive::kHighImpedance,
                                  SwrDrive::kLevelled};
  for (const Case& c : kCases) {
    const TankDesign d = DesignOf(c);
    const Model m(*d);
    const std::span<const SwrField> fields = d->network().swr_fields;
    for (const float swr : {1.0f, 3.0f, 10.0f}) {
      const LoadSwr got = load_swr(*d, SwrRequest{swr, false, {}});
      for (std::size_t i = 0; i < kSwrDriveCount; ++i) {
        const std::vector<double> want =
            ModelFigures(m, kDrives[i], swr, fields);
        for (std::size_t j = 0; j < fields.size(); ++j) {
          // Single precision against double: relative, against the larger
          // resistance for an impedance, absolute for |S11|.
          const std::string_view base = Reading(fields[j].name).base;
          const double tol = base == "r" || base == "x"
                                 ? 1e-5 * std::max(m.rin, m.rout)
                             : base == "s11" ? 1e-5
                                             : 1e-5 * std::fabs(want[j]);
          EXPECT_NEAR(got.drives[i].values[j], want[j], tol)
              << c.label << " swr " << swr << " " << swr_drive_name(kDrives[i])
              << " " << fields[j].name;
        }
      }
    }
  }
}

// Where the model finds a setting the tank is retuned, with the one whose
// C2 lies nearest the design's, and the model sees RIN through it; where
// it finds none, neither does the product.
TEST(LoadSwr, RetunedWhereverTheLadderCanShowRin) {
  int unmatched = 0;
  for (const Case& c : kCases) {
    const TankDesign d = DesignOf(c);
    const Model m(*d);
    const SwrAnalysis a = d->swr_analysis();
    std::vector<float> q(a.quantities);
    for (const float swr : {3.0f, 10.0f}) {
      const LoadSwr got = load_swr(*d, SwrRequest{swr, true, {}});
      int model_unmatched = 0;
      for (int k = 0; k < kSwrPhases; ++k) {
        SCOPED_TRACE(testing::Message()
                     << c.label << " swr " << swr << " step " << k);
        const Complex load = swr_load(a.rout, swr, k);
        const Cx z{load.re, load.im};
        const std::optional<TunedSetting> tuned = retuned_at(a, load, q);
        const bool matched = tuned.has_value();
        const std::vector<Model::Setting> settings = m.settings(z);
        EXPECT_EQ(matched, got.retuned->matched[k]);
        EXPECT_EQ(matched, !settings.empty());
        model_unmatched += settings.empty() ? 1 : 0;
        if (!matched || settings.empty()) continue;
        const TunedSetting& s = *tuned;
        const Model::Setting near =
            *std::min_element(settings.begin(), settings.end(),
                              [&m](const auto& x, const auto& y) {
                                return std::fabs(x.c2 - m.ladder.cmid) <
                                       std::fabs(y.c2 - m.ladder.cmid);
                              });
        EXPECT_NEAR(s.c1, 1e12 * near.c1, 1e-4 * 1e12 * near.c1);
        EXPECT_NEAR(s.c2, 1e12 * near.c2, 1e-4 * 1e12 * near.c2);
        model::Ladder retuned = m.into(z);
        retuned.c1 = 1e-12 * s.c1;
        retuned.cmid = 1e-12 * s.c2;
        const Cx zin = model::zin_of(retuned, m.f);
        EXPECT_NEAR(zin.re, m.rin, 1e-4 * m.rin);
        EXPECT_NEAR(zin.im, 0.0, 1e-4 * m.rin);
        EXPECT_NEAR(Quantity(*d, q, "pload") + Quantity(*d, q, "ploss"), m.pin,
                    kPowerTolerance * m.pin);
      }
      EXPECT_EQ(got.retuned->unmatched, model_unmatched) << c.label << swr;
      unmatched += model_unmatched;
    }
  }
  EXPECT_GT(unmatched, 0);  // some loads are beyond the fixed coils
}

// At SWR 1 the only load is ROUT: the matched drive gives the design's own
// stresses (the pi network's node voltages are nominal ones, to rounding),
// the levelled one the same to the design's mismatch, and the retuned tank
// is the design.
TEST(LoadSwr, SwrOneGivesTheDesignsFigures) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    const TankDesign d = DesignOf(c);
    const bool pi = &d->network() == &pi_network();
    const LoadSwr got = load_swr(*d, SwrRequest{1.0f, true, {}});
    const auto fields = d->network().swr_fields;
    for (std::size_t j = 0; j < fields.size(); ++j) {
      if (!fields[j].rating || fields[j].take != SwrField::Take::kValue) {
        continue;
      }
      const std::string_view n = fields[j].name;
      const std::string_view key = n == "uc1"                   ? "uin"
                                   : n == "uc2" || n == "ucout" ? "uout"
                                   : n == "ucmid"               ? "umid"
                                                                : n;
      const float want = value(*d, key);
      const float matched = got.drives[0].values[j];
      if (pi && key.starts_with("u") && key != "ul") {
        EXPECT_NEAR(matched, want, 1e-4 * want) << n;
      } else {
        EXPECT_EQ(std::bit_cast<std::uint32_t>(matched),
                  std::bit_cast<std::uint32_t>(want))
            << n;
      }
      EXPECT_NEAR(got.drives[2].values[j], want, 1e-4 * want) << n;
    }
    EXPECT_EQ(got.retuned->unmatched, 0);
    const float c1 = value(*d, d->network().tuned_capacitors[0]);
    const float c2 = value(*d, d->network().tuned_capacitors[1]);
    for (const TunedSetting& s : {got.retuned->least, got.retuned->largest}) {
      EXPECT_NEAR(s.c1, c1, 1e-4 * c1);
      EXPECT_NEAR(s.c2, c2, 1e-4 * c2);
    }
  }
}

// Ranges from the least to the largest setting reach every load a setting
// matches; narrowed, the steps whose settings still lie within them.
TEST(LoadSwr, MatchableCountsTheSettingsWithinTheRanges) {
  for (const Case& c : {kCases[0], kCases[3]}) {
    SCOPED_TRACE(c.label);
    const TankDesign d = DesignOf(c);
    const SwrAnalysis a = d->swr_analysis();
    const RetunedFigures r = *load_swr(*d, SwrRequest{3.0f, true, {}}).retuned;
    EXPECT_FALSE(r.matchable.has_value());
    SwrRequest request{3.0f, true, {}};
    CapacitorRanges& bench = request.capacitors;
    bench.c1 = CapacitorRange{r.least.c1, r.largest.c1};
    bench.c2 = CapacitorRange{r.least.c2, r.largest.c2};
    EXPECT_EQ(load_swr(*d, request).retuned->matchable,
              kSwrPhases - r.unmatched);

    bench.c1->high -= 0.05f * (r.largest.c1 - r.least.c1);
    bench.c2->low += 0.05f * (r.largest.c2 - r.least.c2);
    const auto within = [](const CapacitorRange& range, float x) {
      return x >= range.low && x <= range.high;
    };
    std::vector<float> q(a.quantities);
    int inside = 0;
    for (int k = 0; k < kSwrPhases; ++k) {
      const std::optional<TunedSetting> s =
          retuned_at(a, swr_load(a.rout, 3.0f, k), q);
      inside += s && within(*bench.c1, s->c1) && within(*bench.c2, s->c2);
    }
    EXPECT_LT(inside, kSwrPhases - r.unmatched);
    EXPECT_EQ(load_swr(*d, request).retuned->matchable, inside);
  }
}

}  // namespace
}  // namespace merid
