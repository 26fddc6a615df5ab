#ifndef MERID_CLI_HELP_H_
#define MERID_CLI_HELP_H_

// merid-calc --help: the usage, the inputs, every option of the option
// table and every network with its parameters, the warning codes, every
// field of every network's table, and the exit statuses.  The manual page
// says all of it too (a test holds them together) and more.

#include <string>

namespace merid {

std::string help_text();

}  // namespace merid

#endif  // MERID_CLI_HELP_H_
