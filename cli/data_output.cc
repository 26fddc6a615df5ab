#include "cli/data_output.h"

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

std::string band_json_row(const BandRow& row, float swr) {
  std::string out = concat({"{\"band\": ", json_string(row.band->name),
                            ", \"edge\": ", json_string(edge_name(row.edge)),
                            ", \"infeasible\": "});
  out.append(row.design.infeasible ? "true" : "false");
  out.append(", ");
  out.append(json_members(row.design, ", "));
  if (swr >= kMinSwr && row.design.infeasible)
    out.append(", \"load_swr\": null");
  if (swr >= kMinSwr && !row.design.infeasible) {
    out += concat({", ", swr_json_member(swr_stresses(row.design, swr), "")});
  }
  out.push_back('}');
  return out;
}

}  // namespace

std::string design_json(const Design& d, const SwrStresses* swr) {
  std::string members = json_members(d, ",\n  ");
  if (swr != nullptr) members += concat({",\n  ", swr_json_member(*swr, "  ")});
  return concat({"{\n  ", members, "\n}\n"});
}

std::string design_csv(const Design& d, const SwrStresses* swr) {
  if (swr == nullptr) {
    return concat({csv_header(), "\n", csv_values(d), "\n"});
  }
  return concat({csv_header(), ",", swr_csv_header(), "\n", csv_values(d), ",",
                 swr_csv_values(*swr), "\n"});
}

std::string band_table_json(std::span<const BandRow> rows, float swr) {
  std::string out = "[\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    out.append("  ");
    out.append(band_json_row(rows[i], swr));
    out.append(i + 1 < rows.size() ? ",\n" : "\n");
  }
  out.append("]\n");
  return out;
}

std::string band_table_csv(std::span<const BandRow> rows, float swr) {
  const bool mismatch = swr >= kMinSwr;
  const std::string swr_header = mismatch ? swr_csv_header() : "";
  std::string out = concat({"band,edge,infeasible,", csv_header(),
                            mismatch ? "," : "", swr_header, "\n"});
  for (const BandRow& row : rows) {
    out.append(row.band->name);
    out.push_back(',');
    out.append(edge_name(row.edge));
    out.append(row.design.infeasible ? ",1," : ",0,");
    out.append(csv_values(row.design));
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
