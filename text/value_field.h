#ifndef MERID_TEXT_VALUE_FIELD_H_
#define MERID_TEXT_VALUE_FIELD_H_

// The fixed-width three-decimal number field of the screen and the report.

#include <string>

namespace merid {

// Writes `value` right-aligned in exactly `width` characters with three
// decimals: rounded to the nearest thousandth with halves away from zero,
// "0." before a fraction, a minus sign on any negative value (-0.000 too),
// "NaN" and "[-]Infinity" for non-finite values, and `width` asterisks when
// the text would be longer than the field.  ASCII only.
std::string value_field(float value, int width);

}  // namespace merid

#endif  // MERID_TEXT_VALUE_FIELD_H_
