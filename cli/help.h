#ifndef MERID_CLI_HELP_H_
#define MERID_CLI_HELP_H_

// merid-calc --help: the usage, the inputs, every option of the option
// table and every network with its parameters, the warning codes, every
// field of every network's table, and the exit statuses.  The manual page
// says all of it too (a test holds them together) and more.

#include <string>
#include <vector>

namespace merid {

std::string help_text();

// Each entry of the help (an option, a network, a warning code or a field
// with its text, or a paragraph) as one line of words, for holding the
// manual page against it.
std::vector<std::string> help_entries();

}  // namespace merid

#endif  // MERID_CLI_HELP_H_
