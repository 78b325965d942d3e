#include "platform/HeapRelease.h"

#include <malloc.h>

namespace {
// Large enough that no block the frame loop allocates reaches it, so frames
// never wait on mapping and unmapping pages.
constexpr int largeBlockBytes = 1 << 20;
} // namespace

void mapLargeBlocksSeparately()
{
    // Setting the threshold explicitly also stops glibc from raising it.
    mallopt(M_MMAP_THRESHOLD, largeBlockBytes);
}

void releaseFreeHeapPages()
{
    malloc_trim(0);
}
