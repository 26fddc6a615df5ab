// A calculation that reaches up into the design layer: the layer check
// must refuse it.
#include "design/network.h"
