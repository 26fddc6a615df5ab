#ifndef MERID_TEXT_ANALYSIS_TEXTS_H_
#define MERID_TEXT_ANALYSIS_TEXTS_H_

// merid-calc's Russian texts, UTF-8, for what the screen does not show:
// the harmonics 3F to 5F, the stresses under a mismatched load, and the
// words of the plot's additions and of the Smith chart.  Each label ends in
// tabs and "= " so that its value lands in the screen's columns: a left
// label of 8 to 15 characters takes two tabs, of 16 to 23 one; a right
// label of 7 to 14 two, of 15 to 22 one.

#include <array>
#include <string_view>

namespace merid {

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

// The plot.
inline constexpr std::string_view kPlotHarmonics =
    "Подавление гармоник KU / KI, дБ:";
inline constexpr std::string_view kPlotLegendEdges =
    "рабочая частота F; края полос - пунктир их цвета";

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

#endif  // MERID_TEXT_ANALYSIS_TEXTS_H_
