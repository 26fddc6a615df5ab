#ifndef MERID_BASE_QUOTED_H_
#define MERID_BASE_QUOTED_H_

// Typed bytes made safe to show in an error report.

#include <cstddef>
#include <string>
#include <string_view>

namespace merid {

// `bytes` in double quotes, a quote or backslash escaped by a backslash,
// control and non-ASCII bytes written as \xNN, so that nothing typed can
// act on the terminal the report goes to.
std::string quoted(std::string_view bytes);

// As quoted(), but at most the first `max_bytes` of `bytes`, with "..."
// after the closing quote when there were more: a pasted page stays one
// readable line.
std::string quoted(std::string_view bytes, std::size_t max_bytes);

// How much of a refused value a report echoes: enough to recognise it,
// short enough that a pasted page stays one readable line.
inline constexpr std::size_t kEchoBytes = 40;

// A refused value as every report shows it: quoted(bytes, kEchoBytes).
std::string echoed(std::string_view bytes);

// A file name as typed, but with control bytes as \xNN so that none acts on
// the terminal; a UTF-8 name stays readable.  A name longer than 200 bytes
// is cut there (not inside a UTF-8 character), with "..." after it.
std::string shown_path(std::string_view path);

}  // namespace merid

#endif  // MERID_BASE_QUOTED_H_
