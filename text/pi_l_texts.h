#ifndef MERID_TEXT_PI_L_TEXTS_H_
#define MERID_TEXT_PI_L_TEXTS_H_

// merid-calc's Russian texts of the pi-L network, UTF-8, labels without the
// tabs and "= " that the output adds to reach the screen's columns.  The С
// of С1 is Cyrillic, as on the results screen.

#include <string_view>

namespace merid {

// The plot's title begins "П-L-контур: F = ...".
inline constexpr std::string_view kPlotTitlePiL = "П-L-контур";

inline constexpr std::string_view kPiLInputHeading =
    " Исходные данные П-L-контура:";
inline constexpr std::string_view kPiLResultsHeading =
    " Результаты расчета (П-звено R вх. -> R пром., L-звено R пром. -> R "
    "вых.):";
inline constexpr std::string_view kPiLMiddleSum =
    " C ср. = C2' + CL: CL Г-звена стоит в среднем узле";
inline constexpr std::string_view kPiLMiddleAlone =
    " C ср. = C2': CL Г-звена стоит на выходе (C вых.)";

// The input block.
inline constexpr std::string_view kPiLF = " F, Мгц";
inline constexpr std::string_view kPiLQn = " Qn";
inline constexpr std::string_view kPiLQ0 = " Q0";
inline constexpr std::string_view kPiLRin = " R вх.,  Ом";
inline constexpr std::string_view kPiLRout = " R вых., Ом";
inline constexpr std::string_view kPiLPin = " P вх.,  Вт";
inline constexpr std::string_view kPiLRmid = " R пром., Ом";

// The results block.
inline constexpr std::string_view kPiLC1 = " C1, пФ";
inline constexpr std::string_view kPiLL1 = " L1, мкГн";
inline constexpr std::string_view kPiLC2p = " C2', пФ";
inline constexpr std::string_view kPiLCl = " CL, пФ";
inline constexpr std::string_view kPiLCmid = " C ср., пФ";
inline constexpr std::string_view kPiLL2 = " L2, мкГн";
inline constexpr std::string_view kPiLQPi = " Qn П-звена";
inline constexpr std::string_view kPiLEta = " КПД контура, %";
inline constexpr std::string_view kPiLPloss = " P потерь, Вт";
inline constexpr std::string_view kPiLQc1 = " Q в С1, ВАр";
inline constexpr std::string_view kPiLQl1 = " Q в L1, ВАр";
inline constexpr std::string_view kPiLQcmid = " Q в C ср., ВАр";
inline constexpr std::string_view kPiLQl2 = " Q в L2, ВАр";
inline constexpr std::string_view kPiLQcout = " Q в C вых., ВАр";
inline constexpr std::string_view kPiLS22 = " S22 вых. порт на F";
inline constexpr std::string_view kPiLBwU = " АЧХ-U (-1 дБ), кГц";
inline constexpr std::string_view kPiLUin = " U вх.,  В (эфф.)";
inline constexpr std::string_view kPiLUl1 = " U на L1, В (эфф.)";
inline constexpr std::string_view kPiLUmid = " U ср.,  В (эфф.)";
inline constexpr std::string_view kPiLUl2 = " U на L2, В (эфф.)";
inline constexpr std::string_view kPiLUout = " U вых., В (эфф.)";
inline constexpr std::string_view kPiLCout = " C вых., пФ";
inline constexpr std::string_view kPiLQL = " Qн Г-звена";
inline constexpr std::string_view kPiLPout = " P вых., Вт";
inline constexpr std::string_view kPiLS11 = " S11 вх.  порт на F";
inline constexpr std::string_view kPiLIc1 = " I в С1, А (эфф.)";
inline constexpr std::string_view kPiLIl1 = " I в L1, А (эфф.)";
inline constexpr std::string_view kPiLIcmid = " I в C ср., А (эфф.)";
inline constexpr std::string_view kPiLIl2 = " I в L2, А (эфф.)";
inline constexpr std::string_view kPiLIcout = " I в C вых., А (эфф.)";
inline constexpr std::string_view kPiLBwS11 = " Полоса S11(0.1), кГц";
inline constexpr std::string_view kPiLBwI = " АЧХ-I (-1 дБ), кГц";

// The peaks, beside the pi network's " U пик на С1, В" and " I пик в С1, А".
inline constexpr std::string_view kPiLPeakUl1 = " U пик на L1, В";
inline constexpr std::string_view kPiLPeakUcmid = " U пик на C ср., В";
inline constexpr std::string_view kPiLPeakUl2 = " U пик на L2, В";
inline constexpr std::string_view kPiLPeakUout = " U пик на выходе, В";
inline constexpr std::string_view kPiLPeakIl1 = " I пик в L1, А";
inline constexpr std::string_view kPiLPeakIcmid = " I пик в C ср., А";
inline constexpr std::string_view kPiLPeakIl2 = " I пик в L2, А";
inline constexpr std::string_view kPiLPeakIcout = " I пик в C вых., А";

// Under a mismatched load, beside the pi network's labels.
inline constexpr std::string_view kPiLSwrPloss = " P потерь в L1, L2, Вт";
inline constexpr std::string_view kPiLTunedCmid = "C ср.";
// The RMID that meets the harmonic limit, in the text and the band table.
inline constexpr std::string_view kPiLLimitRmidLabel =
    " R пром. (Ом) ближе всего к своему, с которым норма выполнена с запасом";
inline constexpr std::string_view kPiLBandLimitRmidHeading = "R пр. нормы";

// Under the dialogue's message for an infeasible design:
// " П-звено: R вх. = 5000 Ом -> R пром. = 500 Ом".
inline constexpr std::string_view kPiLInfeasibleNote = " П-звено: R вх. = ";
inline constexpr std::string_view kPiLInfeasibleTo = " Ом -> R пром. = ";

// The band table: headings of the value columns, and how the coils are
// kept.
inline constexpr std::string_view kPiLBandL1 = "L1, мкГн";
inline constexpr std::string_view kPiLBandCmid = "C ср., пФ";
inline constexpr std::string_view kPiLBandL2 = "L2, мкГн";
inline constexpr std::string_view kPiLBandCout = "C вых., пФ";
inline constexpr std::string_view kPiLBandIl1Peak = "I пик L1, А";
inline constexpr std::string_view kPiLBandRmid = "R пром., Ом";
inline constexpr std::string_view kPiLFixedCoilHeading =
    " L1, L2 и C вых. постоянны в диапазоне: рассчитаны на верхней частоте;"
    " на других";
inline constexpr std::string_view kPiLFixedCoilHeading2 =
    " частотах C1 и C ср. подобраны так, чтобы с теми же L получить R вх.";

}  // namespace merid

#endif  // MERID_TEXT_PI_L_TEXTS_H_
