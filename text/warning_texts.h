#ifndef MERID_TEXT_WARNING_TEXTS_H_
#define MERID_TEXT_WARNING_TEXTS_H_

// The design warnings in words, one set per language, UTF-8.  {0}, {1} and
// {2} stand for the figures that the output fills in, as each entry says.

#include <string_view>

#include "text/language.h"

namespace merid {

struct WarningTexts {
  std::string_view c1_negative;  // {0} the shunt inductor, uH; {1} C1, pF
  std::string_view ku_negative;  // {0} KU, dB
  std::string_view ki_negative;  // {0} KI, dB
  std::string_view
      bw_u_at_bottom;            // {0} bw_u, kHz; {1} the window's start, kHz
  std::string_view bw_u_at_top;  // {0} bw_u, kHz; {1} its stop, MHz
  std::string_view bw_i_at_bottom;  // the same of bw_i
  std::string_view bw_i_at_top;
  std::string_view s11_one_crossing;  // {0} bw_s11, kHz
  std::string_view s11_crossings;     // {0} the crossings found
  std::string_view s11_points;  // {0} points within 0.1; {1} the step, kHz
  std::string_view s11_at_f;    // {0} S11 at F
  std::string_view
      c1_below_cmin;  // {0} C1, pF; {1} CMIN, pF; {2} the shortfall
  std::string_view low_efficiency;  // {0} efficiency, %; {1} lost, W; {2} %
  std::string_view capacitor_too_large;  // {0} the part; {1} pF; {2} limit
  std::string_view coil_too_small;       // {0} the part; {1} uH; {2} limit
  std::string_view current_too_large;    // {0} the part; {1} A; {2} limit
  std::string_view rmid_below;           // {0} RMID; {1} the lower of RIN, ROUT
  std::string_view rmid_above;           // {0} RMID; {1} the higher
  std::string_view rin_equals_rout;      // {0} RIN, ohm
  std::string_view rin_estimate_low;     // {0} the estimate; {1} the limit
  std::string_view rin_estimate_high;    // the same
  std::string_view rin_estimate_power;   // {0} its power, W; {1} PIN, W
  std::string_view harmonic_above_srf;   // {0} n; {1} the resonance, MHz
  std::string_view harmonic_above_limit;  // {0} nF; {1} its dBc; {2} limit
};

const WarningTexts& warning_texts(Language language);

}  // namespace merid

#endif  // MERID_TEXT_WARNING_TEXTS_H_
