// What the game asks of glibc's allocator between levels: large blocks on
// pages of their own even after one has been freed, and the heap's free pages
// handed back on request. Under AddressSanitizer the allocator is the
// sanitizer's own and neither applies.
#include "platform/HeapRelease.h"
#include "support/core/Process.h"
#include "support/core/ResidentMemory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
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
    // glibc serves even a large block from free heap memory when it has
    // enough, and the tests that ran before in this process leave megabytes of
    // it. So this program runs again with this test alone, and the blocks are
    // measured there, in a heap as small as the game's at start-up.
    if (!std::getenv("SANDLARK_HEAP_FRESH_RUN")) {
        const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
        const ProcessResult fresh =
            runProcess({"env", "SANDLARK_HEAP_FRESH_RUN=1", std::filesystem::read_symlink("/proc/self/exe").string(),
                        std::string("--gtest_filter=") + test.test_suite_name() + "." + test.name()});
        EXPECT_EQ(fresh.exitStatus, 0) << fresh.out;
        EXPECT_NE(fresh.out.find("[  PASSED  ] 1 test."), std::string::npos) << fresh.out;
        return;
    }
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
