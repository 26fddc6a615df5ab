#include "design/least_loaded_q.h"

#include "base/inputs.h"
#include "calc/amplifier.h"

namespace merid {

std::optional<float> least_feasible_loaded_q(const DesignModel& d) {
  const TankInputs& inputs = d.inputs();
  if (inputs.elements) return std::nullopt;
  const Network& network = d.network();
  return lowest_loaded_q_where(accepted_loaded_q(inputs.q0), [&](float qn) {
    TankInputs at = inputs;
    at.qn = qn;
    return network.design(at)->feasible();
  });
}

}  // namespace merid
