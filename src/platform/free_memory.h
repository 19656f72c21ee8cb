#pragma once
// Giving memory the program freed back to the system, where the C library
// would keep it for later (large pictures let go when a window closes).

namespace trevanor {

void release_free_memory();

}  // namespace trevanor
