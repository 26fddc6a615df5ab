#ifndef MERID_DESIGN_NETWORK_H_
#define MERID_DESIGN_NETWORK_H_

// The seam between the networks and everything that uses them.  A Network
// describes one kind of tank (the pi network, the pi-L network, ...): its
// parameters, its field table, how its text output and its band table are
// laid out, and how a design of it is calculated.  A calculated design
// answers every analysis through DesignModel, whichever its network, so the
// band table, the fixed coil, Cmin, the warnings, the outputs and the page
// are written once for all networks.

#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/inputs.h"
#include "calc/amplifier.h"
#include "calc/current_drive.h"
#include "calc/design_inputs.h"
#include "calc/design_warnings.h"
#include "design/field.h"
#include "design/response_curves.h"
#include "design/swr_analysis.h"
#include "text/catalogue.h"
#include "text/language.h"
#include "text/line_format.h"

namespace merid {

class DesignModel;

// A calculated design of any network: shared and immutable, so copies are
// cheap and a band table is a vector of them.
using TankDesign = std::shared_ptr<const DesignModel>;

inline constexpr std::size_t kMaxNetworkParameters = 2;

// A number a network takes besides the six inputs, with a default the
// network works out from them when none is given.
struct NetworkParameter {
  std::string_view name;        // its option --NAME and its field
  std::string_view value_name;  // for the usage line, e.g. "OHM"
  std::string_view meaning;     // for --help
  std::string_view what;        // in a refusal: "middle resistance"
  Input accepted_as;            // held to this input's range
};

// No parameter given: each one NaN.
constexpr std::array<float, kMaxNetworkParameters> no_parameters() {
  std::array<float, kMaxNetworkParameters> none{};
  for (float& p : none) p = NAN;
  return none;
}

// The elements of a network already built, as --elements gives them, in
// the order of the network's element rows, display units.
inline constexpr std::size_t kMaxNetworkElements = 5;
using GivenElements = std::array<float, kMaxNetworkElements>;

// The six inputs and the values of the network's parameters, NaN where the
// network's default applies; with `elements` the network of those elements
// is analysed instead of one synthesised, and its loaded Q and parameters
// are what it has (NaN in the inputs).
struct TankInputs : DesignInputs {
  std::array<float, kMaxNetworkParameters> parameters = no_parameters();
  std::optional<GivenElements> elements;
};

// A figure of a part that real parts limit: a capacitance (pF), an
// inductance (uH) or the RMS current in a part (A).
struct PartFigure {
  enum class Kind { kCapacitance, kInductance, kCurrent };
  std::string_view key;   // its field
  std::string_view name;  // the part, "C2", as a warning names it
  Kind kind;
};

// The largest element --elements accepts: 1 uF, 0.1 H.
inline constexpr float kMaxGivenCapacitance = 1000000.0f;  // pF
inline constexpr float kMaxGivenInductance = 100000.0f;    // uH

// One element of a built network, for --elements.
struct ElementRow {
  std::string_view name;  // "C1", in the usage and a refusal
  std::string_view unit;  // "pF" or "uH"
  std::string_view key;   // the field that echoes it
  float high;             // the largest accepted, in `unit`
  bool may_be_zero;       // 0 stands for none (the pi-L's COUT)
  LocalText label;        // in the text output, as the field's
};

// How a text block begins.
enum class TextBlockStyle {
  // The dialogue's results screen: its input block and its results rows,
  // from the fields' screen places.
  kScreen,
  // The heading on its own line, the input block's dashes, a field a line.
  kInputs,
  // An empty line, the heading, the results block's dashes, two fields a
  // row.
  kResults,
};

// One block of a network's text output.  Its rows are the fields whose
// text place names it.
struct TextBlock {
  LocalText heading;  // UTF-8, with its leading blank; none for the screen
  TextBlockStyle style;
  // A line under the rows, or none.
  LocalText (*note)(const DesignModel&) = nullptr;
};

// A column of a network's band table.
struct BandColumn {
  enum class Use {
    kAlways,
    kCoil,       // the coil: with --fixed-coil the band's tapped coil
    kFixedCoil,  // only with --fixed-coil
  };
  LocalText heading;     // UTF-8
  std::size_t width;     // columns, the value right-aligned
  std::string_view key;  // the field it shows
  Use use = Use::kAlways;
  // Whether the table of a design with these inputs has the column; none:
  // always.
  bool (*shown)(const DesignModel& inputs) = nullptr;
};

// The columns that every network's band table has, each the same wherever
// it stands.
inline constexpr std::size_t kBandValueWidth = 12;
inline constexpr std::size_t kBandPeakWidth = 13;
inline constexpr std::size_t kBandQnWidth = 10;

// What a network's tables must hold, checked where they are made: every
// band column wide enough for a value field, every text place in the left
// or the right column.
consteval bool band_columns_fit(std::span<const BandColumn> columns) {
  for (const BandColumn& c : columns) {
    if (c.width < static_cast<std::size_t>(kScreenFieldWidth)) return false;
  }
  return true;
}
consteval bool text_places_fit(std::span<const Field> fields) {
  for (const Field& f : fields) {
    if (f.text.shown() && f.text.column > 1) return false;
  }
  return true;
}

struct Network {
  std::string_view name;   // --network NAME, and JSON's "network"
  std::string_view title;  // for people: "pi network"
  // What it is and how it is calculated, for --help: one paragraph.
  std::string_view description;
  std::span<const NetworkParameter> parameters;
  std::span<const Field> fields;  // in output order
  std::span<const TextBlock> text_blocks;
  std::span<const BandColumn> band_columns;
  // Under the band table's heading with --fixed-coil: how the coils are
  // kept.
  std::span<const LocalText> fixed_coil_note;
  // Its figures under a mismatched load (--swr), in output order.
  std::span<const SwrField> swr_fields;
  // The keys of the two capacitors that tune: C1, and C2 (pi) or the
  // middle capacitor (pi-L); the bench's ranges are held against them.
  // Their names in the text output.
  std::array<std::string_view, kTunedCapacitors> tuned_capacitors;
  std::array<LocalText, kTunedCapacitors> tuned_labels;
  // The figures of its parts that the part limits are held against.
  std::span<const PartFigure> parts;
  // Its elements in the order --elements takes them.
  std::span<const ElementRow> elements;
  // The dialogue's results screen, for a network that has one.
  const ScreenLayout* screen;
  // The design of `inputs` (each in its range) calculated.
  TankDesign (*design)(const TankInputs& inputs);
  // The inputs alone: a design with nothing calculated, infeasible, whose
  // inputs (defaults worked out) a band table is headed with.
  TankDesign (*uncalculated)(const TankInputs& inputs);
};

// Every network, the default (the dialogue's pi network) first.
std::span<const Network* const> networks();

// The network named `name`, or none.
const Network* find_network(std::string_view name);

// One frequency of a band with the coils fixed.
struct CoilRow {
  CoilFit fit = CoilFit::kMatched;
  float l_fixed = 0.0f;  // the tapped coil, uH
  // Matched: the network at the row's frequency; otherwise the row's
  // inputs, infeasible.
  TankDesign design;
};

// How a network is searched for the harmonic limit: the parameter varied,
// its range, and the network's ladder at each value of it.
struct LimitSearchSpace {
  // The key of the result, "qn_for_limit" (the pi network: the smallest
  // loaded Q that meets the limit) or "rmid_for_limit" (pi-L: the RMID at
  // the design's loaded Q nearest its own that meets it); empty: no search
  // (a tank of given elements).
  std::string_view key;
  // What the text output calls it, and the band table's heading.
  LocalText label = nullptr;
  LocalText band_heading = nullptr;
  enum class Goal { kLowestLoadedQ, kNearestMeeting };
  Goal goal = Goal::kLowestLoadedQ;
  // The parameter's range: both ends allowed for the loaded Q, neither for
  // RMID (an end leaves one section nothing to do).
  double low = 0.0;
  double high = 0.0;
  // kNearestMeeting: the value the result should lie nearest, on a log
  // scale (the design's own).
  double preferred = 0.0;
  // The network at a value of the parameter, none where it is infeasible.
  std::function<std::optional<Ladder>(double)> ladder_at;
};

// A calculated design, whichever its network.
class DesignModel {
 public:
  virtual ~DesignModel() = default;

  virtual const Network& network() const = 0;
  // The inputs, every parameter given its value (defaults worked out).
  virtual const TankInputs& inputs() const = 0;
  virtual bool feasible() const = 0;

  // The value of `field`, one of its network's: none for a result of an
  // infeasible design, and for a field of another network.
  FieldCell value(const Field& field) const;
  // The same of a field that holds a float; not-a-number where it holds
  // none.
  float number(const Field& field) const;

  // Under the dialogue's message for an infeasible design: what the
  // network could not make, in `language`, or empty.
  virtual std::string infeasible_note(Language language) const = 0;

  // The lowest accepted loaded Q on the grid of kLoadedQResolution at which
  // C1 >= cmin_pf, whatever the design's own loaded Q; none when no accepted
  // one gives it.
  virtual std::optional<float> loaded_q_for_cmin(double cmin_pf) const = 0;

  // The rest asks for a feasible design.

  // What the warnings read of it.
  virtual WarningFigures warning_figures() const = 0;

  // The coil a tap fixes across a band, uH.
  virtual float tapped_coil() const = 0;

  // The design at `f_mhz` (at most this one's frequency, the band's top)
  // with this one's coils kept and C1 and the other tuned capacitor
  // tuned; the loaded Q searched within `range`.
  virtual CoilRow fixed_coil_row(float f_mhz, LoadedQRange range) const = 0;

  // What the analysis under a mismatched load needs of it.
  virtual SwrAnalysis swr_analysis() const = 0;

  // The built elements as a ladder, for the current-drive analyses.
  virtual Ladder ladder() const = 0;

  // Where the harmonic limit is searched for.
  virtual LimitSearchSpace limit_search() const = 0;

  // What only this network warns of.
  virtual std::vector<DesignWarning> network_warnings() const = 0;

  // The curves behind the bandwidths, and what a drawing says besides.
  virtual ResponseCurves response_curves() const = 0;
  virtual DrawingSubject drawing_subject(Language language) const = 0;
};

// What the amplifier sees of a network of given elements at its
// frequency: the input impedance, ohm, and its SWR against RIN.
struct GivenFigures {
  Complex zin;
  float swr = 0.0f;
};

// Those of `d`, feasible; none for a synthesised design.
std::optional<GivenFigures> given_figures(const DesignModel& d);

// The design with the inputs of `d` at the frequency `f_mhz`, calculated
// by the network of `d` (with given elements, those elements at f_mhz).
TankDesign design_at(const DesignModel& d, float f_mhz);

// The field of `network` keyed `key`, or none.
const Field* find_field(const Network& network, std::string_view key);

}  // namespace merid

#endif  // MERID_DESIGN_NETWORK_H_
