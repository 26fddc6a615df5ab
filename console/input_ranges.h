#ifndef MERID_CONSOLE_INPUT_RANGES_H_
#define MERID_CONSOLE_INPUT_RANGES_H_

// The accepted ranges of the six inputs, shared by the dialogue's prompts
// and the command-line calculator's arguments.

#include <cmath>

namespace merid {

// Bounds as single-precision constants.  Which end is inclusive is fixed by
// the comparisons below; a value is refused only when one of them is true.
inline constexpr float kMinFrequency = 0.1f;  // MHz, inclusive
inline constexpr float kMaxFrequency = 150.0f;
inline constexpr float kMinLoadedQ = 1.11f;  // exclusive at the first entry
inline constexpr float kMaxLoadedQ = 70.0f;
inline constexpr float kUnloadedQFactor = 1.2f;  // q0 > 1.2 qn
inline constexpr float kMaxUnloadedQ = 999.0f;
inline constexpr float kMinResistance = 0.1f;  // ohm, inclusive
inline constexpr float kMaxResistance = 100000.0f;
inline constexpr float kMinPower = 0.01f;  // W, exclusive
inline constexpr float kMaxPower = 100000.0f;
// A new loaded Q from the menu: 1.11 inclusive, at most 0.95 q0 and 100.
inline constexpr float kNewLoadedQFactor = 0.95f;
inline constexpr float kMaxNewLoadedQ = 100.0f;

// Each test is made as written so that the bounds are the single-precision
// constants and products they are.  A not-a-number passes no range.
inline bool frequency_refused(float f) {
  return f < kMinFrequency || f > kMaxFrequency || std::isnan(f);
}
inline bool loaded_q_refused(float qn) {
  return qn <= kMinLoadedQ || qn > kMaxLoadedQ || std::isnan(qn);
}
inline bool unloaded_q_refused(float q0, float qn) {
  return q0 <= kUnloadedQFactor * qn || q0 > kMaxUnloadedQ || std::isnan(q0);
}
inline bool resistance_refused(float r) {
  return r < kMinResistance || r > kMaxResistance || std::isnan(r);
}
inline bool power_refused(float p) {
  return p <= kMinPower || p > kMaxPower || std::isnan(p);
}
inline bool new_loaded_q_refused(float qn, float q0) {
  return qn < kMinLoadedQ || qn > kNewLoadedQFactor * q0 ||
         qn > kMaxNewLoadedQ || std::isnan(qn);
}

}  // namespace merid

#endif  // MERID_CONSOLE_INPUT_RANGES_H_
