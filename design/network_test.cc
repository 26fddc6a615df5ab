// What every network's tables must hold for the outputs built on them to
// be right, and what every network's designs must answer the same way.

#include "design/network.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <variant>

#include "calc/constants.h"
#include "design/pi_l_network.h"
#include "design/pi_network.h"

namespace merid {
namespace {

TankInputs Typical(float f = 7.1f) {
  TankInputs in;
  static_cast<DesignInputs&>(in) =
      DesignInputs{f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f};
  return in;
}

class EveryNetwork : public testing::TestWithParam<const Network*> {
 protected:
  const Network& network() const { return *GetParam(); }
};

TEST_P(EveryNetwork, KeysAndTextPlacesAreEachTakenOnce) {
  std::set<std::string_view> keys;
  std::set<std::tuple<int, int, int>> places;
  for (const Field& field : network().fields) {
    if (!field.key.empty()) {
      EXPECT_TRUE(keys.insert(field.key).second) << field.key;
      EXPECT_FALSE(field.meaning.empty()) << field.key;
    }
    if (!field.text.shown()) continue;
    EXPECT_LT(field.text.block, network().text_blocks.size()) << field.key;
    for (const Language language : {Language::kRussian, Language::kEnglish}) {
      ASSERT_NE(field.text.label, nullptr) << field.key;
      EXPECT_FALSE(field.text.label(language).empty()) << field.key;
    }
    EXPECT_TRUE(
        places.insert({field.text.block, field.text.row, field.text.column})
            .second)
        << field.key;
  }
}

TEST_P(EveryNetwork, BandColumnsShowFloatFieldsOfTheNetwork) {
  const TankDesign d = network().design(Typical());
  ASSERT_TRUE(d->feasible());
  for (const BandColumn& column : network().band_columns) {
    const Field* field = find_field(network(), column.key);
    ASSERT_NE(field, nullptr) << column.key;
    EXPECT_TRUE(std::holds_alternative<float>(d->value(*field))) << column.key;
  }
}

TEST_P(EveryNetwork, ShownFieldsAreFiniteFloatsOfATypicalDesign) {
  const TankDesign d = network().design(Typical());
  ASSERT_TRUE(d->feasible());
  for (const Field& field : network().fields) {
    if (!field.text.shown()) continue;
    const FieldCell value = d->value(field);
    ASSERT_TRUE(std::holds_alternative<float>(value)) << field.key;
    EXPECT_TRUE(std::isfinite(std::get<float>(value))) << field.key;
  }
}

// The same quantity has the same key in every network: the peaks are the
// RMS values of the fields they name times sqrt(2), to the bit.
TEST_P(EveryNetwork, PeaksAreTheirRmsValuesTimesTheRootOfTwo) {
  const TankDesign d = network().design(Typical());
  const auto value = [&](std::string_view key) {
    return std::get<float>(d->value(*find_field(network(), key)));
  };
  int peaks = 0;
  for (const Field& field : network().fields) {
    if (field.kind != FieldKind::kPeak) continue;
    ++peaks;
    // uc1_peak is the input voltage's, ul1_peak that across L1, ...
    std::string rms(field.key.substr(0, field.key.size() - 5));
    if (rms == "uc1") rms = "uin";
    if (rms == "uc2" || rms == "ucout") rms = "uout";
    if (rms == "ucmid") rms = "umid";
    ASSERT_NE(find_field(network(), rms), nullptr) << rms;
    EXPECT_EQ(value(field.key), peak(value(rms))) << field.key;
  }
  EXPECT_GE(peaks, 6);
  // The second harmonic is ku and ki in every network.
  EXPECT_GT(value("ku"), 0.0f);
  EXPECT_GT(value("ki"), 0.0f);
}

TEST_P(EveryNetwork, UncalculatedInputsHaveNoResults) {
  const TankDesign d = network().uncalculated(Typical(0.0f));
  EXPECT_FALSE(d->feasible());
  EXPECT_EQ(d->inputs().qn, 12.0f);
  for (const Field& field : network().fields) {
    if (!field.known_without_results()) {
      EXPECT_TRUE(std::holds_alternative<std::monostate>(d->value(field)))
          << field.key;
    }
  }
  // Its band rows are designs of its own network at their frequencies.
  const TankDesign at = design_at(*d, 7.1f);
  EXPECT_EQ(&at->network(), &network());
  EXPECT_EQ(at->inputs().f, 7.1f);
  EXPECT_TRUE(at->feasible());
}

INSTANTIATE_TEST_SUITE_P(Networks, EveryNetwork,
                         testing::ValuesIn(networks().begin(),
                                           networks().end()),
                         [](const auto& info) {
                           std::string name(info.param->name);
                           for (char& c : name) {
                             if (c == '-') c = '_';
                           }
                           return name;
                         });

// A network shows the dialogue's screen exactly when it has one.
TEST_P(EveryNetwork, HasAScreenBlockExactlyWhenItHasAScreen) {
  bool screen_block = false;
  for (const TextBlock& block : network().text_blocks) {
    screen_block = screen_block || block.style == TextBlockStyle::kScreen;
  }
  EXPECT_EQ(screen_block, network().screen != nullptr);
}

TEST(Networks, FoundByNameThePiNetworkFirst) {
  EXPECT_EQ(networks().front(), &pi_network());
  EXPECT_EQ(find_network("pi-l"), &pi_l_network());
  EXPECT_EQ(find_network("pi-L"), nullptr);
  EXPECT_EQ(find_field(pi_network(), "rmid"), nullptr);
}

// RMID given or left to the network: the default is worked out into the
// inputs the design reports.
TEST(PiLNetwork, ParameterGivenOrWorkedOut) {
  const TankDesign by_default = pi_l_network().design(Typical());
  EXPECT_EQ(by_default->inputs().parameters[0], 316.0f);
  TankInputs given = Typical();
  given.parameters[0] = 500.0f;
  const TankDesign d = pi_l_network().design(given);
  EXPECT_EQ(std::get<float>(d->value(*find_field(pi_l_network(), "rmid"))),
            500.0f);
  EXPECT_NE(d->infeasible_note(Language::kRussian),
            by_default->infeasible_note(Language::kRussian));
}

}  // namespace
}  // namespace merid
