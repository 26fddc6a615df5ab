#include "design/load_swr.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "base/parallel.h"
#include "calc/constants.h"
#include "calc/mismatch.h"

namespace merid {
namespace {

// The figures of `fields` from the network's quantities' extremes.
std::vector<float> figures(std::span<const SwrField> fields,
                           const std::vector<float>& largest) {
  std::vector<float> out;
  for (const SwrField& field : fields) {
    const float q = largest[field.quantity];
    switch (field.take) {
      case SwrField::Take::kValue:
        out.push_back(q);
        break;
      case SwrField::Take::kNegated:
        out.push_back(-q);
        break;
      case SwrField::Take::kPeak:
        out.push_back(peak(q));
        break;
    }
  }
  return out;
}

bool within(const std::optional<CapacitorRange>& range, float c) {
  return !range || (c >= range->low && c <= range->high);
}

// The retuned tank at a batch of loads: the network's quantities, then
// C1, -C1, C2 and -C2 (pF), so that their extremes are the capacitors'
// ranges.
void retuned_with_setting(const SwrAnalysis& a, const LoadBatch& batch) {
  const std::size_t n = a.quantities;
  const std::size_t m = batch.loads.size();
  std::vector<TunedSetting> settings(m);
  a.retuned(LoadBatch{batch.loads, batch.values.first(n * m), batch.given},
            settings);
  for (std::size_t j = 0; j < m; ++j) {
    batch.value(n, j) = settings[j].c1;
    batch.value(n + 1, j) = -settings[j].c1;
    batch.value(n + 2, j) = settings[j].c2;
    batch.value(n + 3, j) = -settings[j].c2;
  }
}

// How many of the kSwrPhases phase steps have a setting that the bench's
// capacitors reach, from the retuned circle's scan.
int matchable_steps(const CircleScan& scan, std::size_t n,
                    const CapacitorRanges& bench) {
  int inside = 0;
  for (std::size_t k = 0; k < kSwrPhases; ++k) {
    // At swr 1 the one load stands for every step.
    const std::size_t step = k % scan.steps;
    if (scan.given[step] && within(bench.c1, scan.value(n, step)) &&
        within(bench.c2, scan.value(n + 2, step))) {
      ++inside;
    }
  }
  return inside;
}

RetunedFigures retuned_figures(const SwrAnalysis& a,
                               std::span<const SwrField> fields,
                               const SwrRequest& request,
                               std::span<const Complex> loads) {
  const std::size_t n = a.quantities;
  const LoadQuantities at = [&a](const LoadBatch& batch) {
    retuned_with_setting(a, batch);
  };
  const CircleScan scan = scan_circle(request.swr, n + 4, at, loads);
  const CircleExtremes extremes =
      circle_extremes(a.rout, request.swr, at, scan, loads);
  RetunedFigures r;
  r.values = figures(fields, extremes.largest);
  r.largest = TunedSetting{extremes.largest[n], extremes.largest[n + 2]};
  r.least = TunedSetting{-extremes.largest[n + 1], -extremes.largest[n + 3]};
  r.unmatched = extremes.missing;
  r.matched = extremes.given;
  if (request.capacitors.any()) {
    r.matchable = matchable_steps(scan, n, request.capacitors);
  }
  return r;
}

// The largest of each rating field over the drives and the retuned tank,
// and which gave it; the first of equal ones.
void rate(std::span<const SwrField> fields, LoadSwr& out) {
  out.rating.assign(fields.size(), NAN);
  out.rating_from.assign(fields.size(), {});
  const auto consider = [&out](std::size_t i, float value,
                               std::string_view from) {
    if (std::isnan(value)) return;
    if (out.rating_from[i].empty() || value > out.rating[i]) {
      out.rating[i] = value;
      out.rating_from[i] = from;
    }
  };
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!fields[i].rating) continue;
    for (const DriveFigures& d : out.drives) {
      consider(i, d.values[i], swr_drive_name(d.drive));
    }
    if (out.retuned) consider(i, out.retuned->values[i], kRetunedName);
  }
}

}  // namespace

std::string_view swr_drive_name(SwrDrive drive) {
  switch (drive) {
    case SwrDrive::kMatched:
      return "matched";
    case SwrDrive::kHighImpedance:
      return "high_impedance";
    case SwrDrive::kLevelled:
      break;
  }
  return "levelled";
}

LoadDrive load_drive(SwrDrive drive, float uin, float rin, float pin) {
  const Drive matched = matched_drive(uin, rin);
  switch (drive) {
    case SwrDrive::kMatched:
      return LoadDrive{matched};
    case SwrDrive::kHighImpedance:
      return LoadDrive{high_impedance_drive(uin, rin)};
    case SwrDrive::kLevelled:
      break;
  }
  return LoadDrive{matched, true, pin};
}

LoadSwr load_swr(const DesignModel& d, const SwrRequest& request) {
  const SwrAnalysis a = d.swr_analysis();
  const std::span<const SwrField> fields = d.network().swr_fields;
  const std::vector<Complex> loads = circle_loads(a.rout, request.swr);
  LoadSwr out;
  out.swr = request.swr;
  // The drives and the retuned tank are four circles of their own; the
  // quantities that no drive changes are refined in the first drive's.
  std::array<std::vector<float>, kSwrDriveCount> largest;
  const std::size_t shared = std::min(a.drive_independent, a.quantities);
  parallel_for(kSwrDriveCount + (request.retune ? 1 : 0), [&](std::size_t i) {
    if (i == kSwrDriveCount) {
      out.retuned = retuned_figures(a, fields, request, loads);
      return;
    }
    const auto drive = static_cast<SwrDrive>(i);
    const LoadQuantities at = [&a, drive](const LoadBatch& batch) {
      a.at(drive, batch);
    };
    const CircleScan scan = scan_circle(request.swr, a.quantities, at, loads);
    largest[i] = circle_extremes(a.rout, request.swr, at, scan, loads,
                                 i == 0 ? a.quantities : shared)
                     .largest;
  });
  for (std::size_t i = 1; i < kSwrDriveCount; ++i) {
    std::copy(largest[0].begin() + shared, largest[0].end(),
              largest[i].begin() + shared);
  }
  for (std::size_t i = 0; i < kSwrDriveCount; ++i) {
    out.drives[i] =
        DriveFigures{static_cast<SwrDrive>(i), figures(fields, largest[i])};
  }
  rate(fields, out);
  return out;
}

}  // namespace merid
