#ifndef MERID_TEXT_REPORT_TEXTS_H_
#define MERID_TEXT_REPORT_TEXTS_H_

// The results file's own texts, UTF-8 whatever the console's encoding.

#include <string_view>

#include "text/messages.h"

namespace merid {

inline constexpr std::string_view kReportDateLabel = "Дата: ";
inline constexpr std::string_view kReportInputHeading = "Исходные данные:";
inline constexpr std::string_view kReportResultsHeading = "Результаты расчета:";

// The report's label of the value that the screen labels `screen_label`
// (one of the input block's and results rows' labels).  The report keeps
// its own set: four right-hand labels are worded differently from the
// screen's.
std::string_view report_label(Msg screen_label);

}  // namespace merid

#endif  // MERID_TEXT_REPORT_TEXTS_H_
