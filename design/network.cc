#include "design/network.h"

#include <array>

#include "design/pi_l_network.h"
#include "design/pi_network.h"

namespace merid {

std::span<const Network* const> networks() {
  static const std::array<const Network*, 2> kNetworks = {&pi_network(),
                                                          &pi_l_network()};
  return kNetworks;
}

const Network* find_network(std::string_view name) {
  for (const Network* network : networks()) {
    if (network->name == name) return network;
  }
  return nullptr;
}

const Field* find_field(const Network& network, std::string_view key) {
  for (const Field& field : network.fields) {
    if (field.key == key) return &field;
  }
  return nullptr;
}

FieldCell DesignModel::value(const Field& field) const {
  if (!feasible() && !field.known_without_results()) return std::monostate{};
  return field.get(*this);
}

TankDesign design_at(const DesignModel& d, float f_mhz) {
  TankInputs at = d.inputs();
  at.f = f_mhz;
  return d.network().design(at);
}

}  // namespace merid
