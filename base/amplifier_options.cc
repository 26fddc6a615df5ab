#include "base/amplifier_options.h"

#include <cmath>
#include <span>
#include <vector>

#include "base/free_form.h"
#include "base/inputs.h"
#include "base/number_text.h"
#include "base/quoted.h"

namespace merid {
namespace {

// A value's accepted range: low < value <= high, or low <= value <= high.
struct ValueRange {
  std::string_view name;
  float low;
  bool low_inclusive;
  float high;
  std::string_view unit;
};

constexpr ValueRange kCmin{"CMIN", 0.0f, true, kMaxCmin, "pF"};
constexpr ValueRange kCapacitorMin{"MIN", 0.0f, true, kMaxCmin, "pF"};
constexpr ValueRange kCapacitorMax{"MAX", 0.0f, true, kMaxCmin, "pF"};
constexpr ValueRange kEa{"EA", 0.0f, false, 100000.0f, "V"};
constexpr ValueRange kIa{"IA", 0.0f, false, 1000.0f, "A"};
constexpr ValueRange kVcc{"VCC", 0.0f, false, 10000.0f, "V"};
constexpr ValueRange kVsat{"VSAT", 0.0f, true, 10000.0f, "V"};
constexpr ValueRange kPower{"P", 0.0f, false, 100000.0f, "W"};

// The emission options: each a number in its range, into its member.
struct EmissionValue {
  std::string_view option;
  ValueRange range;
  void (*store)(EmissionOptions&, float);
};
constexpr EmissionValue kEmissionValues[] = {
    {"--conduction",
     {"DEG", 120.0f, true, 360.0f, "degrees"},
     [](EmissionOptions& e, float x) { e.conduction = x; }},
    {"--push-pull",
     {"DB", 0.0f, true, 100.0f, "dB"},
     [](EmissionOptions& e, float x) { e.push_pull_db = x; }},
    {"--rp",
     {"OHM", 0.1f, true, 100000000.0f, "ohm"},
     [](EmissionOptions& e, float x) { e.rp = x; }},
    {"--coil-c",
     {"PF", 0.0f, true, 10000.0f, "pF"},
     [](EmissionOptions& e, float x) { e.coil_c = x; }},
    {"--c1-lead",
     {"NH", 0.0f, true, 10000.0f, "nH"},
     [](EmissionOptions& e, float x) { e.c1_lead = x; }},
    {"--c2-lead",
     {"NH", 0.0f, true, 10000.0f, "nH"},
     [](EmissionOptions& e, float x) { e.c2_lead = x; }},
    {"--limit-dbc",
     {"X", 0.0f, false, 200.0f, "dB below the carrier"},
     [](EmissionOptions& e, float x) { e.limit_db = x; }},
    {"--margin",
     {"DB", 0.0f, true, 60.0f, "dB"},
     [](EmissionOptions& e, float x) { e.margin = x; }},
};

constexpr std::string_view kTubeForm = "tube:EA,IA,CLASS";
constexpr std::string_view kTransistorForm = "transistor:VCC,VSAT,P";

std::string range_text(const ValueRange& range) {
  return concat({plain(range.low), range.low_inclusive ? " <= " : " < ",
                 range.name, " <= ", plain(range.high), " (", range.unit, ")"});
}

bool outside(const ValueRange& range, float value) {
  const bool below =
      range.low_inclusive ? value < range.low : value <= range.low;
  return below || value > range.high || std::isnan(value);
}

// One number by the inputs' rules into `value`, or the reason it is
// refused, which names it and its range.
Status read_value(const ValueRange& range, std::string_view text,
                  float& value) {
  return read_number(
      range.name, text, range_text(range),
      [&range](float x) { return outside(range, x); }, value);
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == separator) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

std::optional<TubeClass> read_tube_class(std::string_view text) {
  for (const TubeClass c :
       {TubeClass::kA, TubeClass::kAB, TubeClass::kB, TubeClass::kC}) {
    if (text == tube_class_name(c)) return c;
  }
  return std::nullopt;
}

// Reads `parts` against `ranges` into estimate.ratings.
Status read_ratings(std::span<const std::string_view> parts,
                    std::span<const ValueRange> ranges, RinEstimate& estimate) {
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    const Status read = read_value(ranges[i], parts[i], estimate.ratings[i]);
    if (!read.ok()) return read;
  }
  return {};
}

// The estimate of the ratings after the device's name.
Status read_estimate(std::string_view device,
                     std::span<const std::string_view> parts,
                     RinEstimate& estimate) {
  if (device == "tube") {
    static constexpr ValueRange kRanges[] = {kEa, kIa};
    if (parts.size() != 3) return failure(concat({"expected ", kTubeForm}));
    const std::optional<TubeClass> c = read_tube_class(parts[2]);
    if (!c) {
      return failure(
          concat({"CLASS = ", echoed(parts[2]), ": choose A, AB, B or C"}));
    }
    estimate.device = RinEstimate::Device::kTube;
    estimate.tube_class = *c;
    const Status read = read_ratings(parts, kRanges, estimate);
    if (!read.ok()) return read;
    estimate.resistance = tube_load_resistance(
        estimate.ratings[0], estimate.ratings[1], estimate.tube_class);
    return {};
  }
  if (device == "transistor") {
    static constexpr ValueRange kRanges[] = {kVcc, kVsat, kPower};
    if (parts.size() != 3) {
      return failure(concat({"expected ", kTransistorForm}));
    }
    estimate.device = RinEstimate::Device::kTransistor;
    const Status read = read_ratings(parts, kRanges, estimate);
    if (!read.ok()) return read;
    if (!(estimate.ratings[1] < estimate.ratings[0])) {
      return failure(concat({"VSAT = ", plain(estimate.ratings[1]),
                             " is outside the accepted range 0 <= VSAT < VCC "
                             "= ",
                             plain(estimate.ratings[0]), " (V)"}));
    }
    estimate.resistance = transistor_load_resistance(
        estimate.ratings[0], estimate.ratings[1], estimate.ratings[2]);
    return {};
  }
  return failure(concat({"choose ", kTubeForm, " or ", kTransistorForm}));
}

}  // namespace

std::string_view tube_class_name(TubeClass tube_class) {
  switch (tube_class) {
    case TubeClass::kA:
      return "A";
    case TubeClass::kAB:
      return "AB";
    case TubeClass::kB:
      return "B";
    case TubeClass::kC:
      break;
  }
  return "C";
}

std::optional<ValueBounds> option_bounds(std::string_view option) {
  const auto bounds = [](const ValueRange& r) {
    return ValueBounds{r.low, r.low_inclusive, r.high};
  };
  if (option == "--cmin") return bounds(kCmin);
  for (const EmissionValue& v : kEmissionValues) {
    if (v.option == option) return bounds(v.range);
  }
  return std::nullopt;
}

std::string cmin_range_text() { return range_text(kCmin); }

Status read_cmin(std::string_view text, AmplifierOptions& options) {
  float cmin = 0.0f;
  const Status read = read_value(kCmin, text, cmin);
  if (!read.ok()) return failure(concat({"--cmin: ", read.error}));
  options.cmin = cmin;
  return {};
}

Status read_capacitor_range(std::string_view option, std::string_view text,
                            std::optional<CapacitorRange>& range) {
  const std::string prefix = concat({option, " ", echoed(text), ": "});
  const std::vector<std::string_view> parts = split(text, ',');
  if (parts.size() != 2) {
    return failure(concat({prefix, "give MIN,MAX in pF, as in 10,250"}));
  }
  CapacitorRange r;
  Status read = read_value(kCapacitorMin, parts[0], r.low);
  if (read.ok()) read = read_value(kCapacitorMax, parts[1], r.high);
  if (!read.ok()) return failure(prefix + read.error);
  if (r.low > r.high) {
    return failure(concat(
        {prefix, "MIN = ", plain(r.low), " is above MAX = ", plain(r.high)}));
  }
  range = r;
  return {};
}

Status read_emission_value(std::string_view option, std::string_view text,
                           EmissionOptions& emissions) {
  for (const EmissionValue& v : kEmissionValues) {
    if (v.option != option) continue;
    float x = 0.0f;
    const Status read = read_value(v.range, text, x);
    if (!read.ok()) return failure(concat({option, ": ", read.error}));
    v.store(emissions, x);
    return {};
  }
  return failure(concat({option, " is no emission option"}));
}

Status read_rin_from(std::string_view text, AmplifierOptions& options) {
  const std::string prefix = concat({"--rin-from ", echoed(text), ": "});
  const std::size_t colon = text.find(':');
  const std::vector<std::string_view> parts =
      split(colon == std::string_view::npos ? std::string_view{}
                                            : text.substr(colon + 1),
            ',');
  RinEstimate estimate;
  const Status read = read_estimate(text.substr(0, colon), parts, estimate);
  if (!read.ok()) return failure(prefix + read.error);
  if (refused(Input::kRin, static_cast<float>(estimate.resistance), NAN)) {
    return failure(
        concat({prefix, "the estimate RIN = ", fixed(estimate.resistance, 3),
                " ohm is outside the accepted range ",
                merid::range_text(Input::kRin, NAN)}));
  }
  options.rin_from = estimate;
  return {};
}

}  // namespace merid
