#include "cli/analysis_output.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "base/design_fields.h"
#include "base/number_text.h"
#include "calc/harmonics.h"
#include "cli/text_lines.h"
#include "text/calc_texts.h"
#include "text/line_format.h"

namespace merid {
namespace {

template <auto Member>
float rms_of(const MismatchStresses& m) {
  return m.*Member;
}
template <auto Member>
float peak_of(const MismatchStresses& m) {
  return peak(m.*Member);
}

using M = MismatchStresses;
constexpr auto kSwrFields = std::to_array<SwrField>({
    {"uc1", "largest voltage across C1, V RMS", rms_of<&M::uc1>},
    {"uc1_peak", "its peak, V", peak_of<&M::uc1>},
    {"uc2", "largest voltage across C2, V RMS", rms_of<&M::uc2>},
    {"uc2_peak", "its peak, V", peak_of<&M::uc2>},
    {"ul", "largest voltage across L, V RMS", rms_of<&M::ul>},
    {"ul_peak", "its peak, V", peak_of<&M::ul>},
    {"ic1", "largest current in C1, A RMS", rms_of<&M::ic1>},
    {"ic1_peak", "its peak, A", peak_of<&M::ic1>},
    {"ic2", "largest current in C2, A RMS", rms_of<&M::ic2>},
    {"ic2_peak", "its peak, A", peak_of<&M::ic2>},
    {"il", "largest current in L, A RMS", rms_of<&M::il>},
    {"il_peak", "its peak, A", peak_of<&M::il>},
    {"pload", "largest power into the load, W", rms_of<&M::pload>},
    {"ploss", "largest power lost in the coil, W", rms_of<&M::ploss>},
    {"r_min", "least input resistance, ohm", rms_of<&M::r_min>},
    {"r_max", "largest input resistance, ohm", rms_of<&M::r_max>},
    {"x_min", "least input reactance, ohm", rms_of<&M::x_min>},
    {"x_max", "largest input reactance, ohm", rms_of<&M::x_max>},
    {"s11_min", "least |S11| at the input", rms_of<&M::s11_min>},
    {"s11_max", "largest |S11| at the input", rms_of<&M::s11_max>},
});

// The text rows pair each RMS value with its peak, then the extremes.
static_assert(kSwrFields.size() == 2 * kSwrRowLabels.size());

struct Drives {
  std::string_view name;
  const MismatchStresses* stresses;
};

std::array<Drives, 2> drives(const SwrStresses& s) {
  return {
      {{kMatchedDrive, &s.matched}, {kHighImpedanceDrive, &s.high_impedance}}};
}

std::string json_number(float x) {
  return std::isfinite(x) ? shortest(x) : "null";
}

}  // namespace

std::span<const SwrField> swr_fields() { return kSwrFields; }

void write_harmonics_text(ByteSink& out, const Design& d) {
  const HarmonicTable h = harmonic_table(d);
  write_heading(out, kHarmonicsHeading);
  // The second harmonic is on the screen above.
  for (std::size_t i = 1; i < kHarmonicCount; ++i) {
    write_line(out, two_column_row(kHarmonicKuLabels[i - 1], h.ku[i],
                                   kHarmonicKiLabels[i - 1], h.ki[i]));
  }
}

void write_swr_text(ByteSink& out, const SwrStresses& s) {
  for (const Drives& drive : drives(s)) {
    const std::string_view tail = drive.name == kMatchedDrive
                                      ? kSwrHeadingMatched
                                      : kSwrHeadingHighImpedance;
    write_heading(out, concat({kSwrHeadingStart, plain(s.swr), tail}));
    write_line(out, kSwrNote);
    for (std::size_t row = 0; row < kSwrRowLabels.size(); ++row) {
      const SwrField& left = kSwrFields[2 * row];
      const SwrField& right = kSwrFields[2 * row + 1];
      write_line(out, two_column_row(
                          kSwrRowLabels[row][0], left.get(*drive.stresses),
                          kSwrRowLabels[row][1], right.get(*drive.stresses)));
    }
  }
}

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
  for (const Drives& drive : drives(s)) {
    out += concat({comma, line(1), "\"", drive.name, "\": {"});
    bool first = true;
    for (const SwrField& field : kSwrFields) {
      out += concat({first ? "" : comma, line(2), "\"", field.name,
                     "\": ", json_number(field.get(*drive.stresses))});
      first = false;
    }
    out += concat({line(1), "}"});
  }
  return out + concat({line(0), "}"});
}

std::string swr_csv_header() {
  std::string out = "load_swr";
  for (const std::string_view drive : {kMatchedDrive, kHighImpedanceDrive}) {
    for (const SwrField& field : kSwrFields) {
      out += concat({",", drive, "_", field.name});
    }
  }
  return out;
}

std::string swr_csv_values(const SwrStresses& s) {
  std::string out = shortest(s.swr);
  for (const Drives& drive : drives(s)) {
    for (const SwrField& field : kSwrFields) {
      out += concat({",", shortest(field.get(*drive.stresses))});
    }
  }
  return out;
}

}  // namespace merid
