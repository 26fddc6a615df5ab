// Tests of the report's layout and of its append to the results file.

#include "report/printer.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace merid {
namespace {

using Field = ReportRecord::Field;

// Records every append and answers with a fixed date and outcome.
class FakeEnv : public Env {
 public:
  void clear_screen() override {}
  void sleep_seconds(int) override {}
  Date local_date() override { return date; }
  Status append_all_or_nothing(const std::string& path,
                               std::string_view bytes) override {
    paths.push_back(path);
    appended.emplace_back(bytes);
    return outcome;
  }

  Date date{2024, 3, 9};
  Status outcome;
  std::vector<std::string> paths;
  std::vector<std::string> appended;
};

// The report cut into lines, each without its CR LF; a line end that is
// not CR LF leaves a stray byte in a line.
std::vector<std::string> lines_of(const std::string& report) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = report.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    lines.push_back(report.substr(start, end - start));
  }
  EXPECT_EQ(start, report.size()) << "text after the last CR LF";
  return lines;
}

// The typical design: 7.1 MHz, Qn 12, Q0 200, 2000 ohm to 50 ohm, 100 W.
ReportRecord typical_record() {
  ReportRecord record;
  record.field[Field::kF] = 7.1f;
  record.field[Field::kQn] = 12.0f;
  record.field[Field::kQ0] = 200.0f;
  record.field[Field::kRin] = 2000.0f;
  record.field[Field::kRout] = 50.0f;
  record.field[Field::kPin] = 100.0f;
  record.field[Field::kC1] = 119.426f;
  record.field[Field::kUin] = 447.214f;
  record.field[Field::kEta] = 94.0f;
  record.field[Field::kPout] = 94.0f;
  return record;
}

// Field i holds i + 0.25, so every value shows where it landed.
ReportRecord numbered_record() {
  ReportRecord record;
  for (std::size_t i = 0; i < Field::kFieldCount; ++i) {
    record.field[i] = static_cast<float>(i) + 0.25f;
  }
  return record;
}

TEST(FormatReport, TypicalDesign) {
  const std::string report = format_report(typical_record(), Date{2024, 3, 9});
  // No byte-order mark: the report opens with its empty line.
  EXPECT_EQ(report.substr(0, 2), "\r\n");
  const std::vector<std::string> lines = lines_of(report);
  ASSERT_EQ(lines.size(), 27u);
  const std::vector<std::string> head = {
      "",
      " Дата: 20240309                 ",
      "",
      " Исходные данные:",
      " -----------------------------------",
      " F, Мгц \t\t=      7.100",
      " Qn\t\t\t=     12.000",
      " Q0\t\t\t=    200.000",
      " R вх.,  Ом\t \t=   2000.000",
      " R вых., Ом\t\t=     50.000",
      " P вх.,  Вт\t\t=    100.000",
      "",
      " Результаты расчета:",
      " " + std::string(75, '-'),
  };
  for (std::size_t i = 0; i < head.size(); ++i) {
    EXPECT_EQ(lines[i], head[i]) << "line " << i + 1;
  }
  EXPECT_EQ(lines[14],
            " C1, пФ \t\t=    119.426      U вх.,  В (эфф.)\t=    447.214");
  EXPECT_EQ(lines[17],
            " КПД контура, %\t\t=     94.000      P вых., Вт\t\t=     94.000");
  EXPECT_EQ(lines[25], " " + std::string(75, '='));
  EXPECT_EQ(lines[26], "");
}

struct ResultsLineCase {
  int line;  // 1-based, as in the file
  const char* expected;
};

// Pins both the record's field mapping and the four labels that differ
// from the screen.
constexpr ResultsLineCase kResultsLineCases[] = {
    {15, " C1, пФ \t\t=      6.250      U вх.,  В (эфф.)\t=     17.250"},
    {16, " C2, пФ \t\t=      7.250      U вых., В (эфф.)\t=     18.250"},
    {17, " L, мкГн \t\t=      8.250      U на L.,В (эфф.)\t=     20.250"},
    {18, " КПД контура, %\t\t=     10.250      P вых., Вт\t\t=     19.250"},
    {19, " Q в С1, ВАр \t\t=     11.250      P потерь, Вт\t= \t    21.250"},
    {20, " Q в С2, ВАр \t\t=     12.250      KU 2-й гарм-ки, дБ\t=     22.250"},
    {21, " Q в L,  ВАр \t\t=     13.250      KI 2-й гарм-ки, дБ\t=     27.250"},
    {22,
     " I в С1, А (эфф.)\t=     14.250      S11 вх.  порт на F\t=     23.250"},
    {23,
     " I в С2, А (эфф.)\t=     15.250      S22 вых. порт на F\t=     24.250"},
    {24,
     " I в L,  А (эфф.)\t=     16.250      АЧХ-U (-1 дБ), кГц\t=      9.250"},
    {25,
     " Полоса S11(0.1), кГц\t=     25.250      АЧХ-I (-1 дБ), кГц\t=     "
     "28.250"},
};

TEST(FormatReport, ResultsLines) {
  const std::vector<std::string> lines =
      lines_of(format_report(numbered_record(), Date{2024, 3, 9}));
  ASSERT_EQ(lines.size(), 27u);
  for (const ResultsLineCase& c : kResultsLineCases) {
    EXPECT_EQ(lines[static_cast<std::size_t>(c.line - 1)], c.expected)
        << "line " << c.line;
  }
}

TEST(FormatReport, ReservedFieldNeverWritten) {
  ReportRecord with_reserved = numbered_record();
  with_reserved.field[Field::kReserved] = 123.456f;
  const std::string report = format_report(with_reserved, Date{2024, 3, 9});
  EXPECT_EQ(report.find("123.456"), std::string::npos);
  with_reserved.field[Field::kReserved] = 0.0f;
  EXPECT_EQ(format_report(with_reserved, Date{2024, 3, 9}), report);
}

TEST(OutputPrinter, AppendsOneReportDatedByEnv) {
  FakeEnv env;
  env.date = Date{2023, 11, 5};
  const Status result = output_printer(typical_record(), env);
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.error, "");
  ASSERT_EQ(env.appended.size(), 1u);
  EXPECT_EQ(env.paths[0], "rezultat.txt");
  EXPECT_EQ(env.appended[0], format_report(typical_record(), env.date));
}

TEST(OutputPrinter, FailureNamesTheFile) {
  FakeEnv env;
  env.outcome = Status{ExitStatus::kFailure, "Permission denied"};
  const Status result = output_printer(typical_record(), env);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.error, "rezultat.txt: Permission denied");
  EXPECT_EQ(env.appended.size(), 1u);
}

}  // namespace
}  // namespace merid
