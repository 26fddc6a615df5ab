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
  // A field of another network's table would read this design as that
  // network's.
  const std::span<const Field> own = network().fields;
  if (&field < own.data() || &field >= own.data() + own.size()) {
    return std::monostate{};
  }
  if (!feasible() && !field.known_without_results()) return std::monostate{};
  return field.get(*this);
}

float DesignModel::number(const Field& field) const {
  const FieldCell cell = value(field);
  const float* x = std::get_if<float>(&cell);
  return x != nullptr ? *x : NAN;
}

std::optional<GivenFigures> given_figures(const DesignModel& d) {
  if (!d.inputs().elements || !d.feasible()) return std::nullopt;
  // Its impedance alone: the words of the drawing are any language's.
  const DrawingSubject subject = d.drawing_subject(Language::kEnglish);
  const Complex z = subject.zin(subject.fhz);
  const float rin = d.inputs().rin;
  const float gamma = modulus((z - real(rin)) / (z + real(rin)));
  return GivenFigures{z, (1.0f + gamma) / (1.0f - gamma)};
}

TankDesign design_at(const DesignModel& d, float f_mhz) {
  return d.network().design(at_frequency(d.inputs(), f_mhz));
}

}  // namespace merid
