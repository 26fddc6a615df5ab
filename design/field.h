#ifndef MERID_DESIGN_FIELD_H_
#define MERID_DESIGN_FIELD_H_

// One named value of a design, described once for every output: its key in
// JSON and CSV, its meaning for --help, where the text output and the page
// show it and under which label, where the dialogue's results screen and
// report put it, and how it is read from a calculated design.  Each network
// has one table of these rows, and every output is generated from it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "base/report_record.h"
#include "text/catalogue.h"
#include "text/messages.h"

namespace merid {

class DesignModel;

// A value of an output field: none, a number, or a word.
using FieldCell =
    std::variant<std::monostate, float, std::int32_t, double, std::string_view>;

enum class FieldKind {
  kInput,     // an input or a network parameter, known without a calculation
  kTypedF,    // the frequency as the calculation found it typed, MHz
  kResult,    // a result of the calculation
  kPeak,      // derived from a result
  kHarmonic,  // KU and KI at 3F to 5F, analysed from the design
  kSweep,     // the sweep grid and the S11 crossing count
};

// Where the dialogue's results screen shows a field (the pi network's).
enum class ScreenBlock {
  kNone,
  kInputs,        // the input block, one field a line
  kResultsLeft,   // a results row, left column
  kResultsRight,  // a results row, right column
};

struct ScreenPlace {
  ScreenBlock block = ScreenBlock::kNone;
  std::size_t line = 0;                                  // in its block
  Msg label = Msg::kCount;                               // the screen's label
  ReportRecord::Field slot = ReportRecord::kFieldCount;  // in the report
};

// Where merid-calc's text output and the page show a field: a row of one
// of its network's text blocks, in the left or the right column, with its
// label (UTF-8 in each language, without the tabs and "= " that lead to
// the value).
struct TextPlace {
  static constexpr std::uint8_t kNoBlock = 0xFF;
  std::uint8_t block = kNoBlock;
  std::uint8_t row = 0;
  std::uint8_t column = 0;  // 0 left, 1 right
  LocalText label = nullptr;

  constexpr bool shown() const { return block != kNoBlock; }
};

struct Field {
  std::string_view key;      // JSON key and CSV column
  std::string_view meaning;  // with the unit, for --help
  FieldKind kind;
  // The value in a calculated design of the table's network.  Results are
  // read only from a feasible design.
  FieldCell (*get)(const DesignModel&);
  TextPlace text = {};
  ScreenPlace screen = {};

  // Whether JSON and CSV carry it; a row without a key is for the text
  // alone (a value that another field holds already).
  constexpr bool in_data() const { return !key.empty(); }

  constexpr bool known_without_results() const {
    return kind == FieldKind::kInput || kind == FieldKind::kTypedF;
  }
};

inline constexpr std::size_t kInputBlockLines = 6;
inline constexpr std::size_t kResultsRows = 11;

// The dialogue's results screen, its fields by place.
struct ScreenLayout {
  std::array<const Field*, kInputBlockLines> inputs{};
  std::array<std::array<const Field*, 2>, kResultsRows> rows{};
};

}  // namespace merid

#endif  // MERID_DESIGN_FIELD_H_
