#ifndef MERID_DESIGN_PI_NETWORK_H_
#define MERID_DESIGN_PI_NETWORK_H_

// The pi network, the dialogue's: C1, the series coil L, C2.  Its field
// table is also the dialogue's: the results screen, the report record,
// merid-calc's outputs, the page and the golden file's columns are all
// generated from it.

#include <span>

#include "calc/synthesis.h"
#include "design/field.h"
#include "design/network.h"

namespace merid {

const Network& pi_network();

// Its fields in output order: the six inputs, fmhz, the twenty-two results
// with KU and KI at 3F to 5F after ki, the six peaks, then the sweep grid
// and the S11 crossing count.
std::span<const Field> pi_fields();

// The dialogue's design `d`, as calculate() left it, as a design of the
// pi network.
TankDesign pi_model(const Design& d);

const ScreenLayout& screen_layout();

}  // namespace merid

#endif  // MERID_DESIGN_PI_NETWORK_H_
