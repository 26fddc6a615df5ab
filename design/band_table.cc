#include "design/band_table.h"

#include <iterator>
#include <utility>

#include "base/inputs.h"
#include "base/parallel.h"
#include "text/calc_texts.h"

namespace merid {
namespace {

constexpr AmateurBand kAmateurBands[] = {
    {"160m", local_text<&CalcTexts::band160m>, {1.8f, 1.9f, 2.0f}},
    {"80m", local_text<&CalcTexts::band80m>, {3.5f, 3.65f, 3.8f}},
    {"40m", local_text<&CalcTexts::band40m>, {7.0f, 7.1f, 7.2f}},
    {"30m", local_text<&CalcTexts::band30m>, {10.1f, 10.125f, 10.15f}},
    {"20m", local_text<&CalcTexts::band20m>, {14.0f, 14.175f, 14.35f}},
    {"17m", local_text<&CalcTexts::band17m>, {18.068f, 18.118f, 18.168f}},
    {"15m", local_text<&CalcTexts::band15m>, {21.0f, 21.225f, 21.45f}},
    {"12m", local_text<&CalcTexts::band12m>, {24.89f, 24.94f, 24.99f}},
    {"10m", local_text<&CalcTexts::band10m>, {28.0f, 28.85f, 29.7f}},
    {"6m", local_text<&CalcTexts::band6m>, {50.0f, 52.0f, 54.0f}},
    {"2m", local_text<&CalcTexts::band2m>, {144.0f, 146.0f, 148.0f}},
};

float edge_of(const AmateurBand& band, BandEdge edge) {
  return band.f[static_cast<std::size_t>(edge)];
}

// The three rows of `band` with the coils of its upper edge.
void fixed_coil_band(const AmateurBand& band, const DesignModel& inputs,
                     const AmplifierOptions& options,
                     std::vector<BandRow>& rows) {
  const TankDesign top = design_at(inputs, edge_of(band, BandEdge::kHigh));
  const LoadedQRange range = accepted_loaded_q(inputs.inputs().q0);
  for (const BandEdge edge : {BandEdge::kLow, BandEdge::kCentre}) {
    const float f = edge_of(band, edge);
    if (!top->feasible()) {
      const TankDesign d = design_at(inputs, f);
      rows.push_back({&band, edge, d, amplifier_report(*d, options), {}});
      continue;
    }
    const CoilRow coil = top->fixed_coil_row(f, range);
    AmplifierReport report = amplifier_report(*coil.design, options);
    report.coil = coil.fit;
    report.l_fixed = coil.l_fixed;
    rows.push_back({&band, edge, coil.design, std::move(report), {}});
  }
  AmplifierReport report = amplifier_report(*top, options);
  if (top->feasible()) {
    report.coil = CoilFit::kTap;
    report.l_fixed = top->tapped_coil();
  }
  rows.push_back({&band, BandEdge::kHigh, top, std::move(report), {}});
}

}  // namespace

std::span<const AmateurBand> amateur_bands() { return kAmateurBands; }

std::string_view edge_name(BandEdge edge) {
  switch (edge) {
    case BandEdge::kLow:
      return "low";
    case BandEdge::kCentre:
      return "centre";
    case BandEdge::kHigh:
      break;
  }
  return "high";
}

std::vector<BandRow> band_table(const DesignModel& inputs,
                                const AmplifierOptions& options,
                                const std::optional<SwrRequest>& swr) {
  // A band's rows share its coils, and nothing else: a band is the piece
  // of work a core takes.  The highest bands first: their sweeps are the
  // longest (2 m several times any other band's), and a long piece taken
  // last would leave the other cores idle.
  std::vector<std::vector<BandRow>> bands(std::size(kAmateurBands));
  parallel_for(bands.size(), [&](std::size_t piece) {
    const std::size_t b = bands.size() - 1 - piece;
    const AmateurBand& band = kAmateurBands[b];
    std::vector<BandRow>& rows = bands[b];
    if (options.fixed_coil) {
      fixed_coil_band(band, inputs, options, rows);
    } else {
      for (const BandEdge edge :
           {BandEdge::kLow, BandEdge::kCentre, BandEdge::kHigh}) {
        // Nothing of an earlier row may stand in a later one.
        const TankDesign d = design_at(inputs, edge_of(band, edge));
        rows.push_back({&band, edge, d, amplifier_report(*d, options), {}});
      }
    }
    if (!swr) return;
    for (BandRow& row : rows) {
      if (row.design->feasible()) row.swr = load_swr(*row.design, *swr);
    }
  });
  std::vector<BandRow> rows;
  for (std::vector<BandRow>& band : bands) {
    for (BandRow& row : band) rows.push_back(std::move(row));
  }
  return rows;
}

bool has_infeasible_row(const std::vector<BandRow>& rows) {
  for (const BandRow& row : rows) {
    if (!row.design->feasible()) return true;
  }
  return false;
}

}  // namespace merid
