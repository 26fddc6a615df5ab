// The dated report of one calculation: its 27 lines, built in memory, and
// their append to the results file.

#include "report/printer.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "text/line_format.h"
#include "text/value_field.h"

namespace merid {
namespace {

using Field = ReportRecord::Field;

// The eight date digits stand in a 25-character field.
constexpr std::size_t kDateFieldWidth = 25;

struct InputLine {
  std::string_view label;
  Field field;
};

struct ResultsLine {
  std::string_view left_label;
  Field left;
  std::string_view right_label;
  Field right;
};

// The report keeps its own UTF-8 labels, apart from the console table: the
// file is UTF-8 whatever the console's encoding, and four right-hand labels
// are worded differently from the screen's (" U на L.,В", the tab after
// "P потерь ... = ", and "гарм-ки" in KU and KI).
constexpr std::array<InputLine, 6> kInputLines = {{
    {" F, Мгц \t\t= ", Field::kF},
    {" Qn\t\t\t= ", Field::kQn},
    {" Q0\t\t\t= ", Field::kQ0},
    {" R вх.,  Ом\t \t= ", Field::kRin},
    {" R вых., Ом\t\t= ", Field::kRout},
    {" P вх.,  Вт\t\t= ", Field::kPin},
}};

// Field kReserved appears nowhere: the record carries it, the file does not.
constexpr std::array<ResultsLine, 11> kResultsLines = {{
    {" C1, пФ \t\t= ", Field::kC1, " U вх.,  В (эфф.)\t= ", Field::kUin},
    {" C2, пФ \t\t= ", Field::kC2, " U вых., В (эфф.)\t= ", Field::kUout},
    {" L, мкГн \t\t= ", Field::kL, " U на L.,В (эфф.)\t= ", Field::kUl},
    {" КПД контура, %\t\t= ", Field::kEta, " P вых., Вт\t\t= ", Field::kPout},
    {" Q в С1, ВАр \t\t= ", Field::kQc1, " P потерь, Вт\t= \t", Field::kPloss},
    {" Q в С2, ВАр \t\t= ", Field::kQc2, " KU 2-й гарм-ки, дБ\t= ", Field::kKu},
    {" Q в L,  ВАр \t\t= ", Field::kQl, " KI 2-й гарм-ки, дБ\t= ", Field::kKi},
    {" I в С1, А (эфф.)\t= ", Field::kIc1,
     " S11 вх.  порт на F\t= ", Field::kS11},
    {" I в С2, А (эфф.)\t= ", Field::kIc2,
     " S22 вых. порт на F\t= ", Field::kS22},
    {" I в L,  А (эфф.)\t= ", Field::kIl,
     " АЧХ-U (-1 дБ), кГц\t= ", Field::kBwU},
    {" Полоса S11(0.1), кГц\t= ", Field::kBwS11,
     " АЧХ-I (-1 дБ), кГц\t= ", Field::kBwI},
}};

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
                       const InputLine& line) {
  report += line.label;
  report += value_field(record.field[line.field], kScreenFieldWidth);
  report += kLineEnd;
}

void append_results_line(std::string& report, const ReportRecord& record,
                         const ResultsLine& line) {
  report += two_column_row(line.left_label, record.field[line.left],
                           line.right_label, record.field[line.right]);
  report += kLineEnd;
}

}  // namespace

std::string format_report(const ReportRecord& record, const Date& date) {
  std::string report;
  // No byte-order mark: a new file starts with the empty first line.
  append_free_line(report, "");
  append_free_line(report, "Дата: " + date_field(date));
  append_free_line(report, "");
  append_free_line(report, "Исходные данные:");
  append_free_line(report, std::string(35, '-'));
  for (const InputLine& line : kInputLines) {
    append_input_line(report, record, line);
  }
  append_free_line(report, "");
  append_free_line(report, "Результаты расчета:");
  append_free_line(report, std::string(75, '-'));
  for (const ResultsLine& line : kResultsLines) {
    append_results_line(report, record, line);
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
