#ifndef MERID_BASE_NUMBER_TEXT_H_
#define MERID_BASE_NUMBER_TEXT_H_

// Numbers as text for ranges, help and machine-readable outputs:
// locale-free, and for a float the shortest text that reads back to the
// same float.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace merid {

// "7.1", "12", "1e-06", "inf", "-inf", "nan".
std::string shortest(float value);
std::string shortest(std::int32_t value);

// The shortest text that reads back to `value` without an exponent, for
// people: "100000", not "1e+05".
std::string plain(float value);

// `value` with `decimals` digits after the point, e.g. "632.502".
std::string fixed(double value, int decimals);

// The parts one after another.  (Chains of + on temporaries trip a false
// -Wrestrict in GCC 12.)
std::string concat(std::initializer_list<std::string_view> parts);

// `text` with each "{0}", "{1}", ... replaced by that figure; a place
// without a figure stays as it is.
std::string filled(std::string_view text,
                   std::initializer_list<std::string_view> figures);

}  // namespace merid

#endif  // MERID_BASE_NUMBER_TEXT_H_
