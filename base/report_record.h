#ifndef MERID_BASE_REPORT_RECORD_H_
#define MERID_BASE_REPORT_RECORD_H_

// The values of one results screen, as the results file receives them.

#include <array>
#include <cstddef>

namespace merid {

// 29 single-precision fields in display units, in slots: inputs 0-5, then
// c1, c2, l, bw_u, eta, qc1, qc2, ql, ic1, ic2, il, uin, uout, pout, ul,
// ploss, ku, s11, s22, bw_s11, a reserved 0, ki, bw_i.  Nothing follows
// this order: the report (report/printer.cc) walks the screen layout of
// the pi network's screen (design/pi_network.h) and takes each value from
// the slot its field names.
struct ReportRecord {
  enum Field : std::size_t {
    kF,
    kQn,
    kQ0,
    kRin,
    kRout,
    kPin,
    kC1,
    kC2,
    kL,
    kBwU,
    kEta,
    kQc1,
    kQc2,
    kQl,
    kIc1,
    kIc2,
    kIl,
    kUin,
    kUout,
    kPout,
    kUl,
    kPloss,
    kKu,
    kS11,
    kS22,
    kBwS11,
    kReserved,
    kKi,
    kBwI,
    kFieldCount
  };
  std::array<float, kFieldCount> field{};
};

static_assert(ReportRecord::kFieldCount == 29);

}  // namespace merid

#endif  // MERID_BASE_REPORT_RECORD_H_
