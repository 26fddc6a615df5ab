#ifndef MERID_DESIGN_LEAST_LOADED_Q_H_
#define MERID_DESIGN_LEAST_LOADED_Q_H_

// The smallest loaded Q with which a network makes its transformation, for
// an infeasible design: what to type instead.

#include <optional>

#include "design/network.h"

namespace merid {

// The lowest accepted loaded Q on the grid of kLoadedQResolution at which
// the network of `d` designs a feasible tank from the inputs of `d`,
// whatever their own loaded Q; none when no accepted one does, and for a
// tank of given elements, which has its own.  Feasibility only grows with
// the loaded Q, so the search is a bisection.
std::optional<float> least_feasible_loaded_q(const DesignModel& d);

}  // namespace merid

#endif  // MERID_DESIGN_LEAST_LOADED_Q_H_
