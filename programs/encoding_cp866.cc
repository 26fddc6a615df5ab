// merid-cp866 writes its console text in code page 866.

#include "text/messages.h"

namespace merid {

const MessageTable& console_messages() { return cp866_messages(); }

}  // namespace merid
