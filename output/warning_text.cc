#include "output/warning_text.h"

#include "base/number_text.h"
#include "text/warning_texts.h"

namespace merid {
namespace {

std::string three(double x) { return fixed(x, 3); }

std::string whole(double x) { return std::to_string(static_cast<long>(x)); }

// A limit as typed: 0.1, 80, 10000.
std::string plain_number(double x) { return plain(static_cast<float>(x)); }

}  // namespace

std::string warning_text(const DesignWarning& w,
                         const AmplifierOptions& options, Language language) {
  const WarningTexts& t = warning_texts(language);
  const std::string figure = three(w.figure);
  // The edges of the sweep window: its start in kHz, its stop in MHz.
  const std::string start = three(1e-3 * w.context);
  const std::string stop = three(1e-6 * w.context);
  switch (w.code) {
    case WarningCode::kC1Negative:
      return filled(t.c1_negative, {figure, three(w.context)});
    case WarningCode::kKuNegative:
      return filled(t.ku_negative, {figure});
    case WarningCode::kKiNegative:
      return filled(t.ki_negative, {figure});
    case WarningCode::kBandUAtBottom:
      return filled(t.bw_u_at_bottom, {figure, start});
    case WarningCode::kBandUAtTop:
      return filled(t.bw_u_at_top, {figure, stop});
    case WarningCode::kBandIAtBottom:
      return filled(t.bw_i_at_bottom, {figure, start});
    case WarningCode::kBandIAtTop:
      return filled(t.bw_i_at_top, {figure, stop});
    case WarningCode::kS11OneCrossing:
      return filled(t.s11_one_crossing, {figure});
    case WarningCode::kS11NoWidth:
      // A band that is a run of grid points names the grid's step.
      if (w.context > 0.0) {
        return filled(t.s11_points, {whole(w.figure), start});
      }
      return filled(t.s11_crossings, {whole(w.figure)});
    case WarningCode::kS11AtF:
      return filled(t.s11_at_f, {fixed(w.figure, 4)});
    case WarningCode::kC1BelowCmin:
      return filled(t.c1_below_cmin,
                    {three(w.context), plain(options.cmin.value_or(0.0f)),
                     three(-w.figure)});
    case WarningCode::kLowEfficiency:
      return filled(t.low_efficiency, {three(w.figure), three(w.context),
                                       plain_number(kMinEfficiency)});
    case WarningCode::kCapacitorTooLarge:
      return filled(t.capacitor_too_large,
                    {std::string(w.subject), figure, plain_number(w.context)});
    case WarningCode::kCoilTooSmall:
      return filled(t.coil_too_small,
                    {std::string(w.subject), figure, plain_number(w.context)});
    case WarningCode::kCurrentTooLarge:
      return filled(t.current_too_large,
                    {std::string(w.subject), figure, plain_number(w.context)});
    case WarningCode::kRmidLow:
      return filled(t.rmid_below, {figure, three(w.context)});
    case WarningCode::kRmidHigh:
      return filled(t.rmid_above, {figure, three(w.context)});
    case WarningCode::kRinEqualsRout:
      return filled(t.rin_equals_rout, {figure});
    case WarningCode::kRinEstimateLow:
      return filled(t.rin_estimate_low, {figure, plain_number(w.context)});
    case WarningCode::kRinEstimateHigh:
      return filled(t.rin_estimate_high, {figure, plain_number(w.context)});
    case WarningCode::kRinEstimatePower:
      return filled(t.rin_estimate_power, {figure, three(w.context)});
    case WarningCode::kHarmonicAboveCoilSrf:
      return filled(t.harmonic_above_srf,
                    {concat({whole(w.context), "F"}), figure});
    case WarningCode::kHarmonicAboveLimit:
      return filled(t.harmonic_above_limit,
                    {std::string(w.subject), figure, three(w.context)});
  }
  return {};
}

}  // namespace merid
