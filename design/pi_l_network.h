#ifndef MERID_DESIGN_PI_L_NETWORK_H_
#define MERID_DESIGN_PI_L_NETWORK_H_

// The pi-L network: a pi section from RIN to RMID, then an L section to
// ROUT (calc/pi_l.h).  Its one parameter is RMID.

#include "design/network.h"

namespace merid {

const Network& pi_l_network();

}  // namespace merid

#endif  // MERID_DESIGN_PI_L_NETWORK_H_
