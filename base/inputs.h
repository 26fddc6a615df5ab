#ifndef MERID_BASE_INPUTS_H_
#define MERID_BASE_INPUTS_H_

// The six inputs of a design, described once: their names, prompts, places
// in a Design and accepted ranges, for the dialogue, the command line and
// its help; and the calculation of a design from them.

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "calc/amplifier.h"
#include "calc/design_inputs.h"
#include "calc/synthesis.h"
#include "text/messages.h"

namespace merid {

// The six inputs in the order they are typed.
enum class Input { kF, kQn, kQ0, kRin, kRout, kPin };
inline constexpr std::size_t kInputCount = 6;

// Bounds as single-precision constants.
inline constexpr float kMinFrequency = 0.1f;  // MHz
inline constexpr float kMaxFrequency = 150.0f;
inline constexpr float kMinLoadedQ = 1.11f;
inline constexpr float kMaxLoadedQ = 70.0f;
inline constexpr float kUnloadedQFactor = 1.2f;  // q0 > 1.2 qn
inline constexpr float kMaxUnloadedQ = 999.0f;
inline constexpr float kMinResistance = 0.1f;  // ohm
inline constexpr float kMaxResistance = 100000.0f;
inline constexpr float kMinPower = 0.01f;  // W
inline constexpr float kMaxPower = 100000.0f;

// An accepted range: low < value <= high, or low <= value <= high.  The
// lower bound of Q0 is a multiple of the loaded Q accepted before it.
struct InputRange {
  float low;
  bool low_inclusive;
  bool low_times_qn;  // the bound is low * qn
  float high;
  std::string_view unit;  // for the range text; empty when there is none
};

struct InputRow {
  Input input;
  std::string_view name;  // as the command line writes it, e.g. "QN"
  Msg prompt;             // the dialogue's question
  float DesignInputs::*member;
  InputRange range;
  std::string_view meaning;  // for --help
};

inline constexpr std::array<InputRow, kInputCount> kInputs = {{
    {Input::kF,
     "F",
     Msg::kPromptF,
     &DesignInputs::f,
     {kMinFrequency, true, false, kMaxFrequency, "MHz"},
     "working frequency"},
    {Input::kQn,
     "QN",
     Msg::kPromptQn,
     &DesignInputs::qn,
     {kMinLoadedQ, false, false, kMaxLoadedQ, ""},
     "loaded Q"},
    {Input::kQ0,
     "Q0",
     Msg::kPromptQ0,
     &DesignInputs::q0,
     {kUnloadedQFactor, false, true, kMaxUnloadedQ, ""},
     "unloaded Q of the coil"},
    {Input::kRin,
     "RIN",
     Msg::kPromptRin,
     &DesignInputs::rin,
     {kMinResistance, true, false, kMaxResistance, "ohm"},
     "resistance the amplifier wants"},
    {Input::kRout,
     "ROUT",
     Msg::kPromptRout,
     &DesignInputs::rout,
     {kMinResistance, true, false, kMaxResistance, "ohm"},
     "load resistance"},
    {Input::kPin,
     "PIN",
     Msg::kPromptPin,
     &DesignInputs::pin,
     {kMinPower, false, false, kMaxPower, "W"},
     "input power"},
}};

constexpr const InputRow& input_row(Input input) {
  return kInputs[static_cast<std::size_t>(input)];
}

// The argument's name as the usage line writes it, e.g. "QN".
constexpr std::string_view input_name(Input input) {
  return input_row(input).name;
}

// The dialogue's test of an input: true when `value` lies outside its
// range; `qn` is the loaded Q accepted before, which bounds Q0.  A
// not-a-number passes no range.
bool refused(Input input, float value, float qn);

// A number typed by the keyboard's rules (a decimal comma works; at most
// the dialogue's 10 bytes, refused rather than cut) into `value`, unless
// `refused` refuses it; then a failure in one line naming `name`, the text
// (its first 40 bytes) and the accepted `range`.
Status read_number(std::string_view name, std::string_view text,
                   std::string_view range,
                   const std::function<bool(float)>& refused, float& value);

// One input from its text into `value`, by read_number and the input's
// range; `qn` is the loaded Q accepted before, which bounds Q0.
Status read_input(Input input, std::string_view text, float qn, float& value);

// The accepted range, e.g. "0.1 <= F <= 150 (MHz)".  The bound of Q0 is
// 1.2 QN, so its text depends on `qn`; a not-a-number qn gives the formula
// alone.
std::string range_text(Input input, float qn);

// The loaded Q values the inputs accept with the unloaded Q `q0`, both
// ends as floats that pass the range test.
LoadedQRange accepted_loaded_q(float q0);

// A new loaded Q from the menu: 1.11 inclusive, at most 0.95 q0 and 100.
inline constexpr float kNewLoadedQFactor = 0.95f;
inline constexpr float kMaxNewLoadedQ = 100.0f;
bool new_loaded_q_refused(float qn, float q0);

// The design of `inputs` (its six inputs, f in MHz, each in its range)
// calculated.  Unlike synthesis, which leaves f in Hz when the design is
// infeasible, f comes back in MHz either way: 1e-6 times its value in Hz
// when feasible, as the results screen shows it; as typed when not.
Design calculate(const Design& inputs);

}  // namespace merid

#endif  // MERID_BASE_INPUTS_H_
