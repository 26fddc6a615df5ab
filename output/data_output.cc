#include "output/data_output.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <variant>

#include "base/number_text.h"
#include "base/parallel.h"
#include "design/load_swr.h"
#include "output/warning_text.h"

namespace merid {
namespace {

std::string shortest_double(double x) {
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, x).ptr;
  return std::string(buf, end);
}

// A field's value as CSV writes it: none empty.
std::string csv_value(const FieldCell& value) {
  if (const float* x = std::get_if<float>(&value)) return shortest(*x);
  if (const double* x = std::get_if<double>(&value)) {
    return shortest_double(*x);
  }
  if (const auto* n = std::get_if<std::int32_t>(&value)) return shortest(*n);
  if (const auto* word = std::get_if<std::string_view>(&value)) {
    return std::string(*word);
  }
  return "";
}

// The same value as JSON writes it, from its CSV text `csv`, which a number
// shares: null for none and for what is not finite, words quoted.
std::string json_value(const FieldCell& value, const std::string& csv) {
  if (const float* x = std::get_if<float>(&value)) {
    return std::isfinite(*x) ? csv : "null";
  }
  if (const double* x = std::get_if<double>(&value)) {
    return std::isfinite(*x) ? csv : "null";
  }
  if (std::holds_alternative<std::int32_t>(value)) return csv;
  if (const auto* word = std::get_if<std::string_view>(&value)) {
    return json_string(*word);
  }
  return "null";
}

// One key and its value as JSON or CSV writes it, or an object of such:
// nested in JSON, its members' columns in line in CSV.
struct Member {
  std::string name;    // JSON key
  std::string column;  // CSV column; an object's members carry their own
  std::string json;
  std::string csv;
  std::vector<Member> members;
  bool object = false;
  // An object that this design has not: null in JSON, its columns empty in
  // CSV.
  bool null = false;
  // An object whose members are written as a JSON array of them (each an
  // object, its name unused), one object a line.
  bool array = false;
};

Member value_member(std::string name, std::string column,
                    const FieldCell& value) {
  std::string csv = csv_value(value);
  std::string json = json_value(value, csv);
  return Member{std::move(name),
                std::move(column),
                std::move(json),
                std::move(csv),
                {},
                false,
                false};
}

Member value_member(std::string_view name, const FieldCell& value) {
  return value_member(std::string(name), std::string(name), value);
}

Member object_member(std::string_view name, std::vector<Member> members) {
  return Member{std::string(name), {}, {}, {}, std::move(members), true, false};
}

// The figures of one drive (or the retuned tank) by the network's SWR
// fields, the columns prefixed "PREFIX_".
std::vector<Member> swr_values(std::span<const SwrField> fields,
                               const std::vector<float>& values,
                               std::string_view prefix) {
  std::vector<Member> out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    out.push_back(value_member(std::string(fields[i].name),
                               concat({prefix, "_", fields[i].name}),
                               values.empty() ? FieldCell{} : values[i]));
  }
  return out;
}

// "load_swr": the SWR (the column load_swr), every drive, the rating
// fields' largest and which gave them, and with --retune the retuned
// tank.  Without figures (an infeasible row) the same members, empty.
Member load_swr_member(const Network& network, const LoadSwr* s,
                       const SwrRequest& request) {
  const std::span<const SwrField> fields = network.swr_fields;
  std::vector<Member> members;
  members.push_back(value_member(
      "swr", "load_swr", s == nullptr ? FieldCell{} : FieldCell{s->swr}));
  for (std::size_t i = 0; i < kSwrDriveCount; ++i) {
    const std::string_view name = swr_drive_name(static_cast<SwrDrive>(i));
    members.push_back(object_member(
        name,
        swr_values(fields,
                   s == nullptr ? std::vector<float>{} : s->drives[i].values,
                   name)));
  }
  std::vector<Member> rating;
  std::vector<Member> from;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!fields[i].rating) continue;
    const std::string_view key = fields[i].name;
    rating.push_back(
        value_member(std::string(key), concat({"rating_", key}),
                     s == nullptr ? FieldCell{} : FieldCell{s->rating[i]}));
    from.push_back(value_member(
        std::string(key), concat({"rating_drive_", key}),
        s == nullptr ? FieldCell{} : FieldCell{s->rating_from[i]}));
  }
  members.push_back(object_member("rating", std::move(rating)));
  members.push_back(object_member("rating_drive", std::move(from)));
  if (request.retune) {
    const RetunedFigures* r =
        s != nullptr && s->retuned ? &*s->retuned : nullptr;
    const auto cell = [r](auto get) -> FieldCell {
      if (r == nullptr) return {};
      return get(*r);
    };
    using F = const RetunedFigures&;
    std::vector<Member> retuned = {
        value_member("c1_min", "retuned_c1_min",
                     cell([](F x) { return x.least.c1; })),
        value_member("c1_max", "retuned_c1_max",
                     cell([](F x) { return x.largest.c1; })),
        value_member("c2_min", "retuned_c2_min",
                     cell([](F x) { return x.least.c2; })),
        value_member("c2_max", "retuned_c2_max",
                     cell([](F x) { return x.largest.c2; })),
        value_member("unmatched", "retuned_unmatched",
                     cell([](F x) { return std::int32_t{x.unmatched}; })),
    };
    if (request.capacitors.any()) {
      retuned.push_back(value_member(
          "matchable", "retuned_matchable", cell([](F x) -> FieldCell {
            return std::int32_t{x.matchable.value_or(0)};
          })));
    }
    for (Member& m :
         swr_values(fields, r == nullptr ? std::vector<float>{} : r->values,
                    kRetunedName)) {
      retuned.push_back(std::move(m));
    }
    members.push_back(object_member(kRetunedName, std::move(retuned)));
  }
  Member out = object_member("load_swr", std::move(members));
  out.null = s == nullptr;
  return out;
}

// "parts": whether each capacitor the bench has a range for holds the
// value the design needs (JSON's true or false, CSV's 1 or 0), and by how
// many pF it misses (0 when it fits); null for one without a range.
Member parts_member(const AmplifierReport& report) {
  std::vector<Member> fits;
  std::vector<Member> misses;
  for (std::size_t i = 0; i < kTunedCapacitors; ++i) {
    const std::string_view c = i == 0 ? "c1" : "c2";
    const CapacitorFit* f = report.parts && report.parts->capacitors[i]
                                ? &*report.parts->capacitors[i]
                                : nullptr;
    const std::string_view fit_text = f == nullptr ? "null"
                                      : f->fits    ? "true"
                                                   : "false";
    const std::string_view fit_csv = f == nullptr ? "" : f->fits ? "1" : "0";
    const FieldCell miss = f == nullptr ? FieldCell{} : FieldCell{f->miss};
    const std::string fit_key = concat({c, "_fits"});
    fits.push_back(Member{fit_key,
                          fit_key,
                          std::string(fit_text),
                          std::string(fit_csv),
                          {},
                          false,
                          false});
    misses.push_back(
        value_member(concat({c, "_miss"}), concat({c, "_miss"}), miss));
  }
  for (Member& m : misses) fits.push_back(std::move(m));
  Member out = object_member("parts", std::move(fits));
  out.null = !report.parts;
  return out;
}

// A figure of the harmonic analysis, double precision inside, written as
// the shortest text of its single-precision value (as every other figure
// is), or none.
FieldCell number_cell(const std::optional<double>& x) {
  if (!x) return {};
  return static_cast<float>(*x);
}

// true or false in JSON, 1 or 0 in CSV, or none.
Member yes_no(std::string name, std::string column,
              const std::optional<bool>& x) {
  const std::string_view json = !x ? "null" : *x ? "true" : "false";
  const std::string_view csv = !x ? "" : *x ? "1" : "0";
  return Member{std::move(name),
                std::move(column),
                std::string(json),
                std::string(csv),
                {},
                false,
                false,
                false};
}

// "emissions": the harmonics at the load and what the limit asks, the
// harmonics an array of objects (CSV: hN_KEY), the rest emissions_KEY;
// without figures (an infeasible row) the same members, empty.
Member emissions_member(const DesignModel& d, const Emissions* e,
                        const AmplifierOptions& options) {
  const auto column = [](std::string_view key) {
    return concat({"emissions_", key});
  };
  const auto value = [&](std::string_view key, const FieldCell& cell) {
    return value_member(std::string(key), column(key), cell);
  };
  std::vector<Member> members;
  members.push_back(
      value("conduction", e == nullptr
                              ? FieldCell{}
                              : FieldCell{static_cast<float>(e->conduction)}));
  members.push_back(value("rule", e == nullptr || e->rule.empty()
                                      ? FieldCell{}
                                      : FieldCell{e->rule}));
  std::vector<Member> harmonics;
  for (int i = 0; i < kHarmonicCount; ++i) {
    const HarmonicEmission* h = e == nullptr ? nullptr : &e->harmonics[i];
    const std::string prefix =
        concat({"h", std::to_string(kFirstHarmonic + i), "_"});
    const auto cell = [h](auto get) -> FieldCell {
      if (h == nullptr) return {};
      return get(*h);
    };
    using H = const HarmonicEmission&;
    std::vector<Member> m = {
        value_member("n", concat({prefix, "n"}),
                     cell([](H x) { return std::int32_t{x.n}; })),
        value_member("f", concat({prefix, "f"}),
                     cell([](H x) { return static_cast<float>(x.f_mhz); })),
        value_member("dbc", concat({prefix, "dbc"}),
                     cell([](H x) { return static_cast<float>(x.dbc); })),
        value_member("watts", concat({prefix, "watts"}),
                     cell([](H x) { return static_cast<float>(x.watts); })),
        value_member("dbm", concat({prefix, "dbm"}),
                     cell([](H x) { return static_cast<float>(x.dbm); })),
        value_member("limit_dbc", concat({prefix, "limit_dbc"}),
                     h == nullptr ? FieldCell{} : number_cell(h->limit_dbc)),
        value_member("margin", concat({prefix, "margin"}),
                     h == nullptr ? FieldCell{} : number_cell(h->margin)),
        yes_no("pass", concat({prefix, "pass"}),
               h == nullptr ? std::nullopt : h->pass),
    };
    harmonics.push_back(object_member("", std::move(m)));
  }
  Member list = object_member("harmonics", std::move(harmonics));
  list.array = true;
  members.push_back(std::move(list));
  members.push_back(value(
      "carrier_watts", e == nullptr
                           ? FieldCell{}
                           : FieldCell{static_cast<float>(e->carrier_watts)}));
  members.push_back(value(
      "coil_srf", e == nullptr ? FieldCell{} : number_cell(e->coil_srf_mhz)));
  members.push_back(value("worst_margin", e == nullptr
                                              ? FieldCell{}
                                              : number_cell(e->worst_margin)));
  // The search's result, under the key the network names.
  const std::string_view key = d.limit_search().key;
  if (options.emissions->limited() && !key.empty()) {
    const LimitSearch* s = e != nullptr && e->search ? &*e->search : nullptr;
    members.push_back(
        value(key, s == nullptr ? FieldCell{} : number_cell(s->value)));
    members.push_back(value(
        "shortfall", s == nullptr ? FieldCell{} : number_cell(s->shortfall)));
  }
  Member out = object_member("emissions", std::move(members));
  out.null = e == nullptr;
  return out;
}

// One design as the outputs write it: the fields of its network (a
// design's own fields, those the options add, its warnings), and with
// --swr the figures under a mismatched load.
std::vector<Member> members(const DesignModel& d, const AmplifierReport& report,
                            const DataContext& context) {
  std::vector<Member> out;
  // A design of any network but the default says which it is, first.
  if (&d.network() != networks().front()) {
    out.push_back(value_member("network", d.network().name));
  }
  // A network of given elements says so, and what the amplifier sees.
  if (d.inputs().elements) {
    out.push_back(value_member("elements", std::string_view("given")));
    const std::optional<GivenFigures> given = given_figures(d);
    const auto cell = [&given](auto get) -> FieldCell {
      if (!given) return {};
      return get(*given);
    };
    using G = const GivenFigures&;
    out.push_back(value_member("zin_r", cell([](G g) { return g.zin.re; })));
    out.push_back(value_member("zin_x", cell([](G g) { return g.zin.im; })));
    out.push_back(value_member("swr_in", cell([](G g) { return g.swr; })));
  }
  for (const Field& field : d.network().fields) {
    if (field.in_data()) out.push_back(value_member(field.key, d.value(field)));
  }
  for (const AmplifierField& field : amplifier_fields()) {
    if (field.shown(context.options)) {
      out.push_back(
          value_member(field.name, field.get(report, context.options)));
    }
  }
  if (context.options.capacitors.any()) out.push_back(parts_member(report));
  if (context.options.emissions) {
    out.push_back(emissions_member(
        d, report.emissions ? &*report.emissions : nullptr, context.options));
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
  out.push_back(Member{"warnings",
                       "warnings",
                       std::move(json),
                       std::move(csv),
                       {},
                       false,
                       false});
  return out;
}

// The members of an object as JSON: each on its own line after `indent`
// and two blanks a level, or all on one line for an empty `indent`.
std::string json_members(const std::vector<Member>& row,
                         std::string_view indent, std::size_t depth) {
  const bool one_line = indent.empty();
  const std::string start =
      one_line ? std::string()
               : concat({"\n", indent, std::string(2 * depth, ' ')});
  std::string out;
  for (const Member& m : row) {
    if (&m != &row.front()) out.append(one_line ? ", " : ",");
    out.append(concat({start, json_string(m.name), ": "}));
    if (!m.object) {
      out.append(m.json);
    } else if (m.null) {
      out.append("null");
    } else {
      const std::string end =
          one_line ? std::string()
                   : concat({"\n", indent, std::string(2 * depth, ' ')});
      if (m.array) {
        const std::string item =
            one_line ? std::string()
                     : concat({"\n", indent, std::string(2 * depth + 2, ' ')});
        out.append("[");
        for (const Member& element : m.members) {
          if (&element != &m.members.front()) out.append(one_line ? ", " : ",");
          out.append(
              concat({item, "{", json_members(element.members, "", 0), "}"}));
        }
        out.append(concat({end, "]"}));
        continue;
      }
      out.append(
          concat({"{", json_members(m.members, indent, depth + 1), end, "}"}));
    }
  }
  return out;
}

// The CSV columns of `row` in order, an object's members in its place.
void csv_cells(const std::vector<Member>& row, bool header, bool empty,
               std::vector<std::string>& out) {
  for (const Member& m : row) {
    if (m.object) {
      csv_cells(m.members, header, empty || m.null, out);
    } else {
      out.push_back(header ? m.column : empty ? std::string() : m.csv);
    }
  }
}

std::string csv_line(const std::vector<Member>& row, bool header) {
  std::vector<std::string> cells;
  csv_cells(row, header, false, cells);
  std::string out;
  for (const std::string& c : cells) {
    if (!out.empty() || &c != &cells.front()) out.push_back(',');
    out.append(c);
  }
  return out;
}

// The members of a row with --swr: its own, then load_swr last.
std::vector<Member> row_members(const DesignModel& d,
                                const AmplifierReport& report,
                                const LoadSwr* swr,
                                const std::optional<SwrRequest>& request,
                                const DataContext& context) {
  std::vector<Member> row = members(d, report, context);
  if (request) row.push_back(load_swr_member(d.network(), swr, *request));
  return row;
}

// What `swr` was asked with, as far as its members show it.
std::optional<SwrRequest> shape_of(const LoadSwr* swr,
                                   const DataContext& context) {
  if (swr == nullptr) return std::nullopt;
  return SwrRequest{swr->swr, swr->retuned.has_value(),
                    context.options.capacitors};
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
                        const LoadSwr* swr, const DataContext& context) {
  const std::optional<SwrRequest> request = shape_of(swr, context);
  return concat(
      {"{",
       json_members(row_members(d, report, swr, request, context), "  ", 0),
       "\n}\n"});
}

std::string design_csv(const DesignModel& d, const AmplifierReport& report,
                       const LoadSwr* swr, const DataContext& context) {
  const std::optional<SwrRequest> request = shape_of(swr, context);
  const std::vector<Member> row = row_members(d, report, swr, request, context);
  return concat({csv_line(row, true), "\n", csv_line(row, false), "\n"});
}

std::string infeasible_json(const DesignModel& d, std::optional<float> qn_min,
                            const AmplifierReport& report,
                            const DataContext& context) {
  return concat({"{\n  \"infeasible\": true,\n  \"qn_min\": ",
                 qn_min ? json_number(*qn_min) : "null", ",",
                 json_members(members(d, report, context), "  ", 0), "\n}\n"});
}

std::string infeasible_csv(const DesignModel& d, std::optional<float> qn_min,
                           const AmplifierReport& report,
                           const DataContext& context) {
  const std::vector<Member> row = members(d, report, context);
  return concat({"infeasible,qn_min,", csv_line(row, true), "\n1,",
                 qn_min ? shortest(*qn_min) : "", ",", csv_line(row, false),
                 "\n"});
}

std::string band_table_json(const std::vector<BandRow>& rows,
                            const std::optional<SwrRequest>& request,
                            const DataContext& context) {
  // The rows' texts are independent: made on the cores, joined in order.
  std::vector<std::string> lines(rows.size());
  parallel_for(rows.size(), [&](std::size_t i) {
    const BandRow& r = rows[i];
    const std::optional<LoadSwr>& s = r.swr;
    lines[i] = concat(
        {"  {\"band\": ", json_string(r.band->name),
         ", \"edge\": ", json_string(edge_name(r.edge)),
         ", \"infeasible\": ", r.design->feasible() ? "false" : "true", ", ",
         json_members(row_members(*r.design, r.report, s ? &*s : nullptr,
                                  request, context),
                      "", 0),
         "}", i + 1 < rows.size() ? ",\n" : "\n"});
  });
  std::string out = "[\n";
  for (const std::string& line : lines) out.append(line);
  out.append("]\n");
  return out;
}

std::string band_table_csv(const std::vector<BandRow>& rows,
                           const std::optional<SwrRequest>& request,
                           const DataContext& context) {
  // The rows' lines are independent: made on the cores, joined in order
  // under the first row's heading.
  std::vector<std::string> lines(rows.size());
  std::string heading;
  parallel_for(rows.size(), [&](std::size_t i) {
    const BandRow& r = rows[i];
    const std::optional<LoadSwr>& s = r.swr;
    const std::vector<Member> row =
        row_members(*r.design, r.report, s ? &*s : nullptr, request, context);
    if (i == 0) {
      heading = concat({"band,edge,infeasible,", csv_line(row, true), "\n"});
    }
    lines[i] = concat({r.band->name, ",", edge_name(r.edge),
                       r.design->feasible() ? ",0," : ",1,",
                       csv_line(row, false), "\n"});
  });
  std::string out = std::move(heading);
  for (const std::string& line : lines) out.append(line);
  return out;
}

}  // namespace merid
