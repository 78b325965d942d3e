#include "platform/HeapRelease.h"

#include <malloc.h>

namespace {
// Large enough that no block the frame loop allocates reaches it, so frames
// never wait on mapping and unmapping pages.
constexpr int largeBlockBytes = 1 << 20;
// Free memory the heap keeps at its top between two level clean-ups.
constexpr int keptFreeBytes = 16 << 20;
} // namespace

void mapLargeBlocksSeparately()
{
    // Setting the threshold explicitly also stops glibc from raising it.
    mallopt(M_MMAP_THRESHOLD, largeBlockBytes);
    // ...and from raising the trim threshold with it, which would leave it at
    // 128 KB: every frame the renderer's scratch memory at the top of the heap
    // would go back to the system and come back as fresh pages to fault in and
    // zero. The heap is trimmed when a level is released instead.
    mallopt(M_TRIM_THRESHOLD, keptFreeBytes);
}

void releaseFreeHeapPages()
{
    malloc_trim(0);
}
