#include "text/amplifier_texts.h"

namespace merid {
namespace {

constexpr AmplifierTexts kRussian = {
    .cmin_heading = " Минимальная емкость C1:",
    .cmin_label = " Cmin, пФ",
    .c1_margin_label = " C1 - Cmin, пФ",
    .qn_for_cmin_label = " Qn для C1 >= Cmin",
    .no_qn_for_cmin = "    нет: C1 < Cmin при любой допустимой Qn",
    .rin_estimate_heading = " R вх. - оценка по режиму усилителя:",
    .rin_tube = " лампа, класс ",
    .rin_tube_rule = ": R вх. = Ea / (k * Ia) = ",
    .rin_transistor = " транзистор: R вх. = (Uпит - Uнас)^2 / (2 * P) = ",
    .band_qn_heading = "Qn",
    .band_ku_heading = "KU, дБ",
    .band_qn_for_cmin_heading = "Qn(Cmin)",
    .band_no_qn_for_cmin = "нет",
    .fixed_coil_heading =
        " Катушка постоянна в диапазоне: L рассчитана на верхней частоте, Qn на"
        " других",
    .fixed_coil_heading2 =
        " частотах подобрана так, чтобы с той же L получить R вх.",
    .coil_above_range_row = "  с этой L нужна Qn выше допустимой",
    .coil_below_range_row = "  с этой L нужна Qn ниже допустимой",
    .coil_fit_heading = "Катушка",
    .coil_fit_tap = "отвод",
    .coil_fit_matched = "подобрана",
    .coil_fit_above = "Qn выше допустимой",
    .coil_fit_below = "Qn ниже допустимой",
};

constexpr AmplifierTexts kEnglish = {
    .cmin_heading = " Minimum capacitance C1:",
    .cmin_label = " CMIN, pF",
    .c1_margin_label = " C1 - CMIN, pF",
    .qn_for_cmin_label = " Qn for C1 >= CMIN",
    .no_qn_for_cmin = "    none: C1 < CMIN at any accepted Qn",
    .rin_estimate_heading = " RIN estimated from the amplifier's ratings:",
    .rin_tube = " tube, class ",
    .rin_tube_rule = ": RIN = Ea / (k * Ia) = ",
    .rin_transistor = " transistor: RIN = (Vcc - Vsat)^2 / (2 * P) = ",
    .band_qn_heading = "Qn",
    .band_ku_heading = "KU, dB",
    .band_qn_for_cmin_heading = "Qn(CMIN)",
    .band_no_qn_for_cmin = "none",
    .fixed_coil_heading =
        " Coil fixed across a band: L calculated at its top frequency, Qn at "
        "the",
    .fixed_coil_heading2 =
        " other frequencies chosen so that the same L gives RIN.",
    .coil_above_range_row = "  this L needs Qn above the accepted",
    .coil_below_range_row = "  this L needs Qn below the accepted",
    .coil_fit_heading = "Coil",
    .coil_fit_tap = "tap",
    .coil_fit_matched = "matched",
    .coil_fit_above = "Qn above accepted",
    .coil_fit_below = "Qn below accepted",
};

}  // namespace

const AmplifierTexts& amplifier_texts(Language language) {
  return language == Language::kEnglish ? kEnglish : kRussian;
}

}  // namespace merid
