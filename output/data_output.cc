#include "output/data_output.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <variant>

#include "base/number_text.h"
#include "design/load_swr.h"
#include "output/warning_text.h"

namespace merid {
namespace {

std::string shortest_double(double x) {
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, x).ptr;
  return std::string(buf, end);
}

// A field's value: JSON writes null for none and for what is not finite
// and quotes words; CSV leaves none empty.
std::string output_value(const FieldCell& value, bool json) {
  if (const float* x = std::get_if<float>(&value)) {
    return json && !std::isfinite(*x) ? "null" : shortest(*x);
  }
  if (const double* x = std::get_if<double>(&value)) {
    return json && !std::isfinite(*x) ? "null" : shortest_double(*x);
  }
  if (const auto* n = std::get_if<std::int32_t>(&value)) return shortest(*n);
  if (const auto* word = std::get_if<std::string_view>(&value)) {
    return json ? json_string(*word) : std::string(*word);
  }
  return json ? "null" : "";
}

// One key and its value as JSON or CSV writes it.
struct Member {
  std::string_view name;
  std::string json;
  std::string csv;
};

// One design as the outputs write it: the fields of its network (a
// design's own fields, those the options add, its warnings), and with
// --swr the stresses under a mismatched load, none for an infeasible
// design.
std::vector<Member> members(const DesignModel& d, const AmplifierReport& report,
                            const DataContext& context) {
  std::vector<Member> out;
  const auto add = [&out](std::string_view name, const FieldCell& value) {
    out.push_back(
        {name, output_value(value, true), output_value(value, false)});
  };
  // A design of any network but the default says which it is, first.
  if (&d.network() != networks().front()) add("network", d.network().name);
  for (const Field& field : d.network().fields) {
    if (field.in_data()) add(field.key, d.value(field));
  }
  for (const AmplifierField& field : amplifier_fields()) {
    if (field.shown(context.options)) {
      add(field.name, field.get(report, context.options));
    }
  }
  std::string json = "[";
  std::string csv;
  for (const DesignWarning& w : report.warnings) {
    if (json.size() > 1) json.append(", ");
    json.append(concat(
        {"{\"code\": ", json_string(warning_code(w.code)), ", \"text\": ",
         json_string(warning_text(w, context.options, context.language)),
         "}"}));
    if (!csv.empty()) csv.push_back(' ');
    csv.append(warning_code(w.code));
  }
  json.push_back(']');
  out.push_back({"warnings", std::move(json), std::move(csv)});
  return out;
}

// "load_swr": {"swr": S, "matched": {...}, "high_impedance": {...}}, a
// member on each line after `indent`, or all on one line for an empty
// `indent`; no line end.
std::string swr_json_member(const SwrStresses& s, std::string_view indent) {
  const bool one_line = indent.empty();
  // What starts a member `depth` levels into the object.
  const auto line = [&](std::size_t depth) {
    return one_line ? std::string()
                    : concat({"\n", indent, std::string(2 * depth, ' ')});
  };
  const std::string_view comma = one_line ? ", " : ",";
  std::string out =
      concat({"\"load_swr\": {", line(1), "\"swr\": ", json_number(s.swr)});
  for (const SwrDrive& drive : swr_drives(s)) {
    out += concat({comma, line(1), "\"", drive.name, "\": {"});
    bool first = true;
    for (const SwrField& field : swr_fields()) {
      out += concat({first ? "" : comma, line(2), "\"", field.name,
                     "\": ", json_number(field.get(drive.stresses))});
      first = false;
    }
    out += concat({line(1), "}"});
  }
  return out + concat({line(0), "}"});
}

// CSV: "load_swr" and then "matched_uc1" ... "high_impedance_s11_max".
std::string swr_csv_header() {
  std::string out = "load_swr";
  for (const std::string_view drive : kSwrDriveNames) {
    for (const SwrField& field : swr_fields()) {
      out += concat({",", drive, "_", field.name});
    }
  }
  return out;
}

std::string swr_csv_values(const SwrStresses* s) {
  // An infeasible row leaves the cells empty, as its results.
  if (s == nullptr) return std::string(2 * swr_fields().size(), ',');
  std::string out = shortest(s->swr);
  for (const SwrDrive& drive : swr_drives(*s)) {
    for (const SwrField& field : swr_fields()) {
      out += concat({",", shortest(field.get(drive.stresses))});
    }
  }
  return out;
}

// "key": value pairs of the row, joined by `separator`; `swr_indent` is
// that of the load_swr object's members.
std::string json_members(const std::vector<Member>& row,
                         std::string_view separator, bool with_swr,
                         const SwrStresses* swr, std::string_view swr_indent) {
  std::string out;
  for (const Member& m : row) {
    if (!out.empty()) out.append(separator);
    out.append(concat({json_string(m.name), ": ", m.json}));
  }
  if (with_swr) {
    out.append(separator);
    out.append(swr == nullptr ? "\"load_swr\": null"
                              : swr_json_member(*swr, swr_indent));
  }
  return out;
}

std::string csv_header(const std::vector<Member>& row, bool with_swr) {
  std::string out;
  for (const Member& m : row) {
    if (!out.empty()) out.push_back(',');
    out.append(m.name);
  }
  if (with_swr) out.append(concat({",", swr_csv_header()}));
  return out;
}

std::string csv_values(const std::vector<Member>& row, bool with_swr,
                       const SwrStresses* swr) {
  std::string out;
  for (const Member& m : row) {
    if (&m != &row.front()) out.push_back(',');
    out.append(m.csv);
  }
  if (with_swr) out.append(concat({",", swr_csv_values(swr)}));
  return out;
}

// The stresses of a feasible row under an SWR `swr` (0: none asked).
std::optional<SwrStresses> row_stresses(const DesignModel& d, float swr) {
  if (swr < kMinSwr || !d.feasible()) return std::nullopt;
  return d.swr_stresses(swr);
}

const SwrStresses* pointer(const std::optional<SwrStresses>& s) {
  return s ? &*s : nullptr;
}

}  // namespace

std::string json_string(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (c == '\n') {
      out.append("\\n");
    } else if (c == '\t') {
      out.append("\\t");
    } else if (static_cast<unsigned char>(c) < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      out.append("\\u00");
      out.push_back(kHex[(c >> 4) & 0xF]);
      out.push_back(kHex[c & 0xF]);
    } else {
      out.push_back(c);
    }
  }
  out.push_back('"');
  return out;
}

std::string json_number(float x) {
  return std::isfinite(x) ? shortest(x) : "null";
}

std::string design_json(const DesignModel& d, const AmplifierReport& report,
                        const SwrStresses* swr, const DataContext& context) {
  return concat({"{\n  ",
                 json_members(members(d, report, context), ",\n  ",
                              swr != nullptr, swr, "  "),
                 "\n}\n"});
}

std::string design_csv(const DesignModel& d, const AmplifierReport& report,
                       const SwrStresses* swr, const DataContext& context) {
  const std::vector<Member> row = members(d, report, context);
  const bool with_swr = swr != nullptr;
  return concat(
      {csv_header(row, with_swr), "\n", csv_values(row, with_swr, swr), "\n"});
}

std::string band_table_json(const std::vector<BandRow>& rows, float swr,
                            const DataContext& context) {
  const bool with_swr = swr >= kMinSwr;
  std::string out = "[\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const BandRow& r = rows[i];
    const std::optional<SwrStresses> s = row_stresses(*r.design, swr);
    out.append(concat(
        {"  {\"band\": ", json_string(r.band->name),
         ", \"edge\": ", json_string(edge_name(r.edge)),
         ", \"infeasible\": ", r.design->feasible() ? "false" : "true", ", ",
         json_members(members(*r.design, r.report, context), ", ", with_swr,
                      pointer(s), ""),
         "}", i + 1 < rows.size() ? ",\n" : "\n"}));
  }
  out.append("]\n");
  return out;
}

std::string band_table_csv(const std::vector<BandRow>& rows, float swr,
                           const DataContext& context) {
  const bool with_swr = swr >= kMinSwr;
  std::string out;
  for (const BandRow& r : rows) {
    const std::optional<SwrStresses> s = row_stresses(*r.design, swr);
    const std::vector<Member> row = members(*r.design, r.report, context);
    if (out.empty()) {
      out = concat({"band,edge,infeasible,", csv_header(row, with_swr), "\n"});
    }
    out.append(concat({r.band->name, ",", edge_name(r.edge),
                       r.design->feasible() ? ",0," : ",1,",
                       csv_values(row, with_swr, pointer(s)), "\n"}));
  }
  return out;
}

}  // namespace merid
