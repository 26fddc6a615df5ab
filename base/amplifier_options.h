#ifndef MERID_BASE_AMPLIFIER_OPTIONS_H_
#define MERID_BASE_AMPLIFIER_OPTIONS_H_

// The options about the amplifier behind the tank, for merid-calc and the
// page: its smallest C1, a coil fixed across each band, and the load
// resistance estimated from its ratings.  Each value is read by the
// inputs' number rules and held to a range that one line of error names.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "calc/amplifier.h"

namespace merid {

// The load resistance estimated from the amplifier's ratings.
struct RinEstimate {
  enum class Device { kTube, kTransistor };
  Device device = Device::kTube;
  // Tube: anode supply Ea (V), anode current Ia (A).  Transistor: supply
  // Vcc (V), saturation voltage Vsat (V), output power P (W).
  std::array<float, 3> ratings{};
  TubeClass tube_class = TubeClass::kAB;
  double resistance = 0.0;  // ohm, in double precision
};

// A variable capacitor on the bench, pF: its least value (with the
// tube's capacitance and the strays across it) and its largest.
struct CapacitorRange {
  float low = 0.0f;
  float high = 0.0f;
};

// The tank's two tuned capacitors as the user has them: C1, and C2 (pi-L:
// the middle capacitor, which tunes with C1); none where not given.
struct CapacitorRanges {
  std::optional<CapacitorRange> c1;
  std::optional<CapacitorRange> c2;
  bool any() const { return c1.has_value() || c2.has_value(); }
};

// What the harmonic output at the load is asked with: the device's
// current pulses, the strays of the parts, and a limit to hold it to.
struct EmissionOptions {
  std::optional<float> conduction;    // degrees; none: the class's
  std::optional<float> push_pull_db;  // the even harmonics' balance
  std::optional<float> rp;            // ohm; none: an ideal current source
  float coil_c = 0.0f;                // pF across each coil
  float c1_lead = 0.0f;               // nH in series with C1
  float c2_lead = 0.0f;               // nH with C2 (pi-L: CMID and COUT)
  std::string rule;                   // a rule's name; empty: none
  std::optional<float> limit_db;      // one's own: dB below the carrier
  std::optional<float> margin;        // dB the limit must be met by
  bool limited() const { return !rule.empty() || limit_db.has_value(); }
  // 6 dB unless given.
  float margin_db() const { return margin.value_or(6.0f); }
};

struct AmplifierOptions {
  std::optional<float> cmin;  // pF
  bool fixed_coil = false;
  std::optional<RinEstimate> rin_from;
  CapacitorRanges capacitors;
  std::optional<EmissionOptions> emissions;
};

// Reads the value of one emission option (--conduction, --push-pull,
// --rp, --coil-c, --c1-lead, --c2-lead, --limit-dbc, --margin; `option`
// with its dashes) into `emissions`, or says in one line why not.
Status read_emission_value(std::string_view option, std::string_view text,
                           EmissionOptions& emissions);

// The accepted range of a number: low < value <= high, or low <= value
// <= high.
struct ValueBounds {
  float low;
  bool low_inclusive;
  float high;
};

// The range of the value of --cmin or an emission option (`option` with
// its dashes), as its reader holds it; none for any other option.
std::optional<ValueBounds> option_bounds(std::string_view option);

// The accepted range of --cmin, for the help and the error line.
inline constexpr float kMaxCmin = 100000.0f;  // pF; 0 <= CMIN

// "0 <= CMIN <= 100000 (pF)": the accepted range of --cmin.
std::string cmin_range_text();

// Reads the value of --cmin into `options`, or says in one line why not.
Status read_cmin(std::string_view text, AmplifierOptions& options);

// Reads "MIN,MAX" (pF, 0 <= MIN <= MAX <= 100000) of --c1-range or
// --c2-range (`option`) into `range`, or says in one line why not.
Status read_capacitor_range(std::string_view option, std::string_view text,
                            std::optional<CapacitorRange>& range);

// Reads the value of --rin-from, "tube:EA,IA,CLASS" or
// "transistor:VCC,VSAT,P", into `options`, or says in one line why not.
// The estimate must lie in RIN's accepted range.
Status read_rin_from(std::string_view text, AmplifierOptions& options);

// "A", "AB", "B", "C".
std::string_view tube_class_name(TubeClass tube_class);

}  // namespace merid

#endif  // MERID_BASE_AMPLIFIER_OPTIONS_H_
