// merid-utf8 writes its console text in UTF-8.

#include "text/messages.h"

namespace merid {

const MessageTable& console_messages() { return utf8_messages(); }

}  // namespace merid
