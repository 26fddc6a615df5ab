#include "cli/data_output.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <variant>

#include "base/design_fields.h"
#include "base/number_text.h"
#include "cli/analysis_output.h"

namespace merid {
namespace {

bool known(const DesignField& field, const Design& d) {
  return field.known_without_results() || !d.infeasible;
}

std::string json_value(const FieldValue& value) {
  if (const float* x = std::get_if<float>(&value)) {
    return std::isfinite(*x) ? shortest(*x) : "null";
  }
  return shortest(std::get<std::int32_t>(value));
}

std::string csv_value(const FieldValue& value) {
  if (const float* x = std::get_if<float>(&value)) return shortest(*x);
  return shortest(std::get<std::int32_t>(value));
}

std::string json_string(std::string_view text) {
  // Band names, edges, codes and warnings are ASCII: only a quote or a
  // backslash would need escaping.
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::string shortest_double(double x) {
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, x).ptr;
  return std::string(buf, end);
}

// An amplifier field's value; `json` writes null and quotes words.
std::string extra_value(const ExtraValue& value, bool json) {
  if (const float* x = std::get_if<float>(&value)) {
    return json ? json_value(*x) : csv_value(*x);
  }
  if (const double* x = std::get_if<double>(&value)) {
    if (json && !std::isfinite(*x)) return "null";
    return shortest_double(*x);
  }
  if (const auto* word = std::get_if<std::string_view>(&value)) {
    return json ? json_string(*word) : std::string(*word);
  }
  return json ? "null" : "";
}

// One design as the outputs write it: its own fields, those the options
// add, then its warnings.
struct RowView {
  const Design& d;
  const AmplifierOptions& options;
  const AmplifierReport& report;
};

std::string json_warnings(const RowView& v) {
  std::string out = "[";
  for (const DesignWarning& w : v.report.warnings) {
    if (out.size() > 1) out.append(", ");
    out.append(concat(
        {"{\"code\": ", json_string(warning_code(w.code)),
         ", \"text\": ", json_string(warning_text(w, v.d, v.options)), "}"}));
  }
  out.push_back(']');
  return out;
}

std::string csv_warnings(const AmplifierReport& report) {
  std::string out;
  for (const DesignWarning& w : report.warnings) {
    if (!out.empty()) out.push_back(' ');
    out.append(warning_code(w.code));
  }
  return out;
}

// "key": value pairs of the row, joined by `separator`.
std::string json_members(const RowView& v, std::string_view separator) {
  std::string out;
  const auto member = [&](std::string_view name, std::string_view value) {
    if (!out.empty()) out.append(separator);
    out.append(concat({json_string(name), ": ", value}));
  };
  for (const DesignField& field : design_fields()) {
    member(field.name,
           known(field, v.d) ? json_value(field_value(field, v.d)) : "null");
  }
  for (const AmplifierField& field : amplifier_fields()) {
    if (!field.shown(v.options)) continue;
    member(field.name, extra_value(field.get(v.d, v.report, v.options), true));
  }
  member("warnings", json_warnings(v));
  return out;
}

std::string csv_header(const AmplifierOptions& options) {
  std::string out;
  for (const DesignField& field : design_fields()) {
    if (!out.empty()) out.push_back(',');
    out.append(field.name);
  }
  for (const AmplifierField& field : amplifier_fields()) {
    if (field.shown(options)) out.append(concat({",", field.name}));
  }
  out.append(",warnings");
  return out;
}

std::string csv_values(const RowView& v) {
  std::string out;
  bool first = true;
  for (const DesignField& field : design_fields()) {
    if (!first) out.push_back(',');
    first = false;
    if (known(field, v.d)) out.append(csv_value(field_value(field, v.d)));
  }
  for (const AmplifierField& field : amplifier_fields()) {
    if (!field.shown(v.options)) continue;
    out.push_back(',');
    out.append(extra_value(field.get(v.d, v.report, v.options), false));
  }
  out.push_back(',');
  out.append(csv_warnings(v.report));
  return out;
}

std::string band_json_row(const AmplifierRow& r,
                          const AmplifierOptions& options, float swr) {
  const BandRow& row = r.row;
  std::string out = concat({"{\"band\": ", json_string(row.band->name),
                            ", \"edge\": ", json_string(edge_name(row.edge)),
                            ", \"infeasible\": "});
  out.append(row.design.infeasible ? "true" : "false");
  out.append(", ");
  out.append(json_members(RowView{row.design, options, r.report}, ", "));
  if (swr >= kMinSwr && row.design.infeasible) {
    out.append(", \"load_swr\": null");
  }
  if (swr >= kMinSwr && !row.design.infeasible) {
    out += concat({", ", swr_json_member(swr_stresses(row.design, swr), "")});
  }
  out.push_back('}');
  return out;
}

}  // namespace

std::string design_json(const Design& d, const AmplifierOptions& options,
                        const AmplifierReport& report, const SwrStresses* swr) {
  std::string members = json_members(RowView{d, options, report}, ",\n  ");
  if (swr != nullptr) members += concat({",\n  ", swr_json_member(*swr, "  ")});
  return concat({"{\n  ", members, "\n}\n"});
}

std::string design_csv(const Design& d, const AmplifierOptions& options,
                       const AmplifierReport& report, const SwrStresses* swr) {
  const std::string values = csv_values(RowView{d, options, report});
  if (swr == nullptr) {
    return concat({csv_header(options), "\n", values, "\n"});
  }
  return concat({csv_header(options), ",", swr_csv_header(), "\n", values, ",",
                 swr_csv_values(*swr), "\n"});
}

std::string band_table_json(std::span<const AmplifierRow> rows,
                            const AmplifierOptions& options, float swr) {
  std::string out = "[\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    out.append("  ");
    out.append(band_json_row(rows[i], options, swr));
    out.append(i + 1 < rows.size() ? ",\n" : "\n");
  }
  out.append("]\n");
  return out;
}

std::string band_table_csv(std::span<const AmplifierRow> rows,
                           const AmplifierOptions& options, float swr) {
  const bool mismatch = swr >= kMinSwr;
  const std::string swr_header = mismatch ? swr_csv_header() : "";
  std::string out = concat({"band,edge,infeasible,", csv_header(options),
                            mismatch ? "," : "", swr_header, "\n"});
  for (const AmplifierRow& r : rows) {
    const BandRow& row = r.row;
    out.append(row.band->name);
    out.push_back(',');
    out.append(edge_name(row.edge));
    out.append(row.design.infeasible ? ",1," : ",0,");
    out.append(csv_values(RowView{row.design, options, r.report}));
    if (mismatch) {
      out.push_back(',');
      // An infeasible row leaves the cells empty, as its results.
      out.append(row.design.infeasible
                     ? std::string(2 * swr_fields().size(), ',')
                     : swr_csv_values(swr_stresses(row.design, swr)));
    }
    out.push_back('\n');
  }
  return out;
}

}  // namespace merid
