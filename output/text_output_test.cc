#include "output/text_output.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "design/amplifier_report.h"
#include "design/band_table.h"
#include "design/load_swr.h"
#include "design/pi_network.h"
#include "output/data_output.h"
#include "tests/support/json_test_reader.h"
#include "tests/support/string_io.h"

namespace merid {
namespace {

const AmplifierOptions kNoOptions;
const DataContext kContext{kNoOptions, Language::kEnglish};

// The outputs without amplifier options.
std::string DesignJson(const Design& d, const SwrStresses* swr = nullptr) {
  const TankDesign m = pi_model(d);
  return design_json(*m, amplifier_report(*m, {}), swr, kContext);
}
std::string DesignCsv(const Design& d, const SwrStresses* swr = nullptr) {
  const TankDesign m = pi_model(d);
  return design_csv(*m, amplifier_report(*m, {}), swr, kContext);
}

Design Typical() {
  Design d = make_design(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f);
  synthesis(d);
  return d;
}

std::uint32_t Bits(float x) { return std::bit_cast<std::uint32_t>(x); }

// The text of the JSON object that follows "key": in `json`, up to its
// closing brace; the objects under load_swr hold no object themselves.
std::string InnerObject(const std::string& json, const std::string& key) {
  const std::size_t start = json.find("\"" + key + "\": {");
  EXPECT_NE(start, std::string::npos) << key;
  const std::size_t open = json.find('{', start);
  return json.substr(open, json.find('}', open) - open + 1);
}

TEST(SwrJson, EachDriveReadsBackToTheSameFloats) {
  const Design d = Typical();
  const SwrStresses s = swr_stresses(d, 3.0f);
  const std::string json = DesignJson(d, &s);
  // The design's own fields stay as they are, load_swr comes last.
  EXPECT_EQ(json.rfind("  \"load_swr\": {\n    \"swr\": 3,\n", json.size()),
            json.find("  \"load_swr\""));
  EXPECT_EQ(json.substr(0, json.find("  \"load_swr\"")),
            DesignJson(d).substr(0, DesignJson(d).size() - 3) + ",\n");
  const std::array<const MismatchStresses*, 2> drives = {&s.matched,
                                                         &s.high_impedance};
  const std::array<std::string, 2> keys = {std::string(kSwrDriveNames[0]),
                                           std::string(kSwrDriveNames[1])};
  for (std::size_t i = 0; i < 2; ++i) {
    const JsonObject o = ReadJsonObject(InnerObject(json, keys[i]));
    EXPECT_EQ(o.size(), swr_fields().size());
    for (const SwrField& field : swr_fields()) {
      EXPECT_EQ(Bits(JsonFloat(o, std::string(field.name))),
                Bits(field.get(*drives[i])))
          << keys[i] << " " << field.name;
    }
    EXPECT_EQ(Bits(JsonFloat(o, "uc1_peak")), Bits(peak(drives[i]->uc1)));
  }
}

// A band row stays one line, its load_swr in it.
TEST(SwrJson, BandRowsKeepOneLineEach) {
  TankInputs inputs;
  static_cast<DesignInputs&>(inputs) =
      DesignInputs{0.0f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f};
  const std::vector<BandRow> rows =
      band_table(*pi_network().uncalculated(inputs), {});
  std::stringstream json(band_table_json(rows, 2.0f, kContext));
  std::vector<std::string> lines;
  for (std::string line; std::getline(json, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), rows.size() + 2);
  const SwrStresses s = *rows[0].design->swr_stresses(2.0f);
  const JsonObject o = ReadJsonObject(InnerObject(lines[1], "high_impedance"));
  EXPECT_EQ(o.size(), swr_fields().size());
  EXPECT_EQ(Bits(JsonFloat(o, "il_peak")), Bits(peak(s.high_impedance.il)));
}

TEST(SwrCsv, ColumnsFollowTheDesignsAndReadBack) {
  const Design d = Typical();
  const SwrStresses s = swr_stresses(d, 2.0f);
  std::stringstream csv(DesignCsv(d, &s));
  std::string header, values;
  std::getline(csv, header);
  std::getline(csv, values);
  const std::string plain = DesignCsv(d);
  EXPECT_EQ(header.substr(0, plain.find('\n')),
            plain.substr(0, plain.find('\n')));
  const std::size_t first = header.find(",load_swr,");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(header.find(",matched_uc1,"), std::string::npos);
  EXPECT_EQ(header.substr(header.rfind(',') + 1), "high_impedance_s11_max");
  const auto cells = [](const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string cell; std::getline(in, cell, ',');) out.push_back(cell);
    return out;
  };
  const std::vector<std::string> names = cells(header);
  const std::vector<std::string> numbers = cells(values);
  ASSERT_EQ(names.size(), numbers.size());
  EXPECT_EQ(Bits(ReadFloat(numbers.back())), Bits(s.high_impedance.s11_max));
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
  write_design_text(out, *pi_model(d));
  write_swr_text(out, swr_stresses(d, 3.0f));
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
  EXPECT_EQ(rows, 3u + 3u + 2u * 10u);
  EXPECT_NE(out.text().find(" KU на 3F, дБ\t\t=     41.578"),
            std::string::npos);
  EXPECT_NE(out.text().find(" Нагрузка с КСВ 3 на любой фазе"),
            std::string::npos);
}

}  // namespace
}  // namespace merid
