// A network of given elements analysed instead of synthesised: a design's
// own elements give the design back, and at another frequency they give
// the ladder's figures under the drive that puts PIN in.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "design/network.h"
#include "design/pi_l_network.h"
#include "design/pi_network.h"
#include "tests/support/ladder_model.h"

namespace merid {
namespace {

using model::Cx;
using testing_support::value;

// Pi and pi-L, each stepping down and up.
std::vector<TankDesign> Designs() {
  using testing_support::design_of;
  return {
      design_of(pi_network(), 7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f),
      design_of(pi_network(), 14.2f, 10.0f, 250.0f, 20.0f, 50.0f, 50.0f),
      design_of(pi_l_network(), 7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f),
      design_of(pi_l_network(), 7.1f, 10.0f, 200.0f, 12.5f, 50.0f, 100.0f)};
}

// The network of the elements of `d`, as its fields show them, at f_mhz.
TankDesign Given(const DesignModel& d, float f_mhz) {
  TankInputs in;
  static_cast<DesignInputs&>(in) = d.inputs();
  in.f = f_mhz;
  in.qn = NAN;
  GivenElements e{};
  for (std::size_t i = 0; i < d.network().elements.size(); ++i) {
    e[i] = value(d, d.network().elements[i].key);
  }
  in.elements = e;
  return d.network().design(in);
}

// Every figure but the bands, which lie on the sweep grid of each one's
// own loaded Q.
TEST(GivenElements, ADesignsOwnElementsGiveItsFiguresBack) {
  for (const TankDesign& d : Designs()) {
    const TankDesign g = Given(*d, d->inputs().f);
    ASSERT_TRUE(g->feasible());
    for (const Field& field : d->network().fields) {
      const std::string_view key = field.key;
      const float want = d->number(field);
      if (key.empty() || key.starts_with("bw_") ||
          field.kind == FieldKind::kSweep || std::isnan(want)) {
        continue;
      }
      const double tol = key.starts_with("ku") || key.starts_with("ki") ? 1e-3
                         : key == "s11" || key == "s22"
                             ? 1e-4
                             : 1e-4 * std::fabs(want) + 1e-6;
      EXPECT_NEAR(g->number(field), want, tol)
          << d->network().name << " " << d->inputs().rin << " " << key;
    }
  }
}

// The elements of a design at 0.9 F: what the amplifier sees, and the
// stresses with PIN put in, those of the ladder driven behind RIN.
TEST(GivenElements, OffItsFrequencyTheNetworkIsTheLadders) {
  for (const TankDesign& d : Designs()) {
    SCOPED_TRACE(testing::Message()
                 << d->network().name << " " << d->inputs().rin);
    const float f_mhz = 0.9f * d->inputs().f;
    const TankDesign g = Given(*d, f_mhz);
    const model::Ladder n = model::ladder_of(*d);
    const double f = 1e6 * f_mhz;
    const double rin = d->inputs().rin;
    const double pin = d->inputs().pin;

    const Cx zin = model::zin_of(n, f);
    const std::optional<GivenFigures> seen = given_figures(*g);
    ASSERT_TRUE(seen.has_value());
    EXPECT_NEAR(seen->zin.re, zin.re, 1e-4 * model::abs(zin));
    EXPECT_NEAR(seen->zin.im, zin.im, 1e-4 * model::abs(zin));
    const double gamma =
        model::abs((zin - Cx{rin, 0.0}) / (zin + Cx{rin, 0.0}));
    const double swr = (1.0 + gamma) / (1.0 - gamma);
    EXPECT_NEAR(seen->swr, swr, 1e-4 * swr);

    const bool pi = &d->network() == &pi_network();
    const model::LadderState s = model::levelled_ladder(n, f, rin, pin);
    const double w = model::omega_of(f);
    const std::pair<std::string_view, double> kWant[] = {
        {"uin", model::abs(s.v_in)},
        {"uout", model::abs(s.v_out)},
        {pi ? "il" : "il1", model::abs(s.i_l1)},
        {pi ? "ic2" : "icmid", model::abs(s.i_cmid)},
        {"eta", 100.0 * s.p_load / pin},
        // The loaded Q: the reactive power in L1 over PIN.
        {"qn", model::squared(s.i_l1) * w * n.l1 / pin},
    };
    for (const auto& [key, want] : kWant) {
      EXPECT_NEAR(value(*g, key), want, 1e-4 * want) << key;
    }
    // Pi-L: the conductance the middle node sees through L2 is 1/RMID.
    if (pi) continue;
    const double rmid = 1.0 / model::inverse(model::l_branch(n, w)).re;
    EXPECT_NEAR(value(*g, "rmid"), rmid, 1e-4 * rmid);
  }
}

}  // namespace
}  // namespace merid
