namespace merid {}  // placeholder
