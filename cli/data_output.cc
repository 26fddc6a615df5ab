#include "cli/data_output.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "base/design_fields.h"
#include "base/number_text.h"
#include "cli/analysis_output.h"
#include "cli/pi_l_output.h"

namespace merid {
namespace {

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

struct NamedValue {
  std::string_view name;
  FieldCell value;
};

// The fields of the network itself, none where an infeasible design has
// no value.
std::vector<NamedValue> own_fields(const Design& d) {
  std::vector<NamedValue> out;
  for (const DesignField& field : design_fields()) {
    FieldCell value;
    if (field.known_without_results() || !d.infeasible) {
      std::visit([&value](auto x) { value = x; }, field_value(field, d));
    }
    out.push_back({field.name, value});
  }
  return out;
}

std::vector<NamedValue> own_fields(const PiLDesign& d) {
  std::vector<NamedValue> out = {{"network", kPiLNetworkName}};
  for (const PiLField& field : pi_l_fields()) {
    FieldCell value;
    if (field.input || !d.infeasible) value = field.get(d);
    out.push_back({field.name, value});
  }
  return out;
}

// One design as the outputs write it: its own fields, those the options
// add, its warnings, and with --swr the stresses under a mismatched load
// (none for an infeasible design).
struct RowView {
  std::vector<NamedValue> fields;
  const AmplifierOptions& options;
  const AmplifierReport& report;
  const SwrStresses* swr = nullptr;
};

std::string json_warnings(const RowView& v) {
  std::string out = "[";
  for (const DesignWarning& w : v.report.warnings) {
    if (out.size() > 1) out.append(", ");
    out.append(
        concat({"{\"code\": ", json_string(warning_code(w.code)),
                ", \"text\": ", json_string(warning_text(w, v.options)), "}"}));
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

// "key": value pairs of the row, joined by `separator`; `swr_indent` is
// that of the load_swr object's members.
std::string json_members(const RowView& v, std::string_view separator,
                         bool with_swr, std::string_view swr_indent) {
  std::string out;
  const auto member = [&](std::string_view name, std::string_view value) {
    if (!out.empty()) out.append(separator);
    out.append(concat({json_string(name), ": ", value}));
  };
  for (const NamedValue& field : v.fields) {
    member(field.name, output_value(field.value, true));
  }
  for (const AmplifierField& field : amplifier_fields()) {
    if (!field.shown(v.options)) continue;
    member(field.name, output_value(field.get(v.report, v.options), true));
  }
  member("warnings", json_warnings(v));
  if (with_swr && v.swr == nullptr) member("load_swr", "null");
  if (with_swr && v.swr != nullptr) {
    out += concat({separator, swr_json_member(*v.swr, swr_indent)});
  }
  return out;
}

std::string csv_header(const RowView& v, bool with_swr) {
  std::string out;
  for (const NamedValue& field : v.fields) {
    if (!out.empty()) out.push_back(',');
    out.append(field.name);
  }
  for (const AmplifierField& field : amplifier_fields()) {
    if (field.shown(v.options)) out.append(concat({",", field.name}));
  }
  out.append(",warnings");
  if (with_swr) out.append(concat({",", swr_csv_header()}));
  return out;
}

std::string csv_values(const RowView& v, bool with_swr) {
  std::string out;
  bool first = true;
  for (const NamedValue& field : v.fields) {
    if (!first) out.push_back(',');
    first = false;
    out.append(output_value(field.value, false));
  }
  for (const AmplifierField& field : amplifier_fields()) {
    if (!field.shown(v.options)) continue;
    out.push_back(',');
    out.append(output_value(field.get(v.report, v.options), false));
  }
  out.push_back(',');
  out.append(csv_warnings(v.report));
  if (!with_swr) return out;
  out.push_back(',');
  // An infeasible row leaves the cells empty, as its results.
  out.append(v.swr == nullptr ? std::string(2 * swr_fields().size(), ',')
                              : swr_csv_values(*v.swr));
  return out;
}

std::string one_json(const RowView& v) {
  return concat(
      {"{\n  ", json_members(v, ",\n  ", v.swr != nullptr, "  "), "\n}\n"});
}

std::string one_csv(const RowView& v) {
  const bool with_swr = v.swr != nullptr;
  return concat({csv_header(v, with_swr), "\n", csv_values(v, with_swr), "\n"});
}

// The stresses of a feasible row under an SWR `swr` (0: none asked).
std::optional<SwrStresses> row_stresses(const Design& d, float swr) {
  if (swr < kMinSwr || d.infeasible) return std::nullopt;
  return swr_stresses(d, swr);
}
std::optional<SwrStresses> row_stresses(const PiLDesign&, float) {
  return std::nullopt;
}

template <typename NetworkDesign>
std::string rows_json(std::span<const AmplifierRowOf<NetworkDesign>> rows,
                      const AmplifierOptions& options, float swr) {
  std::string out = "[\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const BandRowOf<NetworkDesign>& row = rows[i].row;
    const std::optional<SwrStresses> s = row_stresses(row.design, swr);
    const RowView v{own_fields(row.design), options, rows[i].report,
                    s ? &*s : nullptr};
    out.append(
        concat({"  {\"band\": ", json_string(row.band->name),
                ", \"edge\": ", json_string(edge_name(row.edge)),
                ", \"infeasible\": ", row.design.infeasible ? "true" : "false",
                ", ", json_members(v, ", ", swr >= kMinSwr, ""), "}",
                i + 1 < rows.size() ? ",\n" : "\n"}));
  }
  out.append("]\n");
  return out;
}

template <typename NetworkDesign>
std::string rows_csv(std::span<const AmplifierRowOf<NetworkDesign>> rows,
                     const AmplifierOptions& options, float swr) {
  const bool with_swr = swr >= kMinSwr;
  std::string out;
  for (const AmplifierRowOf<NetworkDesign>& r : rows) {
    const BandRowOf<NetworkDesign>& row = r.row;
    const std::optional<SwrStresses> s = row_stresses(row.design, swr);
    const RowView v{own_fields(row.design), options, r.report,
                    s ? &*s : nullptr};
    if (out.empty()) {
      out = concat({"band,edge,infeasible,", csv_header(v, with_swr), "\n"});
    }
    out.append(concat({row.band->name, ",", edge_name(row.edge),
                       row.design.infeasible ? ",1," : ",0,",
                       csv_values(v, with_swr), "\n"}));
  }
  return out;
}

}  // namespace

std::string design_json(const Design& d, const AmplifierOptions& options,
                        const AmplifierReport& report, const SwrStresses* swr) {
  return one_json(RowView{own_fields(d), options, report, swr});
}

std::string design_json(const PiLDesign& d, const AmplifierOptions& options,
                        const AmplifierReport& report) {
  return one_json(RowView{own_fields(d), options, report});
}

std::string design_csv(const Design& d, const AmplifierOptions& options,
                       const AmplifierReport& report, const SwrStresses* swr) {
  return one_csv(RowView{own_fields(d), options, report, swr});
}

std::string design_csv(const PiLDesign& d, const AmplifierOptions& options,
                       const AmplifierReport& report) {
  return one_csv(RowView{own_fields(d), options, report});
}

std::string band_table_json(std::span<const AmplifierRow> rows,
                            const AmplifierOptions& options, float swr) {
  return rows_json(rows, options, swr);
}

std::string band_table_json(std::span<const PiLAmplifierRow> rows,
                            const AmplifierOptions& options) {
  return rows_json(rows, options, 0.0f);
}

std::string band_table_csv(std::span<const AmplifierRow> rows,
                           const AmplifierOptions& options, float swr) {
  return rows_csv(rows, options, swr);
}

std::string band_table_csv(std::span<const PiLAmplifierRow> rows,
                           const AmplifierOptions& options) {
  return rows_csv(rows, options, 0.0f);
}

}  // namespace merid
