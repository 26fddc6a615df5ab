#ifndef MERID_TESTS_SUPPORT_DESIGN_VALUES_H_
#define MERID_TESTS_SUPPORT_DESIGN_VALUES_H_

// Reading a design of any network by its fields' keys, for tests.

#include <cmath>
#include <string_view>

#include "design/network.h"

namespace merid::testing_support {

// The float field `key` of `d`; not-a-number for a field it lacks or that
// holds no float.
inline float value(const DesignModel& d, std::string_view key) {
  const Field* field = find_field(d.network(), key);
  return field == nullptr ? NAN : d.number(*field);
}

// The design of `network` with the six inputs and no parameter given.
inline TankDesign design_of(const Network& network, float f, float qn, float q0,
                            float rin, float rout, float pin) {
  TankInputs in;
  static_cast<DesignInputs&>(in) = DesignInputs{f, qn, q0, rin, rout, pin};
  return network.design(in);
}

}  // namespace merid::testing_support

#endif  // MERID_TESTS_SUPPORT_DESIGN_VALUES_H_
