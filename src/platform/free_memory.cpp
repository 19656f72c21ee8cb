#include "platform/free_memory.h"

#include <cstdlib>  // defines __GLIBC__ where it is the C library

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
