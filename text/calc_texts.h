#ifndef MERID_TEXT_CALC_TEXTS_H_
#define MERID_TEXT_CALC_TEXTS_H_

// merid-calc's own Russian texts, UTF-8: the peak block and the band table
// of its text output, the harmonics and mismatch blocks, and the words of
// its plot and its Smith chart.  The dialogue's texts are
// the console message table; these are apart from it.

#include <array>
#include <cstddef>
#include <string_view>

namespace merid {

// The peak block continues the screen's two-column rows: each label ends
// in tabs and "= " so that its value lands in the screen's columns.  The
// С of С1 and С2 is Cyrillic, as in "I в С1".
inline constexpr std::string_view kPeaksHeading = " Пиковые значения:";
inline constexpr std::string_view kPeakUc1 = " U пик на С1, В\t\t= ";
inline constexpr std::string_view kPeakUc2 = " U пик на С2, В\t\t= ";
inline constexpr std::string_view kPeakUl = " U пик на L,  В\t\t= ";
inline constexpr std::string_view kPeakIc1 = " I пик в С1, А\t\t= ";
inline constexpr std::string_view kPeakIc2 = " I пик в С2, А\t\t= ";
inline constexpr std::string_view kPeakIl = " I пик в L,  А\t\t= ";

// The band table.
inline constexpr std::string_view kBandsHeading =
    " Расчет по любительским диапазонам:";
inline constexpr std::string_view kInfeasibleRow =
    "  мала нагруженная добротность";
inline constexpr std::string_view kBandLabelHeading = "Диап.";
// Headings of the value columns: F, C1, C2, L, peak U on C1, peak I in L.
inline constexpr std::array<std::string_view, 6> kBandColumnHeadings = {
    "F, МГц", "C1, пФ", "C2, пФ", "L, мкГн", "U пик С1, В", "I пик L, А"};
// The bands' names in the table, from 160 m to 2 m.
inline constexpr std::array<std::string_view, 11> kBandLabels = {
    "160 м", "80 м", "40 м", "30 м", "20 м", "17 м",
    "15 м",  "12 м", "10 м", "6 м",  "2 м"};

// The plot.  The title is "П-контур: F = 7.1 МГц, Qn = 12, ..."; the pi-L
// network's takes two lines, the second "R вх. = 2000 Ом, R пром. = 316
// Ом, R вых. = 50 Ом".
inline constexpr std::string_view kPlotTitlePi = "П-контур";
inline constexpr std::string_view kPlotTitlePiL = "П-L-контур";
inline constexpr std::string_view kPlotTitleF = ": F = ";
inline constexpr std::string_view kPlotTitleQn = " МГц, Qn = ";
inline constexpr std::string_view kPlotTitleQ0 = ", Q0 = ";
inline constexpr std::string_view kPlotTitleRin = ", R вх. = ";
inline constexpr std::string_view kPlotTitleRout = " Ом, R вых. = ";
inline constexpr std::string_view kPlotTitleRinLine = "R вх. = ";
inline constexpr std::string_view kPlotTitleRmid = " Ом, R пром. = ";
inline constexpr std::string_view kPlotOhm = " Ом";
inline constexpr std::string_view kPlotMhz = " МГц";
inline constexpr std::string_view kPlotKhz = " кГц";
inline constexpr std::string_view kPlotFrequencyAxis = "Частота, МГц";
inline constexpr std::string_view kPlotDbAxis =
    "АЧХ, дБ относительно опорного уровня";
inline constexpr std::string_view kPlotS11Axis = "|S11| на входе";
inline constexpr std::string_view kPlotBandNotFound = ": не найдена";
inline constexpr std::string_view kPlotLimitDb = "-1 дБ";
inline constexpr std::string_view kPlotLegendVoltage =
    "АЧХ-U: U вых. от источника с R = R вх., дБ отн. U вых. на F";
inline constexpr std::string_view kPlotLegendCurrent =
    "АЧХ-I: U вых. от источника с R = 11·R вх., дБ отн. максимума";
inline constexpr std::string_view kPlotLegendS11 =
    "|S11| на входе относительно R вх. (правая шкала)";
inline constexpr std::string_view kPlotLegendLimitDb =
    "уровень -1 дБ обеих АЧХ";
inline constexpr std::string_view kPlotLegendF =
    "рабочая частота F; края полос - пунктир их цвета";
inline constexpr std::string_view kPlotVoltageBand = "АЧХ-U (-1 дБ)";
inline constexpr std::string_view kPlotCurrentBand = "АЧХ-I (-1 дБ)";
inline constexpr std::string_view kPlotS11Band = "Полоса S11(0.1)";

// The blocks under the peaks: the harmonics 3F to 5F and the stresses
// under a mismatched load.  Their labels end as the peaks' do: a left
// label of 8 to 15 characters takes two tabs, of 16 to 23 one; a right
// label of 7 to 14 two, of 15 to 22 one.
inline constexpr std::string_view kHarmonicsHeading =
    " Подавление гармоник (KU: источник R вх., KI: источник 11·R вх.):";
// "KU на 3F" to "KI на 5F".
inline constexpr std::array<std::string_view, 3> kHarmonicKuLabels = {
    " KU на 3F, дБ\t\t= ", " KU на 4F, дБ\t\t= ", " KU на 5F, дБ\t\t= "};
inline constexpr std::array<std::string_view, 3> kHarmonicKiLabels = {
    " KI на 3F, дБ\t\t= ", " KI на 4F, дБ\t\t= ", " KI на 5F, дБ\t\t= "};

// " Нагрузка с КСВ 3 на любой фазе, источник с R = R вх.:"
inline constexpr std::string_view kSwrHeadingStart = " Нагрузка с КСВ ";
inline constexpr std::string_view kSwrHeadingMatched =
    " на любой фазе, источник с R = R вх.:";
inline constexpr std::string_view kSwrHeadingHighImpedance =
    " на любой фазе, источник с R = 11·R вх.:";
inline constexpr std::string_view kSwrNote =
    " (наибольшие значения, для R, X и |S11| - пределы)";

// The rows of one drive, left and right label of each.
inline constexpr std::array<std::array<std::string_view, 2>, 10> kSwrRowLabels =
    {{
        {" U на С1, В (эфф.)\t= ", " U пик на С1, В\t= "},
        {" U на С2, В (эфф.)\t= ", " U пик на С2, В\t= "},
        {" U на L, В (эфф.)\t= ", " U пик на L,  В\t= "},
        {" I в С1, А (эфф.)\t= ", " I пик в С1, А\t\t= "},
        {" I в С2, А (эфф.)\t= ", " I пик в С2, А\t\t= "},
        {" I в L,  А (эфф.)\t= ", " I пик в L,  А\t\t= "},
        {" P в нагрузке, Вт\t= ", " P потерь в L, Вт\t= "},
        {" R вх. мин., Ом\t\t= ", " R вх. макс., Ом\t= "},
        {" X вх. мин., Ом\t\t= ", " X вх. макс., Ом\t= "},
        {" |S11| мин.\t\t= ", " |S11| макс.\t\t= "},
    }};

inline constexpr std::string_view kPlotHarmonics =
    "Подавление гармоник KU / KI, дБ:";

// The Smith chart.
inline constexpr std::string_view kSmithNormalised = "Z вх. / R вх., R вх. = ";
inline constexpr std::string_view kSmithCurveFrom = "Z вх. от ";
inline constexpr std::string_view kSmithCurveTo = " до ";
inline constexpr std::string_view kSmithVoltageEdges =
    "U-, U+: края АЧХ-U (-1 дБ)";
inline constexpr std::string_view kSmithCurrentEdges =
    "I-, I+: края АЧХ-I (-1 дБ)";
inline constexpr std::array<std::string_view, 3> kSmithReading = {
    "Вверху индуктивное, внизу емкостное", "сопротивление; частота растет",
    "по часовой стрелке."};

}  // namespace merid

#endif  // MERID_TEXT_CALC_TEXTS_H_
