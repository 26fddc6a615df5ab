#ifndef MERID_BASE_QUOTED_H_
#define MERID_BASE_QUOTED_H_

// Typed bytes made safe to show in an error report.

#include <string>
#include <string_view>

namespace merid {

// `bytes` in double quotes, a quote or backslash escaped by a backslash,
// control and non-ASCII bytes written as \xNN, so that nothing typed can
// act on the terminal the report goes to.
std::string quoted(std::string_view bytes);

}  // namespace merid

#endif  // MERID_BASE_QUOTED_H_
