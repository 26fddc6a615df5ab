#ifndef MERID_TEXT_AMPLIFIER_TEXTS_H_
#define MERID_TEXT_AMPLIFIER_TEXTS_H_

// merid-calc's Russian texts for the amplifier options, UTF-8: the block
// of the minimum C1 and the estimate of R вх. under the results, and the
// extra columns and row notes of the band table.  Labels stand without the
// tabs and "= " that the output adds.

#include <string_view>

namespace merid {

// The minimum C1.
inline constexpr std::string_view kCminHeading = " Минимальная емкость C1:";
inline constexpr std::string_view kCminLabel = " Cmin, пФ";
inline constexpr std::string_view kC1MarginLabel = " C1 - Cmin, пФ";
inline constexpr std::string_view kQnForCminLabel = " Qn для C1 >= Cmin";
inline constexpr std::string_view kNoQnForCmin =
    "    нет: C1 < Cmin при любой допустимой Qn";

// The estimate of R вх. from the amplifier's ratings.
inline constexpr std::string_view kRinEstimateHeading =
    " R вх. - оценка по режиму усилителя:";
inline constexpr std::string_view kRinTube = " лампа, класс ";
inline constexpr std::string_view kRinTubeRule = ": R вх. = Ea / (k * Ia) = ";
inline constexpr std::string_view kRinTransistor =
    " транзистор: R вх. = (Uпит - Uнас)^2 / (2 * P) = ";

// The band table: column headings, and the note of a row the band's coil
// cannot match.
inline constexpr std::string_view kBandQnHeading = "Qn";
inline constexpr std::string_view kBandKuHeading = "KU, дБ";
inline constexpr std::string_view kBandQnForCminHeading = "Qn(Cmin)";
inline constexpr std::string_view kBandNoQnForCmin = "нет";
inline constexpr std::string_view kFixedCoilHeading =
    " Катушка постоянна в диапазоне: L рассчитана на верхней частоте, Qn на"
    " других";
inline constexpr std::string_view kFixedCoilHeading2 =
    " частотах подобрана так, чтобы с той же L получить R вх.";
inline constexpr std::string_view kCoilAboveRangeRow =
    "  с этой L нужна Qn выше допустимой";
inline constexpr std::string_view kCoilBelowRangeRow =
    "  с этой L нужна Qn ниже допустимой";

// How a band's row came out with the coil fixed, for the page's column.
inline constexpr std::string_view kCoilFitHeading = "Катушка";
inline constexpr std::string_view kCoilFitTap = "отвод";
inline constexpr std::string_view kCoilFitMatched = "подобрана";
inline constexpr std::string_view kCoilFitAbove = "Qn выше допустимой";
inline constexpr std::string_view kCoilFitBelow = "Qn ниже допустимой";

}  // namespace merid

#endif  // MERID_TEXT_AMPLIFIER_TEXTS_H_
