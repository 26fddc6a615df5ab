#include "output/data_output.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "design/band_table.h"
#include "design/load_swr.h"
#include "design/pi_network.h"
#include "tests/support/json_test_reader.h"

namespace merid {
namespace {

Design Calculated(float f, float qn, float q0, float rin, float rout,
                  float pin) {
  Design d = make_design(f, qn, q0, rin, rout, pin);
  synthesis(d);
  return d;
}

// Feasible designs whose values need every digit: odd inputs, tiny and
// huge magnitudes (s11 near 1e-7, C2 in the thousands of pF).
std::vector<Design> Designs() {
  return {Calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f),
          Calculated(0.1f, 5.0f, 50.0f, 300.0f, 50.0f, 1000.0f),
          Calculated(148.0f, 3.3f, 17.0f, 33.3f, 75.0f, 0.011f),
          Calculated(1.234567f, 70.0f, 999.0f, 100000.0f, 99.9f, 99999.9f)};
}

const AmplifierOptions kNoOptions;
const DataContext kContext{kNoOptions, Language::kEnglish};

SwrRequest AtSwr(float swr) {
  SwrRequest r;
  r.swr = swr;
  return r;
}

// The outputs without amplifier options.
std::string DesignJson(const Design& d) {
  const TankDesign m = pi_model(d);
  return design_json(*m, amplifier_report(*m, {}), nullptr, kContext);
}
std::string DesignCsv(const Design& d) {
  const TankDesign m = pi_model(d);
  return design_csv(*m, amplifier_report(*m, {}), nullptr, kContext);
}

std::vector<BandRow> Rows(float qn) {
  TankInputs in;
  static_cast<DesignInputs&>(in) =
      DesignInputs{0.0f, qn, 200.0f, 2000.0f, 50.0f, 100.0f};
  return band_table(*pi_network().uncalculated(in), {});
}

std::vector<std::string> CsvCells(const std::string& line) {
  std::vector<std::string> cells;
  std::stringstream in(line);
  std::string cell;
  while (std::getline(in, cell, ',')) cells.push_back(cell);
  if (!line.empty() && line.back() == ',') cells.emplace_back();
  return cells;
}

std::vector<std::string> Lines(const std::string& text) {
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  std::vector<std::string> lines;
  std::stringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    EXPECT_EQ(line.find('\r'), std::string::npos);
    lines.push_back(line);
  }
  return lines;
}

// The value's text reads back to the very bits of the field.
void ExpectSameValue(const FieldCell& value, const std::string& text,
                     std::string_view name) {
  SCOPED_TRACE(name);
  if (const float* x = std::get_if<float>(&value)) {
    if (std::isnan(*x)) {
      EXPECT_TRUE(std::isnan(ReadFloat(text))) << text;
    } else {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(ReadFloat(text)),
                std::bit_cast<std::uint32_t>(*x))
          << text;
    }
  } else {
    EXPECT_EQ(text, std::to_string(std::get<std::int32_t>(value)));
  }
}

TEST(DesignJson, ReadsBackToTheSameFloats) {
  for (const Design& d : Designs()) {
    ASSERT_FALSE(d.infeasible);
    const JsonObject json = ReadJsonObject(DesignJson(d));
    ASSERT_EQ(json.size(), pi_fields().size() + 1);  // and warnings
    for (const Field& field : pi_fields()) {
      ExpectSameValue(pi_model(d)->value(field),
                      json.at(std::string(field.key)), field.key);
    }
  }
}

TEST(DesignCsv, ReadsBackToTheSameFloats) {
  for (const Design& d : Designs()) {
    const std::vector<std::string> lines = Lines(DesignCsv(d));
    ASSERT_EQ(lines.size(), 2u);
    const std::vector<std::string> names = CsvCells(lines[0]);
    const std::vector<std::string> values = CsvCells(lines[1]);
    ASSERT_EQ(names.size(), pi_fields().size() + 1);
    ASSERT_EQ(values.size(), names.size());
    EXPECT_EQ(names.back(), "warnings");
    for (std::size_t i = 0; i < pi_fields().size(); ++i) {
      const Field& field = pi_fields()[i];
      EXPECT_EQ(names[i], field.key);
      ExpectSameValue(pi_model(d)->value(field), values[i], field.key);
    }
  }
}

// rin = rout * eta leaves the reactance formula 0/0: C1, C2 and L are
// not-a-number, which JSON cannot hold.
TEST(DesignJson, NotANumberIsNullAndCsvSaysNan) {
  Design d = Calculated(7.1f, 3.0f, 50.0f, 47.0f, 50.0f, 100.0f);
  ASSERT_FALSE(d.infeasible);
  d.results.c1 = std::nanf("");
  const JsonObject json = ReadJsonObject(DesignJson(d));
  EXPECT_EQ(json.at("c1"), "null");
  EXPECT_EQ(json.at("eta"), "94");  // the rest stays correct
  const std::vector<std::string> values = CsvCells(Lines(DesignCsv(d))[1]);
  EXPECT_TRUE(std::isnan(ReadFloat(values[7])));  // c1
}

TEST(BandTableJson, EveryRowReadsBack) {
  const std::vector<BandRow> rows = Rows(12.0f);
  const std::vector<JsonObject> json =
      ReadJsonArray(band_table_json(rows, std::nullopt, kContext));
  ASSERT_EQ(json.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const BandRow& row = rows[i];
    EXPECT_EQ(json[i].at("band"), row.band->name);
    EXPECT_EQ(json[i].at("edge"), edge_name(row.edge));
    EXPECT_EQ(json[i].at("infeasible"), "false");
    for (const Field& field : pi_fields()) {
      ExpectSameValue(row.design->value(field),
                      json[i].at(std::string(field.key)), field.key);
    }
  }
}

TEST(BandTableCsv, InfeasibleRowsKeepTheirInputsAndLeaveTheRestEmpty) {
  // Qn 5 cannot turn 2000 ohm into 50 at any frequency.
  const std::vector<BandRow> rows = Rows(5.0f);
  const std::vector<std::string> lines =
      Lines(band_table_csv(rows, std::nullopt, kContext));
  ASSERT_EQ(lines.size(), rows.size() + 1);
  const std::vector<std::string> header = CsvCells(lines[0]);
  EXPECT_EQ(header[0], "band");
  EXPECT_EQ(header[2], "infeasible");
  EXPECT_EQ(header[3], "f");
  const std::vector<std::string> first = CsvCells(lines[1]);
  ASSERT_EQ(first.size(), header.size());
  EXPECT_EQ(first[0], "160m");
  EXPECT_EQ(first[1], "low");
  EXPECT_EQ(first[2], "1");
  EXPECT_EQ(first[3], "1.8");  // MHz as typed, not the Hz left behind
  EXPECT_EQ(first[4], "5");
  EXPECT_EQ(first[9], "1.8");  // fmhz
  for (std::size_t i = 10; i < first.size(); ++i) {
    EXPECT_EQ(first[i], "") << header[i];
  }
  const std::vector<JsonObject> json =
      ReadJsonArray(band_table_json(rows, std::nullopt, kContext));
  EXPECT_EQ(json.back().at("infeasible"), "true");
  EXPECT_EQ(json.back().at("f"), "148");
  EXPECT_EQ(json.back().at("c1"), "null");
  // With --swr every cell of the mismatch columns stays empty too.
  const std::vector<std::string> swr_lines =
      Lines(band_table_csv(rows, AtSwr(2.0f), kContext));
  const std::vector<std::string> swr_header = CsvCells(swr_lines[0]);
  const std::vector<std::string> swr_first = CsvCells(swr_lines[1]);
  ASSERT_EQ(swr_first.size(), swr_header.size());
  EXPECT_EQ(swr_header[header.size()], "load_swr");
  for (std::size_t i = header.size(); i < swr_first.size(); ++i) {
    EXPECT_EQ(swr_first[i], "") << swr_header[i];
  }
  EXPECT_EQ(ReadJsonArray(band_table_json(rows, AtSwr(2.0f), kContext))
                .back()
                .at("load_swr"),
            "null");
}

Design Typical() {
  return Calculated(7.1f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f);
}

std::uint32_t Bits(float x) { return std::bit_cast<std::uint32_t>(x); }

// The design's JSON and CSV with the stresses under an SWR `swr`.
std::string SwrJson(const Design& d, const LoadSwr& swr) {
  const TankDesign m = pi_model(d);
  return design_json(*m, amplifier_report(*m, {}), &swr, kContext);
}
std::string SwrCsv(const Design& d, const LoadSwr& swr) {
  const TankDesign m = pi_model(d);
  return design_csv(*m, amplifier_report(*m, {}), &swr, kContext);
}

// The text of the JSON object that follows "key": in `json`, up to its
// closing brace; the objects under load_swr hold no object themselves.
std::string InnerObject(const std::string& json, const std::string& key) {
  const std::size_t start = json.find("\"" + key + "\": {");
  EXPECT_NE(start, std::string::npos) << key;
  const std::size_t open = json.find('{', start);
  return json.substr(open, json.find('}', open) - open + 1);
}

std::span<const SwrField> PiSwrFields() { return pi_network().swr_fields; }

TEST(SwrJson, EachDriveReadsBackToTheSameFloats) {
  const Design d = Typical();
  const LoadSwr s = load_swr(*pi_model(d), AtSwr(3.0f));
  const std::string json = SwrJson(d, s);
  // The design's own fields stay as they are, load_swr comes last.
  EXPECT_EQ(json.rfind("  \"load_swr\": {\n    \"swr\": 3,\n", json.size()),
            json.find("  \"load_swr\""));
  EXPECT_EQ(json.substr(0, json.find("  \"load_swr\"")),
            DesignJson(d).substr(0, DesignJson(d).size() - 3) + ",\n");
  for (const DriveFigures& drive : s.drives) {
    const std::string key(swr_drive_name(drive.drive));
    const JsonObject o = ReadJsonObject(InnerObject(json, key));
    EXPECT_EQ(o.size(), PiSwrFields().size());
    for (std::size_t i = 0; i < PiSwrFields().size(); ++i) {
      const std::string name(PiSwrFields()[i].name);
      EXPECT_EQ(Bits(JsonFloat(o, name)), Bits(drive.values[i]))
          << key << " " << name;
    }
  }
  // Each rating is the largest of the drives', named by its drive.
  const JsonObject rating = ReadJsonObject(InnerObject(json, "rating"));
  const JsonObject from = ReadJsonObject(InnerObject(json, "rating_drive"));
  EXPECT_EQ(Bits(JsonFloat(rating, "uc2")), Bits(s.rating[2]));
  EXPECT_EQ(from.at("uc2"), s.rating_from[2]);
  EXPECT_EQ(rating.count("pload"), 0u);
}

// A band row stays one line, its load_swr in it.
TEST(SwrJson, BandRowsKeepOneLineEach) {
  TankInputs inputs;
  static_cast<DesignInputs&>(inputs) =
      DesignInputs{0.0f, 12.0f, 200.0f, 2000.0f, 50.0f, 100.0f};
  const std::vector<BandRow> rows =
      band_table(*pi_network().uncalculated(inputs), {}, AtSwr(2.0f));
  std::stringstream json(band_table_json(rows, AtSwr(2.0f), kContext));
  std::vector<std::string> lines;
  for (std::string line; std::getline(json, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), rows.size() + 2);
  const LoadSwr s = load_swr(*rows[0].design, AtSwr(2.0f));
  const JsonObject o = ReadJsonObject(InnerObject(lines[1], "high_impedance"));
  EXPECT_EQ(o.size(), PiSwrFields().size());
  EXPECT_EQ(Bits(JsonFloat(o, "il_peak")), Bits(s.drives[1].values[11]));
}

TEST(SwrCsv, ColumnsFollowTheDesignsAndReadBack) {
  const Design d = Typical();
  const LoadSwr s = load_swr(*pi_model(d), AtSwr(2.0f));
  std::stringstream csv(SwrCsv(d, s));
  std::string header, values;
  std::getline(csv, header);
  std::getline(csv, values);
  const std::string plain = DesignCsv(d);
  EXPECT_EQ(header.substr(0, plain.find('\n')),
            plain.substr(0, plain.find('\n')));
  const std::size_t first = header.find(",load_swr,");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(header.find(",matched_uc1,"), std::string::npos);
  EXPECT_NE(header.find(",high_impedance_s11_max,levelled_uc1,"),
            std::string::npos);
  EXPECT_EQ(header.substr(header.rfind(',') + 1), "rating_drive_il_peak");
  const auto cells = [](const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string cell; std::getline(in, cell, ',');) out.push_back(cell);
    return out;
  };
  const std::vector<std::string> names = cells(header);
  const std::vector<std::string> numbers = cells(values);
  ASSERT_EQ(names.size(), numbers.size());
  const std::size_t last_drive = names.size() - 1 - 2 * 12;
  EXPECT_EQ(names[last_drive], "levelled_s11_max");
  EXPECT_EQ(Bits(ReadFloat(numbers[last_drive])), Bits(s.drives[2].values[19]));
  EXPECT_EQ(numbers.back(), s.rating_from[11]);
}

}  // namespace
}  // namespace merid
