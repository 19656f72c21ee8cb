#include "platform/free_memory.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace trevanor {

void release_free_memory() {
#if defined(_WIN32)
    HeapCompact(GetProcessHeap(), 0);
#elif defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace trevanor
