#include "text/pi_l_texts.h"

namespace merid {
namespace {

constexpr PiLTexts kRussian = {
    .plot_title = "П-L-контур",
    .input_heading = " Исходные данные П-L-контура:",
    .results_heading =
        " Результаты расчета (П-звено R вх. -> R пром., L-звено R пром. -> R "
        "вых.):",
    .middle_sum = " C ср. = C2' + CL: CL Г-звена стоит в среднем узле",
    .middle_alone = " C ср. = C2': CL Г-звена стоит на выходе (C вых.)",
    .f = " F, Мгц",
    .qn = " Qn",
    .q0 = " Q0",
    .rin = " R вх.,  Ом",
    .rout = " R вых., Ом",
    .pin = " P вх.,  Вт",
    .rmid = " R пром., Ом",
    .c1 = " C1, пФ",
    .l1 = " L1, мкГн",
    .c2p = " C2', пФ",
    .cl = " CL, пФ",
    .cmid = " C ср., пФ",
    .l2 = " L2, мкГн",
    .q_pi = " Qn П-звена",
    .eta = " КПД контура, %",
    .ploss = " P потерь, Вт",
    .qc1 = " Q в С1, ВАр",
    .ql1 = " Q в L1, ВАр",
    .qcmid = " Q в C ср., ВАр",
    .ql2 = " Q в L2, ВАр",
    .qcout = " Q в C вых., ВАр",
    .s22 = " S22 вых. порт на F",
    .bw_u = " АЧХ-U (-1 дБ), кГц",
    .uin = " U вх.,  В (эфф.)",
    .ul1 = " U на L1, В (эфф.)",
    .umid = " U ср.,  В (эфф.)",
    .ul2 = " U на L2, В (эфф.)",
    .uout = " U вых., В (эфф.)",
    .cout = " C вых., пФ",
    .ql = " Qн Г-звена",
    .pout = " P вых., Вт",
    .s11 = " S11 вх.  порт на F",
    .ic1 = " I в С1, А (эфф.)",
    .il1 = " I в L1, А (эфф.)",
    .icmid = " I в C ср., А (эфф.)",
    .il2 = " I в L2, А (эфф.)",
    .icout = " I в C вых., А (эфф.)",
    .bw_s11 = " Полоса S11(0.1), кГц",
    .bw_i = " АЧХ-I (-1 дБ), кГц",
    .peak_ul1 = " U пик на L1, В",
    .peak_ucmid = " U пик на C ср., В",
    .peak_ul2 = " U пик на L2, В",
    .peak_uout = " U пик на выходе, В",
    .peak_il1 = " I пик в L1, А",
    .peak_icmid = " I пик в C ср., А",
    .peak_il2 = " I пик в L2, А",
    .peak_icout = " I пик в C вых., А",
    .swr_ploss = " P потерь в L1, L2, Вт",
    .tuned_cmid = "C ср.",
    .limit_rmid_label =
        " R пром. (Ом) ближе всего к своему, с которым норма выполнена с "
        "запасом",
    .band_limit_rmid_heading = "R пр. нормы",
    .infeasible_note = " П-звено: R вх. = ",
    .infeasible_to = " Ом -> R пром. = ",
    .band_l1 = "L1, мкГн",
    .band_cmid = "C ср., пФ",
    .band_l2 = "L2, мкГн",
    .band_cout = "C вых., пФ",
    .band_il1_peak = "I пик L1, А",
    .band_rmid = "R пром., Ом",
    .fixed_coil_heading =
        " L1, L2 и C вых. постоянны в диапазоне: рассчитаны на верхней частоте;"
        " на других",
    .fixed_coil_heading2 =
        " частотах C1 и C ср. подобраны так, чтобы с теми же L получить R вх.",
};

constexpr PiLTexts kEnglish = {
    .plot_title = "Pi-L network",
    .input_heading = " Input data of the pi-L network:",
    .results_heading =
        " Results (pi section RIN -> RMID, L section RMID -> ROUT):",
    .middle_sum =
        " C mid = C2' + CL: the L section's CL sits at the middle node",
    .middle_alone =
        " C mid = C2': the L section's CL sits at the output (C out)",
    .f = " F, MHz",
    .qn = " Qn",
    .q0 = " Q0",
    .rin = " RIN,  ohm",
    .rout = " ROUT, ohm",
    .pin = " PIN,  W",
    .rmid = " RMID, ohm",
    .c1 = " C1, pF",
    .l1 = " L1, uH",
    .c2p = " C2', pF",
    .cl = " CL, pF",
    .cmid = " C mid, pF",
    .l2 = " L2, uH",
    .q_pi = " Qn of pi section",
    .eta = " Efficiency, %",
    .ploss = " P loss, W",
    .qc1 = " Q in C1, var",
    .ql1 = " Q in L1, var",
    .qcmid = " Q in C mid, var",
    .ql2 = " Q in L2, var",
    .qcout = " Q in C out, var",
    .s22 = " S22 output at F",
    .bw_u = " U response -1 dB, kHz",
    .uin = " U in,  V RMS",
    .ul1 = " U on L1, V RMS",
    .umid = " U mid, V RMS",
    .ul2 = " U on L2, V RMS",
    .uout = " U out, V RMS",
    .cout = " C out, pF",
    .ql = " Qn of L section",
    .pout = " P out, W",
    .s11 = " S11 input at F",
    .ic1 = " I in C1, A RMS",
    .il1 = " I in L1, A RMS",
    .icmid = " I in C mid, A RMS",
    .il2 = " I in L2, A RMS",
    .icout = " I in C out, A RMS",
    .bw_s11 = " S11(0.1) band, kHz",
    .bw_i = " I response -1 dB, kHz",
    .peak_ul1 = " U peak on L1, V",
    .peak_ucmid = " U peak on C mid, V",
    .peak_ul2 = " U peak on L2, V",
    .peak_uout = " U peak at output, V",
    .peak_il1 = " I peak in L1, A",
    .peak_icmid = " I peak in C mid, A",
    .peak_il2 = " I peak in L2, A",
    .peak_icout = " I peak in C out, A",
    .swr_ploss = " P loss in L1, L2, W",
    .tuned_cmid = "C mid",
    .limit_rmid_label =
        " RMID (ohm) nearest its own that meets the limit with margin",
    .band_limit_rmid_heading = "RMID limit",
    .infeasible_note = " Pi section: RIN = ",
    .infeasible_to = " ohm -> RMID = ",
    .band_l1 = "L1, uH",
    .band_cmid = "C mid, pF",
    .band_l2 = "L2, uH",
    .band_cout = "C out, pF",
    .band_il1_peak = "I peak L1, A",
    .band_rmid = "RMID, ohm",
    .fixed_coil_heading =
        " L1, L2 and C out fixed across a band: calculated at its top "
        "frequency; at",
    .fixed_coil_heading2 =
        " other frequencies C1 and C mid tuned so that the same coils give "
        "RIN.",
};

}  // namespace

const PiLTexts& pi_l_texts(Language language) {
  return language == Language::kEnglish ? kEnglish : kRussian;
}

}  // namespace merid
