#ifndef MERID_TEXT_PI_L_TEXTS_H_
#define MERID_TEXT_PI_L_TEXTS_H_

// merid-calc's Russian texts of the pi-L network, UTF-8, without the tabs
// and "= " that the output adds to reach the screen's columns.  The С of
// С1 is Cyrillic, as on the results screen.

#include <array>
#include <string_view>

namespace merid {

inline constexpr std::string_view kPiLInputHeading =
    " Исходные данные П-L-контура:";
inline constexpr std::string_view kPiLResultsHeading =
    " Результаты расчета (П-звено R вх. -> R пром., L-звено R пром. -> R "
    "вых.):";
inline constexpr std::string_view kPiLPeaksHeading = " Пиковые значения:";
inline constexpr std::string_view kPiLHarmonicsHeading =
    " Подавление гармоник (KU: источник R вх., KI: источник 11·R вх.):";
inline constexpr std::string_view kPiLMiddleSum =
    " C ср. = C2' + CL: CL Г-звена стоит в среднем узле";
inline constexpr std::string_view kPiLMiddleAlone =
    " C ср. = C2': CL Г-звена стоит на выходе (C вых.)";

inline constexpr std::array<std::string_view, 7> kPiLInputLabels = {
    " F, Мгц",     " Qn",         " Q0",         " R вх.,  Ом",
    " R вых., Ом", " P вх.,  Вт", " R пром., Ом"};

// Two-column rows: left label, right label.
struct PiLRowLabels {
  std::string_view left;
  std::string_view right;
};
inline constexpr std::array<PiLRowLabels, 16> kPiLResultLabels = {{
    {" C1, пФ", " U вх.,  В (эфф.)"},
    {" L1, мкГн", " U на L1, В (эфф.)"},
    {" C2', пФ", " U ср.,  В (эфф.)"},
    {" CL, пФ", " U на L2, В (эфф.)"},
    {" C ср., пФ", " U вых., В (эфф.)"},
    {" L2, мкГн", " C вых., пФ"},
    {" Qn П-звена", " Qн Г-звена"},
    {" КПД контура, %", " P вых., Вт"},
    {" P потерь, Вт", " S11 вх.  порт на F"},
    {" Q в С1, ВАр", " I в С1, А (эфф.)"},
    {" Q в L1, ВАр", " I в L1, А (эфф.)"},
    {" Q в C ср., ВАр", " I в C ср., А (эфф.)"},
    {" Q в L2, ВАр", " I в L2, А (эфф.)"},
    {" Q в C вых., ВАр", " I в C вых., А (эфф.)"},
    {" S22 вых. порт на F", " Полоса S11(0.1), кГц"},
    {" АЧХ-U (-1 дБ), кГц", " АЧХ-I (-1 дБ), кГц"},
}};
inline constexpr std::array<PiLRowLabels, 5> kPiLPeakLabels = {{
    {" U пик на С1, В", " I пик в С1, А"},
    {" U пик на L1, В", " I пик в L1, А"},
    {" U пик на C ср., В", " I пик в C ср., А"},
    {" U пик на L2, В", " I пик в L2, А"},
    {" U пик на выходе, В", " I пик в C вых., А"},
}};
inline constexpr std::array<PiLRowLabels, 4> kPiLHarmonicLabels = {{
    {" KU на 2F, дБ", " KI на 2F, дБ"},
    {" KU на 3F, дБ", " KI на 3F, дБ"},
    {" KU на 4F, дБ", " KI на 4F, дБ"},
    {" KU на 5F, дБ", " KI на 5F, дБ"},
}};

// Under the dialogue's message for an infeasible design:
// " П-звено: R вх. = 5000 Ом -> R пром. = 500 Ом".
inline constexpr std::string_view kPiLInfeasibleNote = " П-звено: R вх. = ";
inline constexpr std::string_view kPiLInfeasibleTo = " Ом -> R пром. = ";
inline constexpr std::string_view kPiLOhm = " Ом";

// The band table: headings of the value columns (F, C1, L1, the middle
// capacitor, L2, the output capacitor, peak U on C1, peak I in L1), the
// row's RMID with a fixed coil, and how the coils are kept.
inline constexpr std::array<std::string_view, 8> kPiLBandColumnHeadings = {
    "F, МГц",   "C1, пФ",     "L1, мкГн",    "C ср., пФ",
    "L2, мкГн", "C вых., пФ", "U пик С1, В", "I пик L1, А"};
inline constexpr std::string_view kPiLBandRmidHeading = "R пром., Ом";
inline constexpr std::string_view kPiLFixedCoilHeading =
    " L1, L2 и C вых. постоянны в диапазоне: рассчитаны на верхней частоте;"
    " на других";
inline constexpr std::string_view kPiLFixedCoilHeading2 =
    " частотах C1 и C ср. подобраны так, чтобы с теми же L получить R вх.";

}  // namespace merid

#endif  // MERID_TEXT_PI_L_TEXTS_H_
