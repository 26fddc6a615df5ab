// The dated report of one calculation: its 27 lines, built in memory, and
// their append to the results file.

#include "report/printer.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "design/pi_network.h"
#include "text/line_format.h"
#include "text/report_texts.h"
#include "text/value_field.h"

namespace merid {
namespace {

// The eight date digits stand in a 25-character field.
constexpr std::size_t kDateFieldWidth = 25;

// A free line: one blank before its text; an empty line is the line end
// alone.
void append_free_line(std::string& report, std::string_view text) {
  if (!text.empty()) {
    report += ' ';
    report += text;
  }
  report += kLineEnd;
}

// `value` as exactly `digits` decimal digits with leading zeros.
std::string zero_padded(int value, int digits) {
  std::string text(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0 && value > 0; --i, value /= 10) {
    text[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
  }
  return text;
}

// YYYYMMDD, padded with blanks to the date field's width.
std::string date_field(const Date& date) {
  std::string text = zero_padded(date.year, 4) + zero_padded(date.month, 2) +
                     zero_padded(date.day, 2);
  text.resize(kDateFieldWidth, ' ');
  return text;
}

void append_input_line(std::string& report, const ReportRecord& record,
                       const Field& field) {
  report += report_label(field.screen.label);
  report += value_field(record.field[field.screen.slot], kScreenFieldWidth);
  report += kLineEnd;
}

void append_results_line(std::string& report, const ReportRecord& record,
                         const Field& left, const Field& right) {
  report += two_column_row(
      report_label(left.screen.label), record.field[left.screen.slot],
      report_label(right.screen.label), record.field[right.screen.slot]);
  report += kLineEnd;
}

}  // namespace

std::string format_report(const ReportRecord& record, const Date& date) {
  std::string report;
  // No byte-order mark: a new file starts with the empty first line.
  append_free_line(report, "");
  append_free_line(report, std::string(kReportDateLabel) + date_field(date));
  append_free_line(report, "");
  append_free_line(report, kReportInputHeading);
  append_free_line(report, std::string(35, '-'));
  // The screen's lines and rows, each value from its record slot; the
  // record's reserved slot appears nowhere.
  for (const Field* field : screen_layout().inputs) {
    append_input_line(report, record, *field);
  }
  append_free_line(report, "");
  append_free_line(report, kReportResultsHeading);
  append_free_line(report, std::string(75, '-'));
  for (const auto& [left, right] : screen_layout().rows) {
    append_results_line(report, record, *left, *right);
  }
  append_free_line(report, std::string(75, '='));
  append_free_line(report, "");
  return report;
}

Status output_printer(const ReportRecord& record, Env& env) {
  const std::string report = format_report(record, env.local_date());
  const std::string path(kResultsFileName);
  Status result = env.append_all_or_nothing(path, report);
  if (!result.ok()) result.error = path + ": " + result.error;
  return result;
}

}  // namespace merid
