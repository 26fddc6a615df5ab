#ifndef MERID_CLI_DESIGN_FIELDS_H_
#define MERID_CLI_DESIGN_FIELDS_H_

// The named values of one design that the machine-readable outputs carry,
// and the peak values that component ratings need.

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "calc/synthesis.h"

namespace merid {

// Peak (amplitude) values at the working frequency: sqrt(2) times the RMS
// values of the results screen.
struct Peaks {
  float uc1 = 0.0f;  // V across C1 (the input voltage)
  float uc2 = 0.0f;  // V across C2 (the output voltage)
  float ul = 0.0f;   // V across L
  float ic1 = 0.0f;  // A
  float ic2 = 0.0f;
  float il = 0.0f;
};

Peaks peak_values(const Results& r);

// The peak of a sine wave of RMS value `rms`: one product with sqrt(2)
// rounded to single precision.
float peak(float rms);

using FieldValue = std::variant<float, std::int32_t>;

// One named value: its key in JSON and its column in CSV.
struct OutputField {
  std::string_view name;
  std::string_view meaning;  // with the unit, for --help
  FieldValue (*get)(const Design&);
  bool input;  // one of the six inputs, known without a calculation
};

// Every field of a feasible design in output order: the six inputs, fmhz,
// the twenty-two results, the six peaks, then the sweep grid and the S11
// crossing count.
std::span<const OutputField> design_fields();

// The value that `field` holds after a calculation of `d`.  After an
// infeasible calculation only the inputs are known, and f stands in MHz as
// typed.
FieldValue field_value(const OutputField& field, const Design& d);

}  // namespace merid

#endif  // MERID_CLI_DESIGN_FIELDS_H_
