#ifndef MERID_TEXT_PAGE_TEXTS_H_
#define MERID_TEXT_PAGE_TEXTS_H_

// The page's own Russian texts, UTF-8: its headings, buttons, hints and
// status lines.  What the page shares with the dialogue or merid-calc (the
// prompts, the block headings, the band table's words) it takes from their
// tables instead.  {0} and {1} stand for what the page fills in.

#include <string_view>

namespace merid {

inline constexpr std::string_view kPageTitle = "Расчет П-контура";
inline constexpr std::string_view kPageResultsHeading = "Результаты";
inline constexpr std::string_view kPageCminLabel =
    "Наименьшая C1 усилителя, пФ (необязательно)";

// A refused entry's hint: {0} what is wrong, {1} the accepted range.
inline constexpr std::string_view kPageRefusedHint = "{0}: {1}";
inline constexpr std::string_view kPageNotANumber = "не число";
inline constexpr std::string_view kPageNoValue = "нет значения";
inline constexpr std::string_view kPageOutOfRange = "вне диапазона";
// {0} the most characters a value may take.
inline constexpr std::string_view kPageTooLong = "длиннее {0} знаков";

inline constexpr std::string_view kPageWarningsHeading = "Предупреждения";
inline constexpr std::string_view kPageNoWarnings = "нет";
// {0} the results file's name.
inline constexpr std::string_view kPageDownloadReport = "Скачать отчет ({0})";

inline constexpr std::string_view kPagePlotsHeading = "Графики";
inline constexpr std::string_view kPageResponseAlt =
    "АЧХ-U, АЧХ-I и S11 контура в зависимости от частоты";
inline constexpr std::string_view kPageResponseCaption =
    "АЧХ-U, АЧХ-I (дБ) и S11 в зависимости от частоты, МГц";
inline constexpr std::string_view kPageSmithAlt =
    "Входное сопротивление контура на круговой диаграмме";
inline constexpr std::string_view kPageSmithCaption =
    "Входное сопротивление на круговой диаграмме";

// {0} the heading of the loaded-Q-for-Cmin column.
inline constexpr std::string_view kPageBandsIntro =
    "Qn, Q0, R вх., R вых. и P вх. — из исходных данных; наименьшая C1, если "
    "задана, дает столбец {0}.";
inline constexpr std::string_view kPageBandsRun = "Рассчитать таблицу";
inline constexpr std::string_view kPageFixInputsFirst =
    "Сначала исправьте исходные данные.";
// {0} the rows of the table.
inline constexpr std::string_view kPageRowsCalculated =
    "Рассчитано строк: {0}.";

}  // namespace merid

#endif  // MERID_TEXT_PAGE_TEXTS_H_
