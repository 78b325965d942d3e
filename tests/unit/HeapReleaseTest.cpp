// What the game asks of glibc's allocator between levels: large blocks on
// pages of their own even after one has been freed, and the heap's free pages
// handed back on request. Under AddressSanitizer the allocator is the
// sanitizer's own and neither applies.
#include "platform/HeapRelease.h"
#include "support/core/ResidentMemory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool glibcAllocator = false;
#else
constexpr bool glibcAllocator = true;
#endif

// Stored here, a block cannot be optimised away.
void* volatile kept = nullptr;

TEST(HeapRelease, LargeBlocksStayMappedAfterTheFirstOneIsFreed)
{
    if (!glibcAllocator)
        GTEST_SKIP() << "not glibc's allocator";
    mapLargeBlocksSeparately();
    // A level's worth of texture freed: by default glibc would now serve
    // blocks up to this size from the heap.
    kept = std::malloc(8 << 20);
    std::free(kept);
    const std::size_t mappedBefore = mallinfo2().hblkhd;
    kept = std::malloc(2 << 20);
    const std::size_t mappedWith = mallinfo2().hblkhd;
    std::free(kept);
    EXPECT_GE(mappedWith - mappedBefore, std::size_t{2} << 20);
    EXPECT_EQ(mallinfo2().hblkhd, mappedBefore) << "freeing it unmaps it";
}

TEST(HeapRelease, FreePagesInsideTheHeapGoBackToTheSystem)
{
    if (!glibcAllocator)
        GTEST_SKIP() << "not glibc's allocator";
    // 64 MB in blocks below the mapping threshold, touched, then freed
    // between small ones that stay: the holes cannot merge with each other
    // or shrink the heap from its top, so their pages stay resident.
    std::vector<void*> blocks, pins;
    for (int i = 0; i < 1024; ++i) {
        blocks.push_back(std::malloc(64 << 10));
        std::memset(blocks.back(), 1, 64 << 10);
        pins.push_back(std::malloc(64));
    }
    for (void* block : blocks)
        std::free(block);
    const double before = residentMegabytes();
    releaseFreeHeapPages();
    const double after = residentMegabytes();
    for (void* pin : pins)
        std::free(pin);
    EXPECT_GT(before - after, 48.0) << "resident " << before << " MB before, " << after << " MB after";
}

} // namespace
