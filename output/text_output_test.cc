#include "output/text_output.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/pi_network.h"
#include "tests/support/string_io.h"

namespace merid {
namespace {

Design Typical() {
  Design d = make_design(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f);
  synthesis(d);
  return d;
}

// Tabs expanded to every eighth column, as a terminal does; the "=" of
// each row must stand where the results screen puts it, at 24 and 65.
std::vector<std::string> ExpandedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t column = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      EXPECT_EQ(text[i + 1], '\n');
      lines.push_back(line);
      line.clear();
      column = 0;
      ++i;
    } else if (c == '\t') {
      do {
        line.push_back(' ');
      } while (++column % 8 != 0);
    } else {
      line.push_back(c);
      if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column;
    }
  }
  EXPECT_TRUE(line.empty()) << "a line without CR LF";
  return lines;
}

// The column of the n-th "=" in a line of UTF-8 text.
std::size_t EqualsColumn(const std::string& line, int n) {
  std::size_t column = 0;
  for (const char c : line) {
    if (c == '=' && n-- == 0) return column;
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column;
  }
  return std::string::npos;
}

TEST(AnalysisText, RowsLineUpWithTheScreensColumns) {
  const Design d = Typical();
  StringSink out;
  const TankDesign m = pi_model(d);
  write_design_text(out, *m, Language::kRussian);
  SwrRequest request;
  request.swr = 3.0f;
  request.retune = true;
  write_swr_text(out, *m, load_swr(*m, request), Language::kRussian);
  // The blocks under the screen, whose own labels are its own.
  const std::string text = out.text();
  const std::string under = text.substr(text.find(" Пиковые значения:"));
  std::size_t rows = 0;
  for (const std::string& line : ExpandedLines(under)) {
    // Rows have two values; a heading has at most one "=".
    if (EqualsColumn(line, 1) == std::string::npos) continue;
    EXPECT_EQ(EqualsColumn(line, 0), 24u) << line;
    EXPECT_EQ(EqualsColumn(line, 1), 64u) << line;
    ++rows;
  }
  EXPECT_EQ(rows, 3u + 3u + 3u * 10u + 2u + 10u);
  EXPECT_NE(out.text().find(" KU на 3F, дБ\t\t=     41.578"),
            std::string::npos);
  EXPECT_NE(out.text().find(" Нагрузка с КСВ 3 на любой фазе"),
            std::string::npos);
}

}  // namespace
}  // namespace merid
