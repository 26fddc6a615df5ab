// The harmonics both networks put into the load, held against a nodal
// analysis written out in double precision with the parts' strays; the
// searches for the loaded Q and the RMID that meet a limit; the rules of
// the data file; the warning of a harmonic beyond the coils' resonance.

#include "design/emissions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <string_view>

#include "base/inputs.h"
#include "calc/cosine_pulses.h"
#include "design/amplifier_report.h"
#include "design/emission_rules.h"
#include "design/pi_l_network.h"
#include "design/pi_network.h"
#include "tests/support/design_values.h"
#include "tests/support/ladder_model.h"

namespace merid {
namespace {

using model::Cx;

// The network's nodes (input, middle, and the output after L2 where there
// is one) solved for 1 A into the input with `rp` across it: every coil
// X / q0 in series with its inductance and `coil_c` across both, each
// capacitor with its lead in series.
struct Nodal {
  Cx v_out;
  double p_ladder = 0.0;  // into the network, not rp
  double p_load = 0.0;
};

Nodal Solve(const Ladder& n, double coil_c, double c1_lead, double c2_lead,
            double rp, double f) {
  const double w = 2.0 * std::numbers::pi * f;
  const auto capacitor = [w](double c, double lead) {
    return model::inverse(Cx{0.0, w * lead - 1.0 / (w * c)});
  };
  const auto coil = [&](double l) {
    return model::inverse(Cx{w * l / n.q0, w * l}) + Cx{0.0, w * coil_c};
  };
  const int count = n.l2 > 0.0 ? 3 : 2;
  const int out = count - 1;
  Cx y[3][3] = {};
  Cx v[3] = {Cx{1.0, 0.0}, Cx{}, Cx{}};  // the injected currents, then V
  const auto shunt = [&](int k, Cx a) { y[k][k] = y[k][k] + a; };
  const auto series = [&](int a, int b, Cx g) {
    shunt(a, g);
    shunt(b, g);
    y[a][b] = y[a][b] - g;
    y[b][a] = y[b][a] - g;
  };
  if (std::isfinite(rp)) shunt(0, Cx{1.0 / rp, 0.0});
  shunt(0, capacitor(n.c1, c1_lead));
  series(0, 1, coil(n.l1));
  shunt(1, capacitor(n.cmid, c2_lead));
  if (count == 3) series(1, 2, coil(n.l2));
  if (n.cout > 0.0) shunt(out, capacitor(n.cout, c2_lead));
  shunt(out, Cx{1.0 / n.rout, 0.0});
  // Gaussian elimination, then back substitution.
  for (int k = 0; k < count; ++k) {
    for (int r = k + 1; r < count; ++r) {
      const Cx m = y[r][k] / y[k][k];
      for (int c = k; c < count; ++c) y[r][c] = y[r][c] - m * y[k][c];
      v[r] = v[r] - m * v[k];
    }
  }
  for (int k = count - 1; k >= 0; --k) {
    for (int c = k + 1; c < count; ++c) v[k] = v[k] - y[k][c] * v[c];
    v[k] = v[k] / y[k][k];
  }
  Nodal s;
  s.v_out = v[out];
  const double in_rp = std::isfinite(rp) ? model::squared(v[0]) / rp : 0.0;
  s.p_ladder = v[0].re - in_rp;
  s.p_load = model::squared(v[out]) / n.rout;
  return s;
}

TankDesign DesignOf(const Network& network, const DesignInputs& inputs,
                    float rmid = NAN) {
  TankInputs in;
  static_cast<DesignInputs&>(in) = inputs;
  in.parameters[0] = rmid;
  return network.design(in);
}

AmplifierOptions WithEmissions(const EmissionOptions& e) {
  AmplifierOptions options;
  options.emissions = e;
  return options;
}

// The level of harmonic n against the carrier in the model: the pulses'
// ratio (checked in calc/cosine_pulses_test.cc) and the load voltages.
double ModelDbc(const DesignModel& d, const EmissionOptions& e, int n) {
  const Ladder l = d.ladder();
  const double rp = e.rp ? *e.rp : INFINITY;
  const auto v_load = [&](double f) {
    return model::abs(
        Solve(l, 1e-12 * e.coil_c, 1e-9 * e.c1_lead, 1e-9 * e.c2_lead, rp, f)
            .v_out);
  };
  const double f = 1e6 * d.inputs().f;
  const double ratio = std::fabs(harmonic_ratio(n, *e.conduction));
  const double pp = n % 2 == 0 ? e.push_pull_db.value_or(0.0f) : 0.0;
  return 20.0 * std::log10(ratio * v_load(n * f) / v_load(f)) - pp;
}

struct Case {
  const Network* network;
  DesignInputs inputs;
  EmissionOptions options;
};

EmissionOptions Strays(float conduction, float rp, float coil_c, float c1_lead,
                       float c2_lead) {
  EmissionOptions e;
  e.conduction = conduction;
  if (rp > 0.0f) e.rp = rp;
  e.coil_c = coil_c;
  e.c1_lead = c1_lead;
  e.c2_lead = c2_lead;
  return e;
}

// Pi: 10 m, its coil resonating near 3F; 160 m.  Pi-L: stepping down (CL at
// the middle) and up (COUT across the load).  The last has no strays and
// an ideal current source.
const Case kCases[] = {
    {&pi_network(),
     {28.5f, 12.0f, 200.0f, 2000.0f, 50.0f, 1500.0f},
     Strays(150.0f, 6000.0f, 3.0f, 20.0f, 15.0f)},
    {&pi_network(),
     {1.85f, 10.0f, 150.0f, 3000.0f, 50.0f, 1000.0f},
     Strays(120.0f, 30000.0f, 8.0f, 40.0f, 60.0f)},
    {&pi_l_network(),
     {7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f},
     Strays(240.0f, 9000.0f, 2.0f, 25.0f, 30.0f)},
    {&pi_l_network(),
     {14.2f, 10.0f, 200.0f, 12.5f, 50.0f, 100.0f},
     Strays(200.0f, 40.0f, 1.5f, 10.0f, 12.0f)},
    {&pi_l_network(),
     {21.2f, 15.0f, 300.0f, 1500.0f, 75.0f, 200.0f},
     Strays(160.0f, 0.0f, 0.0f, 0.0f, 0.0f)},
};

TEST(Emissions, LevelsAreTheNodalAnalysisOfTheNetworkWithItsStrays) {
  for (const Case& c : kCases) {
    const TankDesign d = DesignOf(*c.network, c.inputs);
    ASSERT_TRUE(d->feasible());
    // The ladder analysed is the network the design shows.
    const Ladder l = d->ladder();
    const model::Ladder shown = model::ladder_of(*d);
    const double pairs[][2] = {{l.c1, shown.c1},     {l.l1, shown.l1},
                               {l.cmid, shown.cmid}, {l.l2, shown.l2},
                               {l.cout, shown.cout}, {l.rout, shown.load.re}};
    for (const auto& p : pairs) EXPECT_NEAR(p[0], p[1], 1e-6 * p[1]);
    const Emissions e = emissions(*d, WithEmissions(c.options));
    for (const HarmonicEmission& h : e.harmonics) {
      EXPECT_NEAR(h.dbc, ModelDbc(*d, c.options, h.n), 1e-6)
          << c.network->name << " " << c.inputs.f << " n = " << h.n;
    }
    const double rp = c.options.rp ? *c.options.rp : INFINITY;
    const Nodal at_f =
        Solve(d->ladder(), 1e-12 * c.options.coil_c, 1e-9 * c.options.c1_lead,
              1e-9 * c.options.c2_lead, rp, 1e6 * c.inputs.f);
    EXPECT_NEAR(e.carrier_watts / c.inputs.pin, at_f.p_load / at_f.p_ladder,
                1e-9);
  }
}

// The source at 11 RIN is the KI drive: the load voltage's transfer from F
// to nF is -KI, which it reaches as rp grows to 11 RIN.
TEST(Emissions, TheKiDriveGivesKi) {
  for (const Case& c : kCases) {
    const TankDesign d = DesignOf(*c.network, c.inputs);
    const auto transfer = [&](float rp, int n) {
      EmissionOptions e = Strays(150.0f, rp, 0.0f, 0.0f, 0.0f);
      const Emissions out = emissions(*d, WithEmissions(e));
      return out.harmonics[n - 2].dbc -
             20.0 * std::log10(std::fabs(harmonic_ratio(n, 150.0)));
    };
    const char* const kKi[] = {"ki", "ki3", "ki4", "ki5"};
    const float rin = c.inputs.rin;
    for (int n = 2; n <= 5; ++n) {
      const double ki = testing_support::value(*d, kKi[n - 2]);
      const double gap_at_rin = std::fabs(transfer(rin, n) + ki);
      const double gap_at_3 = std::fabs(transfer(3.0f * rin, n) + ki);
      EXPECT_NEAR(transfer(11.0f * rin, n), -ki, 1e-4) << n;
      EXPECT_GT(gap_at_rin, gap_at_3) << n;
      EXPECT_GT(gap_at_3, 0.01) << n;
    }
  }
}

TEST(Emissions, PushPullLowersOnlyTheEvenHarmonics) {
  const Case& c = kCases[2];
  const TankDesign d = DesignOf(*c.network, c.inputs);
  EmissionOptions balanced = c.options;
  balanced.push_pull_db = 25.0f;
  const Emissions single = emissions(*d, WithEmissions(c.options));
  const Emissions push_pull = emissions(*d, WithEmissions(balanced));
  for (int i = 0; i < kHarmonicCount; ++i) {
    const double lowered = single.harmonics[i].dbc - push_pull.harmonics[i].dbc;
    EXPECT_NEAR(lowered, push_pull.harmonics[i].n % 2 == 0 ? 25.0 : 0.0, 1e-9);
  }
  EXPECT_EQ(single.carrier_watts, push_pull.carrier_watts);
}

// The loaded Q typed as the decimal of `thousandths`.
float TypedQn(long thousandths) {
  char text[32];
  std::snprintf(text, sizeof text, "%ld.%03ld", thousandths / 1000,
                thousandths % 1000);
  return std::strtof(text, nullptr);
}

// The least margin of the design at `qn` (the pi network), none where it
// is infeasible.
std::optional<double> MarginAtQn(const DesignInputs& inputs, float qn,
                                 const AmplifierOptions& options) {
  DesignInputs at = inputs;
  at.qn = qn;
  const TankDesign d = DesignOf(pi_network(), at);
  if (!d->feasible()) return std::nullopt;
  return emissions(*d, options).worst_margin;
}

TEST(LimitSearch, PiFindsTheLowestLoadedQThatMeetsTheMargin) {
  EmissionOptions us = Strays(240.0f, 0.0f, 3.0f, 0.0f, 0.0f);
  us.rule = "us";
  EmissionOptions own = Strays(150.0f, 20000.0f, 4.0f, 30.0f, 20.0f);
  own.limit_db = 40.0f;
  own.margin = 3.0f;
  const struct {
    DesignInputs inputs;
    EmissionOptions e;
  } kSearches[] = {{{28.5f, 12.0f, 200.0f, 2000.0f, 50.0f, 1500.0f}, us},
                   {{3.6f, 12.0f, 200.0f, 3000.0f, 50.0f, 1000.0f}, own}};
  for (const auto& s : kSearches) {
    const AmplifierOptions options = WithEmissions(s.e);
    const TankDesign d = DesignOf(pi_network(), s.inputs);
    const std::optional<LimitSearch> search = emissions(*d, options).search;
    ASSERT_TRUE(search && search->value) << s.inputs.f;
    EXPECT_EQ(search->key, "qn_for_limit");
    const long k = std::lround(*search->value * 1000.0);
    ASSERT_EQ(*search->value, TypedQn(k));
    const std::optional<double> at = MarginAtQn(s.inputs, TypedQn(k), options);
    ASSERT_TRUE(at);
    EXPECT_GE(*at, s.e.margin_db());
    const std::optional<double> below =
        MarginAtQn(s.inputs, TypedQn(k - 1), options);
    EXPECT_TRUE(!below || *below < s.e.margin_db()) << *below;
    // Nor does any lower loaded Q on a coarser grid.
    for (long q = 1000; q < k; q += 250) {
      const std::optional<double> m = MarginAtQn(s.inputs, TypedQn(q), options);
      EXPECT_TRUE(!m || *m < s.e.margin_db()) << q << " " << *m;
    }
  }
}

TEST(LimitSearch, PiShortfallIsMeasuredAtTheHighestLoadedQ) {
  EmissionOptions e = Strays(120.0f, 0.0f, 0.0f, 0.0f, 0.0f);
  e.limit_db = 150.0f;
  const AmplifierOptions options = WithEmissions(e);
  const DesignInputs inputs{7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f};
  const std::optional<LimitSearch> search =
      emissions(*DesignOf(pi_network(), inputs), options).search;
  ASSERT_TRUE(search);
  EXPECT_FALSE(search->value);
  const std::optional<double> best =
      MarginAtQn(inputs, accepted_loaded_q(inputs.q0).high, options);
  ASSERT_TRUE(best && search->shortfall);
  EXPECT_NEAR(*search->shortfall, 6.0 - *best, 1e-9);
  EXPECT_GT(*search->shortfall, 0.0);
}

TEST(LimitSearch, PiLFindsTheRmidNearestItsOwnThatMeetsTheLimit) {
  EmissionOptions e = Strays(180.0f, 10000.0f, 2.0f, 20.0f, 20.0f);
  const DesignInputs inputs{7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f};
  const auto search_with = [&](float limit) {
    e.limit_db = limit;
    return emissions(*DesignOf(pi_l_network(), inputs), WithEmissions(e))
        .search;
  };
  const auto margin = [&](double rmid) {
    const TankDesign d =
        DesignOf(pi_l_network(), inputs, static_cast<float>(rmid));
    return d->feasible() ? *emissions(*d, WithEmissions(e)).worst_margin
                         : -INFINITY;
  };
  // The design's own RMID (316) meets 40 dBc by far: it is kept.
  const std::optional<LimitSearch> kept = search_with(40.0f);
  ASSERT_TRUE(kept && kept->value);
  EXPECT_EQ(kept->key, "rmid_for_limit");
  EXPECT_EQ(*kept->value, 316.0);
  // 48.5 dBc it misses by half a dB: the nearest RMID that meets it lies
  // above, strictly between the ends, and a unit of its third digit
  // nearer 316 misses.
  const std::optional<LimitSearch> moved = search_with(48.5f);
  ASSERT_TRUE(moved && moved->value);
  EXPECT_LT(margin(316.0), 6.0);
  EXPECT_GT(*moved->value, 316.0);
  EXPECT_LT(*moved->value, inputs.rin);
  EXPECT_GE(margin(*moved->value), 6.0);
  const double unit = std::pow(10.0, std::floor(std::log10(*moved->value)) - 2);
  EXPECT_LT(margin(*moved->value - unit), 6.0);
  // 80 dBc none meets: the shortfall is what the best RMID lacks, no
  // more than any other lacks.
  const std::optional<LimitSearch> none = search_with(80.0f);
  ASSERT_TRUE(none);
  EXPECT_FALSE(none->value);
  ASSERT_TRUE(none->shortfall);
  for (const double rmid : {60.0, 200.0, 316.0, 1000.0, 1800.0}) {
    EXPECT_LE(*none->shortfall, 6.0 - margin(rmid) + 1e-9) << rmid;
  }
}

TEST(EmissionRules, UsByFrequencyAndPower) {
  const EmissionRule* us = find_emission_rule("us");
  ASSERT_NE(us, nullptr);
  EXPECT_EQ(find_emission_rule("nowhere"), nullptr);
  const auto limit = [us](double f, double w) {
    return rule_limit_dbc(*us, f, w).value_or(NAN);
  };
  EXPECT_NEAR(limit(1.85, 1500.0), -43.0, 1e-12);
  EXPECT_NEAR(limit(29.99, 0.05), -43.0, 1e-12);
  EXPECT_NEAR(limit(50.0, 26.0), -60.0, 1e-12);
  EXPECT_NEAR(limit(30.0, 1500.0), -60.0, 1e-12);
  // Up to 25 W: 40 dB below but at most 25 uW, and never below 10 uW.
  EXPECT_NEAR(limit(50.0, 10.0), 10.0 * std::log10(25e-6 / 10.0), 1e-12);
  EXPECT_NEAR(limit(50.0, 25.0), -60.0, 1e-12);
  EXPECT_NEAR(limit(144.0, 0.2), -40.0, 1e-12);
  EXPECT_NEAR(limit(50.0, 0.05), 10.0 * std::log10(10e-6 / 0.05), 1e-12);
  EXPECT_FALSE(rule_limit_dbc(*us, 225.0, 100.0));

  // The design's own F and carrier choose the band.
  EmissionOptions e;
  e.rule = "us";
  for (const float f : {28.5f, 50.1f}) {
    const TankDesign d =
        DesignOf(pi_network(), {f, 12.0f, 200.0f, 2000.0f, 50.0f, 10.0f});
    const Emissions out = emissions(*d, WithEmissions(e));
    for (const HarmonicEmission& h : out.harmonics) {
      EXPECT_EQ(*h.limit_dbc, limit(f, out.carrier_watts)) << f;
    }
  }
}

// The coil_c that puts the coils' lowest self-resonance at `f` Hz.
float CoilCForResonance(const DesignModel& d, double f) {
  const Ladder l = d.ladder();
  const double w = 2.0 * std::numbers::pi * f;
  return static_cast<float>(1e12 / (w * w * std::max(l.l1, l.l2)));
}

TEST(Emissions, WarnsOfAHarmonicAtOrAboveTheCoilsResonance) {
  const DesignInputs inputs{14.2f, 10.0f, 200.0f, 3000.0f, 50.0f, 1000.0f};
  for (const Network* network : {&pi_network(), &pi_l_network()}) {
    const TankDesign d = DesignOf(*network, inputs);
    const auto warning = [&](double srf_over_f) {
      EmissionOptions e;
      e.coil_c = CoilCForResonance(*d, srf_over_f * 14.2e6);
      const AmplifierReport r = amplifier_report(*d, WithEmissions(e));
      std::optional<DesignWarning> found;
      for (const DesignWarning& w : r.warnings) {
        if (w.code == WarningCode::kHarmonicAboveCoilSrf) found = w;
      }
      return found;
    };
    const std::optional<DesignWarning> at_4 = warning(3.5);
    ASSERT_TRUE(at_4) << network->name;
    EXPECT_NEAR(at_4->figure, 3.5 * 14.2, 1e-4);
    EXPECT_EQ(at_4->context, 4.0);
    const std::optional<DesignWarning> at_5 = warning(5.0 * (1.0 - 1e-6));
    ASSERT_TRUE(at_5) << network->name;
    EXPECT_EQ(at_5->context, 5.0);
    EXPECT_FALSE(warning(5.0 * (1.0 + 1e-6))) << network->name;
  }
}

// A harmonic above the limit warns, one warning for each, with its level
// and the limit; one that meets the limit does not.
TEST(Emissions, WarnsOfEachHarmonicAboveTheLimit) {
  const TankDesign d =
      DesignOf(pi_network(), {7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f});
  const auto above = [&](float limit_db) {
    EmissionOptions e;
    e.limit_db = limit_db;
    const AmplifierReport r = amplifier_report(*d, WithEmissions(e));
    std::vector<DesignWarning> out;
    for (const DesignWarning& w : r.warnings) {
      if (w.code == WarningCode::kHarmonicAboveLimit) out.push_back(w);
    }
    for (const HarmonicEmission& h : r.emissions->harmonics) {
      const bool warned = std::any_of(out.begin(), out.end(), [&](auto& w) {
        return w.subject == std::to_string(h.n) + "F";
      });
      EXPECT_EQ(warned, !*h.pass) << h.n << "F at " << limit_db << " dB";
      if (warned) {
        EXPECT_GT(h.dbc, *h.limit_dbc);
      }
    }
    return out;
  };
  EXPECT_TRUE(above(40.0f).empty());
  const std::vector<DesignWarning> strict = above(80.0f);
  ASSERT_FALSE(strict.empty());
  EXPECT_EQ(strict.front().subject, "2F");
  EXPECT_EQ(strict.front().context, -80.0);
}

}  // namespace
}  // namespace merid
