// Owner of the shared precompiled header.
