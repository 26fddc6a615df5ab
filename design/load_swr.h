#ifndef MERID_DESIGN_LOAD_SWR_H_
#define MERID_DESIGN_LOAD_SWR_H_

// A design of any network under a mismatched load (--swr): its figures
// over every load of one SWR under the three drives, the largest of each
// part's stresses and the drive that gives it, and with --retune the tank
// retuned into each load.

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "base/amplifier_options.h"
#include "design/network.h"
#include "design/swr_analysis.h"

namespace merid {

// What is asked of a design under a mismatched load.
struct SwrRequest {
  float swr = 1.0f;
  bool retune = false;
  // The variable capacitors on the bench: with --retune, the share of the
  // circle they can match.
  CapacitorRanges capacitors;
};

// The figures of one drive, in the order of the network's SWR fields.
struct DriveFigures {
  SwrDrive drive = SwrDrive::kMatched;
  std::vector<float> values;
};

// The tank retuned into every load: its two tuned capacitors set so that
// the amplifier sees RIN again, with the coils fixed, and PIN put in.
struct RetunedFigures {
  // The stresses over the loads it matches, by the network's SWR fields;
  // not-a-number where it matches none.
  std::vector<float> values;
  // The range of the two tuned capacitors over those loads, pF.
  TunedSetting least;
  TunedSetting largest;
  int unmatched = 0;          // phase steps of kSwrPhases no setting matches
  std::vector<bool> matched;  // by phase step
  // With a capacitor range: the phase steps whose setting lies within the
  // ranges given.
  std::optional<int> matchable;
};

// Where a rating figure comes from: one of the drives, or the tank
// retuned.
inline constexpr std::string_view kRetunedName = "retuned";

struct LoadSwr {
  float swr = 1.0f;
  std::array<DriveFigures, kSwrDriveCount> drives;
  std::optional<RetunedFigures> retuned;
  // By the network's SWR fields: for a rating field the largest over the
  // drives (and the retuned tank) and which gave it; the others NaN and
  // empty.
  std::vector<float> rating;
  std::vector<std::string_view> rating_from;
};

// The figures of `d` (feasible) that `request` asks for.
LoadSwr load_swr(const DesignModel& d, const SwrRequest& request);

}  // namespace merid

#endif  // MERID_DESIGN_LOAD_SWR_H_
