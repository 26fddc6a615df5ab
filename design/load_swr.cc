#include "design/load_swr.h"

#include "calc/constants.h"
#include "text/calc_texts.h"

namespace merid {
namespace {

template <auto Member>
float value_of(const MismatchStresses& m) {
  return m.*Member;
}
template <auto Member>
float peak_of(const MismatchStresses& m) {
  return peak(m.*Member);
}

using M = MismatchStresses;
constexpr auto kSwrFields = std::to_array<SwrField>({
    {"uc1", "largest voltage across C1, V RMS", value_of<&M::uc1>, 0, 0,
     kSwrUc1},
    {"uc1_peak", "its peak, V", peak_of<&M::uc1>, 0, 1, kPeakUc1},
    {"uc2", "largest voltage across C2, V RMS", value_of<&M::uc2>, 1, 0,
     kSwrUc2},
    {"uc2_peak", "its peak, V", peak_of<&M::uc2>, 1, 1, kPeakUc2},
    {"ul", "largest voltage across L, V RMS", value_of<&M::ul>, 2, 0, kSwrUl},
    {"ul_peak", "its peak, V", peak_of<&M::ul>, 2, 1, kPeakUl},
    {"ic1", "largest current in C1, A RMS", value_of<&M::ic1>, 3, 0, kSwrIc1},
    {"ic1_peak", "its peak, A", peak_of<&M::ic1>, 3, 1, kPeakIc1},
    {"ic2", "largest current in C2, A RMS", value_of<&M::ic2>, 4, 0, kSwrIc2},
    {"ic2_peak", "its peak, A", peak_of<&M::ic2>, 4, 1, kPeakIc2},
    {"il", "largest current in L, A RMS", value_of<&M::il>, 5, 0, kSwrIl},
    {"il_peak", "its peak, A", peak_of<&M::il>, 5, 1, kPeakIl},
    {"pload", "largest power into the load, W", value_of<&M::pload>, 6, 0,
     kSwrPload},
    {"ploss", "largest power lost in the coil, W", value_of<&M::ploss>, 6, 1,
     kSwrPloss},
    {"r_min", "least input resistance, ohm", value_of<&M::r_min>, 7, 0,
     kSwrRMin},
    {"r_max", "largest input resistance, ohm", value_of<&M::r_max>, 7, 1,
     kSwrRMax},
    {"x_min", "least input reactance, ohm", value_of<&M::x_min>, 8, 0,
     kSwrXMin},
    {"x_max", "largest input reactance, ohm", value_of<&M::x_max>, 8, 1,
     kSwrXMax},
    {"s11_min", "least |S11| at the input", value_of<&M::s11_min>, 9, 0,
     kSwrS11Min},
    {"s11_max", "largest |S11| at the input", value_of<&M::s11_max>, 9, 1,
     kSwrS11Max},
});

}  // namespace

std::span<const SwrField> swr_fields() { return kSwrFields; }

std::array<SwrDrive, 2> swr_drives(const SwrStresses& s) {
  return {{{kSwrDriveNames[0], kSwrHeadingMatched, s.matched},
           {kSwrDriveNames[1], kSwrHeadingHighImpedance, s.high_impedance}}};
}

}  // namespace merid
