#ifndef MERID_TEXT_CALC_TEXTS_H_
#define MERID_TEXT_CALC_TEXTS_H_

// merid-calc's own Russian texts, UTF-8: the peak block and the band table
// of its text output, and the words of its plot.  The dialogue's texts are
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

// The plot.  The title is "П-контур: F = 7.1 МГц, Qn = 12, ...".
inline constexpr std::string_view kPlotTitleF = "П-контур: F = ";
inline constexpr std::string_view kPlotTitleQn = " МГц, Qn = ";
inline constexpr std::string_view kPlotTitleQ0 = ", Q0 = ";
inline constexpr std::string_view kPlotTitleRin = ", R вх. = ";
inline constexpr std::string_view kPlotTitleRout = " Ом, R вых. = ";
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
    "рабочая частота F; полосы отмечены заливкой и полосками";
inline constexpr std::string_view kPlotVoltageBand = "АЧХ-U (-1 дБ)";
inline constexpr std::string_view kPlotCurrentBand = "АЧХ-I (-1 дБ)";
inline constexpr std::string_view kPlotS11Band = "Полоса S11(0.1)";

}  // namespace merid

#endif  // MERID_TEXT_CALC_TEXTS_H_
