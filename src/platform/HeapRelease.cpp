#include "platform/HeapRelease.h"

#include <malloc.h>

namespace {
// Large enough that no block the frame loop allocates reaches it, so frames
// never wait on mapping and unmapping pages.
constexpr int largeBlockBytes = 1 << 20;
// Free memory the heap's top may keep between releases. Setting the mapping
// threshold freezes glibc's trim threshold at 128 KB, and the renderer's
// scratch memory of a frame (several megabytes, in many blocks) would then go
// back to the system and return as fresh pages to fault in, over and over
// within every frame. The frame loop and the clean-up release it instead.
constexpr int keptFreeBytes = 8 << 20;
} // namespace

void mapLargeBlocksSeparately()
{
    // Setting the threshold explicitly also stops glibc from raising it.
    mallopt(M_MMAP_THRESHOLD, largeBlockBytes);
    mallopt(M_TRIM_THRESHOLD, keptFreeBytes);
}

void releaseFreeHeapPages()
{
    malloc_trim(0);
}
