namespace merid {}  // namespace merid
