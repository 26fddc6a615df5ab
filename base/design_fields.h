#ifndef MERID_BASE_DESIGN_FIELDS_H_
#define MERID_BASE_DESIGN_FIELDS_H_

// Every named value of one design, described once: its member, its key in
// JSON and CSV, its meaning for --help, its label and place on the results
// screen and its slot in the report.  The screen, the report record and
// lines, JSON, CSV, the help's field list and the golden file's columns are
// all generated from this table.  A new result for JSON and CSV only costs
// its member in Results (calc/synthesis.h), its computation
// (calc/synthesis.cc) and one row in base/design_fields.cc.  A result on the
// screen and in the report also needs a Msg for its screen label
// (text/messages.h and .cc), its report label in text/report_texts.cc and
// a slot in base/report_record.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "base/report_record.h"
#include "calc/synthesis.h"
#include "text/messages.h"

namespace merid {

// Peak (amplitude) values at the working frequency: sqrt(2) times the RMS
// values of the results screen.
struct Peaks {
  float uc1 = 0.0f;  // V across C1 (the input voltage)
  float uc2 = 0.0f;  // V across C2 (the output voltage)
  float ul = 0.0f;   // V across L
  float ic1 = 0.0f;  // amperes through C1
  float ic2 = 0.0f;  // amperes through C2
  float il = 0.0f;   // amperes through L
};

Peaks peak_values(const Results& r);

// The peak of a sine wave of RMS value `rms`: one product with sqrt(2)
// rounded to single precision.
float peak(float rms);

using FieldValue = std::variant<float, std::int32_t>;

enum class FieldKind {
  kInput,     // one of the six inputs, known without a calculation
  kTypedF,    // fmhz: the frequency as the calculation found it, MHz
  kResult,    // one of the twenty-two results
  kPeak,      // derived from a result
  kHarmonic,  // KU and KI at 3F to 5F, analysed from the design
  kSweep,     // the sweep grid and the S11 crossing count
};

// Where the results screen shows a field.
enum class ScreenBlock {
  kNone,
  kInputs,        // the input block, one field a line
  kResultsLeft,   // a results row, left column
  kResultsRight,  // a results row, right column
};

inline constexpr std::size_t kInputBlockLines = 6;
inline constexpr std::size_t kResultsRows = 11;

// One named value of a design.
struct DesignField {
  std::string_view name;     // JSON key and CSV column
  std::string_view meaning;  // with the unit, for --help
  FieldValue (*get)(const Design&);
  FieldKind kind;
  ScreenBlock block = ScreenBlock::kNone;
  std::size_t line = 0;     // in its screen block
  Msg label = Msg::kCount;  // the screen's label, kCount for none
  ReportRecord::Field slot = ReportRecord::kFieldCount;  // kFieldCount: none

  // Known after an infeasible calculation too.
  constexpr bool known_without_results() const {
    return kind == FieldKind::kInput || kind == FieldKind::kTypedF;
  }
};

// Every field in output order: the six inputs, fmhz, the twenty-two
// results with KU and KI at 3F to 5F after ki, the six peaks, then the
// sweep grid and the S11 crossing count.
std::span<const DesignField> design_fields();

// The value `field` holds in `d`, as calculate() left it.
FieldValue field_value(const DesignField& field, const Design& d);

// A screen field's value: every field the screen shows is a float.
float screen_value(const DesignField& field, const Design& d);

// The results screen's fields by place.
struct ScreenLayout {
  std::array<const DesignField*, kInputBlockLines> inputs{};
  std::array<std::array<const DesignField*, 2>, kResultsRows> rows{};
};
const ScreenLayout& screen_layout();

}  // namespace merid

#endif  // MERID_BASE_DESIGN_FIELDS_H_
