#pragma once
// Tests only: a write that dies half-way.

// When set, atomic writes stop right before the rename, as if the
// program had died there (the temporary file stays behind).
void stopWritesBeforeRename(bool stop);
