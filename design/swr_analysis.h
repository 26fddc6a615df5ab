#ifndef MERID_DESIGN_SWR_ANALYSIS_H_
#define MERID_DESIGN_SWR_ANALYSIS_H_

// What a network gives to the analysis of its designs under a mismatched
// load (--swr): the table of its figures there, and its quantities at one
// load under each drive and retuned into it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "calc/complex.h"
#include "calc/mismatch.h"
#include "calc/retune.h"
#include "text/catalogue.h"

namespace merid {

// The drives of the amplifier: the matched source (RIN, an open-circuit
// voltage twice sqrt(RIN PIN)), the high-impedance one (11 RIN and 11
// sqrt(RIN PIN), so that into a matched load it gives 11/12 of the matched
// one's voltage, about 84 % of PIN), and the levelled one, which delivers
// PIN into the tank's input at every load.
enum class SwrDrive { kMatched, kHighImpedance, kLevelled };
inline constexpr std::size_t kSwrDriveCount = 3;

// "matched", "high_impedance", "levelled": JSON keys, CSV prefixes.
std::string_view swr_drive_name(SwrDrive drive);

// One figure of a network under a mismatched load.  The network's load
// quantities come as maximised values (a least value as its negative);
// the figure is one of them, its negative, or the peak of it.
struct SwrField {
  enum class Take { kValue, kNegated, kPeak };
  std::string_view name;     // JSON key, the last part of the CSV column
  std::string_view meaning;  // for --help
  std::size_t quantity;      // which of the network's load quantities
  Take take;
  // A part's voltage or current: the largest over the drives rates it.
  bool rating;
  // Its place in the text block and its label.
  std::uint8_t row;
  std::uint8_t column;
  LocalText label;
};

// C1 and the other capacitor that tunes with it: C2 of the pi network, the
// middle capacitor of the pi-L.
inline constexpr std::size_t kTunedCapacitors = 2;

// The two tuned capacitors of a retuned tank, pF.
struct TunedSetting {
  float c1 = 0.0f;
  float c2 = 0.0f;  // pi-L: the middle capacitor
};

// Both take a batch of loads at once, so that a network's loop over them
// vectorises.
struct SwrAnalysis {
  std::size_t quantities = 0;  // how many `at` and `retuned` give
  // The quantities from this one on are the same under every drive (those
  // of the input impedance alone); none unless the network says so.
  std::size_t drive_independent = SIZE_MAX;
  float rout = 0.0f;  // the load the circle is drawn around
  // The quantities of the designed tank under `drive` into each load.
  std::function<void(SwrDrive drive, const LoadBatch& batch)> at;
  // The tank retuned into each load, its coils fixed, so that the amplifier
  // sees RIN: the setting and the quantities under the levelled drive; a
  // load that no setting matches is not given.
  std::function<void(const LoadBatch& batch, std::span<TunedSetting> settings)>
      retuned;
};

// The two tuned capacitors of a tank retuned into each load of a batch, F.
struct RetunedCapacitors {
  std::vector<float> c1;
  std::vector<float> c2;
};

// The capacitors for each load of `batch`: the setting `retune(load)`
// gives, or where it gives none the design's own `c1` and `c2`, the load
// then marked not given; each setting also in `settings`, pF.
template <typename Retune>
RetunedCapacitors retuned_capacitors(const LoadBatch& batch,
                                     std::span<TunedSetting> settings, float c1,
                                     float c2, Retune retune) {
  const std::size_t m = batch.loads.size();
  RetunedCapacitors out{std::vector<float>(m, c1), std::vector<float>(m, c2)};
  for (std::size_t j = 0; j < m; ++j) {
    const std::optional<ShuntSetting> set = retune(batch.loads[j]);
    batch.given[j] = set.has_value();
    if (!set) continue;
    out.c1[j] = static_cast<float>(set->c1);
    out.c2[j] = static_cast<float>(set->c2);
    settings[j] =
        TunedSetting{static_cast<float>(kPicofaradsPerFarad * set->c1),
                     static_cast<float>(kPicofaradsPerFarad * set->c2)};
  }
  return out;
}

// How `drive` drives a tank set for RIN and PIN, whose matched source has
// the open-circuit voltage 2 uin.
LoadDrive load_drive(SwrDrive drive, float uin, float rin, float pin);

}  // namespace merid

#endif  // MERID_DESIGN_SWR_ANALYSIS_H_
