#include "design/load_swr.h"

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

// Whether the bench's capacitors reach the setting that matches each
// phase step's load.
int matchable_steps(const SwrAnalysis& a, const SwrRequest& request,
                    std::span<const Complex> scan) {
  const CapacitorRanges& bench = request.capacitors;
  std::vector<float> values(a.quantities);
  int inside = 0;
  for (int k = 0; k < kSwrPhases; ++k) {
    TunedSetting s;
    if (a.retuned(scan[static_cast<std::size_t>(k)], values, s) &&
        within(bench.c1, s.c1) && within(bench.c2, s.c2)) {
      ++inside;
    }
  }
  return inside;
}

// The retuned tank over the circle: the network's quantities, then C1,
// -C1, C2 and -C2 (pF), so that their extremes are the capacitors' ranges.
RetunedFigures retuned_figures(const SwrAnalysis& a,
                               std::span<const SwrField> fields,
                               const SwrRequest& request,
                               std::span<const Complex> scan) {
  const std::size_t n = a.quantities;
  const CircleExtremes extremes = circle_extremes(
      a.rout, request.swr, n + 4,
      [&a, n](Complex load, std::span<float> values) {
        TunedSetting s;
        if (!a.retuned(load, values.first(n), s)) return false;
        values[n] = s.c1;
        values[n + 1] = -s.c1;
        values[n + 2] = s.c2;
        values[n + 3] = -s.c2;
        return true;
      },
      scan);
  RetunedFigures r;
  r.values = figures(fields, extremes.largest);
  r.largest = TunedSetting{extremes.largest[n], extremes.largest[n + 2]};
  r.least = TunedSetting{-extremes.largest[n + 1], -extremes.largest[n + 3]};
  r.unmatched = extremes.missing;
  r.matched = extremes.given;
  if (request.capacitors.any()) {
    r.matchable = matchable_steps(a, request, scan);
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

LoadSwr load_swr(const DesignModel& d, const SwrRequest& request) {
  const SwrAnalysis a = d.swr_analysis();
  const std::span<const SwrField> fields = d.network().swr_fields;
  const std::vector<Complex> scan = circle_loads(a.rout, request.swr);
  LoadSwr out;
  out.swr = request.swr;
  // The drives and the retuned tank are four circles of their own.
  parallel_for(kSwrDriveCount + (request.retune ? 1 : 0), [&](std::size_t i) {
    if (i == kSwrDriveCount) {
      out.retuned = retuned_figures(a, fields, request, scan);
      return;
    }
    const auto drive = static_cast<SwrDrive>(i);
    const CircleExtremes extremes = circle_extremes(
        a.rout, request.swr, a.quantities,
        [&a, drive](Complex load, std::span<float> values) {
          a.at(drive, load, values);
          return true;
        },
        scan);
    out.drives[i] = DriveFigures{drive, figures(fields, extremes.largest)};
  });
  rate(fields, out);
  return out;
}

}  // namespace merid
