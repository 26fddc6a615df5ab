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

// Labels of merid-calc's text blocks, without the tabs and "= " that the
// output adds so that each value lands in the screen's columns.  The С of
// С1 and С2 is Cyrillic, as in "I в С1".
inline constexpr std::string_view kPeaksHeading = " Пиковые значения:";
inline constexpr std::string_view kPeakUc1 = " U пик на С1, В";
inline constexpr std::string_view kPeakUc2 = " U пик на С2, В";
inline constexpr std::string_view kPeakUl = " U пик на L,  В";
inline constexpr std::string_view kPeakIc1 = " I пик в С1, А";
inline constexpr std::string_view kPeakIc2 = " I пик в С2, А";
inline constexpr std::string_view kPeakIl = " I пик в L,  А";

// The band table.
inline constexpr std::string_view kBandsHeading =
    " Расчет по любительским диапазонам:";
inline constexpr std::string_view kInfeasibleRow =
    "  мала нагруженная добротность";
inline constexpr std::string_view kBandLabelHeading = "Диап.";
// Headings of the value columns.
inline constexpr std::string_view kBandF = "F, МГц";
inline constexpr std::string_view kBandC1 = "C1, пФ";
inline constexpr std::string_view kBandC2 = "C2, пФ";
inline constexpr std::string_view kBandL = "L, мкГн";
inline constexpr std::string_view kBandUc1Peak = "U пик С1, В";
inline constexpr std::string_view kBandIlPeak = "I пик L, А";
// Ohm after a resistance, wherever one is written.
inline constexpr std::string_view kOhm = " Ом";

// The bands' names in the table, from 160 m to 2 m.
inline constexpr std::string_view kBand160m = "160 м";
inline constexpr std::string_view kBand80m = "80 м";
inline constexpr std::string_view kBand40m = "40 м";
inline constexpr std::string_view kBand30m = "30 м";
inline constexpr std::string_view kBand20m = "20 м";
inline constexpr std::string_view kBand17m = "17 м";
inline constexpr std::string_view kBand15m = "15 м";
inline constexpr std::string_view kBand12m = "12 м";
inline constexpr std::string_view kBand10m = "10 м";
inline constexpr std::string_view kBand6m = "6 м";
inline constexpr std::string_view kBand2m = "2 м";

// The plot.  The title is "П-контур: F = 7.1 МГц, Qn = 12, ..."; the pi-L
// network's takes two lines, the second "R вх. = 2000 Ом, R пром. = 316
// Ом, R вых. = 50 Ом".
inline constexpr std::string_view kPlotTitlePi = "П-контур";
inline constexpr std::string_view kPlotTitleF = ": F = ";
inline constexpr std::string_view kPlotTitleQn = " МГц, Qn = ";
inline constexpr std::string_view kPlotTitleQ0 = ", Q0 = ";
inline constexpr std::string_view kPlotTitleRin = ", R вх. = ";
inline constexpr std::string_view kPlotTitleRout = " Ом, R вых. = ";
inline constexpr std::string_view kPlotTitleRinLine = "R вх. = ";
inline constexpr std::string_view kPlotTitleRmid = " Ом, R пром. = ";
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

// The blocks under the peaks: the harmonics and the stresses under a
// mismatched load.
inline constexpr std::string_view kHarmonicsHeading =
    " Подавление гармоник (KU: источник R вх., KI: источник 11·R вх.):";
inline constexpr std::string_view kKu2 = " KU на 2F, дБ";
inline constexpr std::string_view kKu3 = " KU на 3F, дБ";
inline constexpr std::string_view kKu4 = " KU на 4F, дБ";
inline constexpr std::string_view kKu5 = " KU на 5F, дБ";
inline constexpr std::string_view kKi2 = " KI на 2F, дБ";
inline constexpr std::string_view kKi3 = " KI на 3F, дБ";
inline constexpr std::string_view kKi4 = " KI на 4F, дБ";
inline constexpr std::string_view kKi5 = " KI на 5F, дБ";

// " Нагрузка с КСВ 3 на любой фазе, источник с R = R вх.:"
inline constexpr std::string_view kSwrHeadingStart = " Нагрузка с КСВ ";
inline constexpr std::string_view kSwrHeadingMatched =
    " на любой фазе, источник с R = R вх.:";
inline constexpr std::string_view kSwrHeadingHighImpedance =
    " на любой фазе, источник с R = 11·R вх.:";
inline constexpr std::string_view kSwrHeadingLevelled =
    " на любой фазе, источник отдаёт в контур P вх.:";
inline constexpr std::string_view kSwrHeadingRetuned =
    " на любой фазе, контур подстроен на R вх., в контур P вх.:";
inline constexpr std::string_view kSwrNote =
    " (наибольшие значения, для R, X и |S11| - пределы)";

// The retuned tank: the range of each tuned capacitor, " С1 мин., пФ", and
// the phases it matches.
inline constexpr std::string_view kTunedC1 = "С1";
inline constexpr std::string_view kTunedC2 = "С2";
inline constexpr std::string_view kTunedLeast = " мин., пФ";
inline constexpr std::string_view kTunedLargest = " макс., пФ";
inline constexpr std::string_view kSwrPhasesNote =
    " (фаз нагрузки на круге КСВ всего 360)";
inline constexpr std::string_view kSwrUnmatched = " Фаз без настройки";
inline constexpr std::string_view kSwrMatchable = " Фаз в ваших пределах";
inline constexpr std::string_view kSwrNoneMatched =
    " Ни на одной фазе контур с этими катушками не настраивается на R вх.";

// The largest stress of each part over every case, and the case.
inline constexpr std::string_view kSwrRatingHeading =
    " Для выбора деталей: наибольшее из всех случаев при КСВ ";
inline constexpr std::string_view kSwrFromMatched = "   источник R вх.";
inline constexpr std::string_view kSwrFromHighImpedance =
    "   источник 11·R вх.";
inline constexpr std::string_view kSwrFromLevelled = "   P вх. в контур";
inline constexpr std::string_view kSwrFromRetuned = "   контур подстроен";

// A tank of given elements (--elements): the elements under a band
// table's inputs, and what the amplifier sees.
inline constexpr std::string_view kGivenHeading = " Заданные элементы контура:";
inline constexpr std::string_view kGivenC1 = " C1, пФ";
inline constexpr std::string_view kGivenL = " L, мкГн";
inline constexpr std::string_view kGivenC2 = " C2, пФ";
inline constexpr std::string_view kGivenInputHeading =
    " Контур из заданных элементов, со стороны усилителя:";
inline constexpr std::string_view kGivenZinR = " R вх. контура, Ом";
inline constexpr std::string_view kGivenZinX = " X вх. контура, Ом";
inline constexpr std::string_view kGivenSwr = " КСВ вх. к R вх.";
inline constexpr std::string_view kBandSwrInHeading = "КСВ вх.";
inline constexpr std::string_view kGivenUnresolvedRow =
    "   вход - почти чистое реактивное сопротивление (меньше 0.01 % P вх.)";
inline constexpr std::string_view kGivenUnresolved =
    " Вход контура из этих элементов на F - почти чистое реактивное "
    "сопротивление: от источника с R вх. он берет меньше 0.01 % P вх., и "
    "расчет с одинарной точностью его не различает";
inline constexpr std::string_view kGivenNote =
    " (напряжения и токи - при P вх. в контур, Qn - Q в L / P вх.)";

// The harmonics at the load (the emission options): the heading with the
// device's pulses and source, the columns, and the search for the limit.
inline constexpr std::string_view kEmissionsHeading =
    " Гармоники на нагрузке (ток прибора - косинусные импульсы, угол "
    "проводимости ";
inline constexpr std::string_view kEmissionsIdeal =
    "°, источник тока идеальный";
inline constexpr std::string_view kEmissionsRp = "°, источник тока с Rp = ";
inline constexpr std::string_view kEmissionsPushPull =
    ", двухтактный: четные ниже на ";
inline constexpr std::string_view kEmissionsColumns =
    "  n     F, МГц        дБн            Вт        дБм   Норма, дБн   "
    "Запас, дБ";
inline constexpr std::string_view kEmissionsNone = "нет";
inline constexpr std::string_view kDb = " дБ";
inline constexpr std::string_view kEmissionsPass = "  да";
inline constexpr std::string_view kEmissionsFail = "  НЕТ";
inline constexpr std::string_view kEmissionsRule = " Норма: ";
inline constexpr std::string_view kEmissionsOwnRule = "своя, ";
inline constexpr std::string_view kEmissionsDbBelow = " дБ ниже несущей";
inline constexpr std::string_view kEmissionsCarrier =
    " P несущей в нагрузке, Вт";
inline constexpr std::string_view kEmissionsSrf =
    " Собственный резонанс катушек, МГц";
inline constexpr std::string_view kLimitQnLabel =
    " Наименьшая Qn, при которой норма выполнена с запасом";
inline constexpr std::string_view kEmissionsShortfall =
    " Этим контуром норма с запасом не выполнима: нужен ФНЧ; не хватает, дБ";
inline constexpr std::string_view kEmissionsModel =
    " (передача током, а не KU/KI; конденсаторы без потерь, потери катушек "
    "X/Q0, паразитные параметры - как заданы)";
inline constexpr std::string_view kBandLimitQnHeading = "Qn нормы";
inline constexpr std::string_view kBandMarginHeading = "Запас, дБ";

// The capacitors on the bench (--c1-range, --c2-range): " С1 есть, пФ"
// with its range, and how far the design's value lies outside it.
inline constexpr std::string_view kPartsHeading =
    " Ваши конденсаторы (пределы, пФ) и нужные значения:";
inline constexpr std::string_view kPartsHave = " есть, пФ";
inline constexpr std::string_view kPartsMiss = " не хватает, пФ";
inline constexpr std::string_view kPartsFits = "    в пределах";
inline constexpr std::string_view kPartsMisses = "   вне пределов";
inline constexpr std::string_view kBandMissSuffix = " вне, пФ";

// The rows of one drive.
inline constexpr std::string_view kSwrUc1 = " U на С1, В (эфф.)";
inline constexpr std::string_view kSwrUc2 = " U на С2, В (эфф.)";
inline constexpr std::string_view kSwrUl = " U на L, В (эфф.)";
inline constexpr std::string_view kSwrIc1 = " I в С1, А (эфф.)";
inline constexpr std::string_view kSwrIc2 = " I в С2, А (эфф.)";
inline constexpr std::string_view kSwrIl = " I в L,  А (эфф.)";
inline constexpr std::string_view kSwrPload = " P в нагрузке, Вт";
inline constexpr std::string_view kSwrPloss = " P потерь в L, Вт";
inline constexpr std::string_view kSwrRMin = " R вх. мин., Ом";
inline constexpr std::string_view kSwrRMax = " R вх. макс., Ом";
inline constexpr std::string_view kSwrXMin = " X вх. мин., Ом";
inline constexpr std::string_view kSwrXMax = " X вх. макс., Ом";
inline constexpr std::string_view kSwrS11Min = " |S11| мин.";
inline constexpr std::string_view kSwrS11Max = " |S11| макс.";

inline constexpr std::string_view kPlotEmissions =
    "Гармоники на нагрузке, дБн:";
inline constexpr std::string_view kPlotEmissionsLimit = " (норма ";
inline constexpr std::string_view kPlotHarmonics =
    "Подавление гармоник KU / KI, дБ:";

// The Smith chart: the loads of --swr with --retune, "нагрузки с КСВ 3
// (к R вых.)", and "не настраиваются: 56 из 360".
inline constexpr std::string_view kSmithLoads = "нагрузки с КСВ ";
inline constexpr std::string_view kSmithLoadsTo = " (к R вых.)";
inline constexpr std::string_view kSmithUnmatched = "не настраиваются: ";
inline constexpr std::string_view kSmithUnmatchedOf = " из 360";

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
