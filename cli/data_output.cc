#include "cli/data_output.h"

#include <cmath>
#include <string_view>
#include <variant>

#include "base/design_fields.h"
#include "base/number_text.h"

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
  // Band names and edges are plain ASCII words: nothing to escape.
  return concat({"\"", text, "\""});
}

// "key": value pairs of the design, joined by `separator`.
std::string json_members(const Design& d, std::string_view separator) {
  std::string out;
  for (const DesignField& field : design_fields()) {
    if (!out.empty()) out.append(separator);
    out.append(json_string(field.name));
    out.append(": ");
    out.append(known(field, d) ? json_value(field_value(field, d)) : "null");
  }
  return out;
}

std::string csv_header() {
  std::string out;
  for (const DesignField& field : design_fields()) {
    if (!out.empty()) out.push_back(',');
    out.append(field.name);
  }
  return out;
}

std::string csv_values(const Design& d) {
  std::string out;
  bool first = true;
  for (const DesignField& field : design_fields()) {
    if (!first) out.push_back(',');
    first = false;
    if (known(field, d)) out.append(csv_value(field_value(field, d)));
  }
  return out;
}

std::string band_json_row(const BandRow& row) {
  std::string out = concat({"{\"band\": ", json_string(row.band->name),
                            ", \"edge\": ", json_string(edge_name(row.edge)),
                            ", \"infeasible\": "});
  out.append(row.design.infeasible ? "true" : "false");
  out.append(", ");
  out.append(json_members(row.design, ", "));
  out.push_back('}');
  return out;
}

}  // namespace

std::string design_json(const Design& d) {
  return concat({"{\n  ", json_members(d, ",\n  "), "\n}\n"});
}

std::string design_csv(const Design& d) {
  return concat({csv_header(), "\n", csv_values(d), "\n"});
}

std::string band_table_json(std::span<const BandRow> rows) {
  std::string out = "[\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    out.append("  ");
    out.append(band_json_row(rows[i]));
    out.append(i + 1 < rows.size() ? ",\n" : "\n");
  }
  out.append("]\n");
  return out;
}

std::string band_table_csv(std::span<const BandRow> rows) {
  std::string out = concat({"band,edge,infeasible,", csv_header(), "\n"});
  for (const BandRow& row : rows) {
    out.append(row.band->name);
    out.push_back(',');
    out.append(edge_name(row.edge));
    out.append(row.design.infeasible ? ",1," : ",0,");
    out.append(csv_values(row.design));
    out.push_back('\n');
  }
  return out;
}

}  // namespace merid
