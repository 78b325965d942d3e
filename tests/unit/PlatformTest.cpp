#include "platform/Platform.h"
#include "app/WindowTitle.h"
#include "support/core/Process.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

namespace fs = std::filesystem;

namespace {

class ResolvePathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = makeScratchDirectory("resolve-path");
        fs::create_directories(root + "/Assets/World");
        fs::create_directories(root + "/Assets/Skybox");
        writeFile(root + "/Assets/World/level1c2.obj", "v 1 2 3\n");
        writeFile(root + "/Assets/duck.obj", "");
        previous = fs::current_path();
        fs::current_path(root);
    }
    void TearDown() override { fs::current_path(previous); }

    std::string root;
    fs::path previous;
};

TEST_F(ResolvePathTest, BackslashesBecomeSlashes)
{
    EXPECT_EQ(resolvePath("Assets\\duck.obj"), "Assets/duck.obj");
    EXPECT_EQ(resolvePath("Assets/duck.obj"), "Assets/duck.obj");
    EXPECT_EQ(resolvePath("configuration.txt"), "configuration.txt");
}

TEST_F(ResolvePathTest, ComponentsMatchIgnoringCaseWhenTheExactNameIsMissing)
{
    // The game names the same folder "World" and "world".
    EXPECT_EQ(resolvePath("Assets\\World\\level1c2.obj"), "Assets/World/level1c2.obj");
    EXPECT_EQ(resolvePath("Assets\\world\\level1c2.obj"), "Assets/World/level1c2.obj");
    EXPECT_EQ(resolvePath("assets\\WORLD\\LEVEL1C2.OBJ"), "Assets/World/level1c2.obj");
    EXPECT_EQ(resolvePath("Assets\\skybox"), "Assets/Skybox");
}

TEST_F(ResolvePathTest, MissingComponentsAreKeptAsWritten)
{
    EXPECT_EQ(resolvePath("Assets\\world\\missing.obj"), "Assets/World/missing.obj");
    EXPECT_EQ(resolvePath("Nowhere\\Deeper\\file.jpg"), "Nowhere/Deeper/file.jpg");
    EXPECT_EQ(resolvePath(""), "");
}

TEST_F(ResolvePathTest, ExactNameWinsOverACaseVariant)
{
    fs::create_directories(root + "/Assets/world");
    writeFile(root + "/Assets/world/other.obj", "");
    EXPECT_EQ(resolvePath("Assets\\world\\other.obj"), "Assets/world/other.obj");
    EXPECT_EQ(resolvePath("Assets\\World\\level1c2.obj"), "Assets/World/level1c2.obj");
}

TEST_F(ResolvePathTest, AbsolutePathsStayAbsolute)
{
    EXPECT_EQ(resolvePath(root + "/assets/DUCK.obj"), root + "/Assets/duck.obj");
}

TEST(ConsolePause, DoesNotWaitWithoutATerminal)
{
    // Standard input of the test is not a terminal under CTest; the pause must
    // print its prompt and return at once.
    testing::internal::CaptureStdout();
    consolePause();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Press any key to continue . . .\n");
}

TEST(WindowTitle, CarriesTheFrameRateWithSixDecimals)
{
    EXPECT_EQ(windowTitle(60.0), "Sandlark V1.1 60.000000");
    EXPECT_EQ(windowTitle(1.0 / 0.016), "Sandlark V1.1 62.500000");
    EXPECT_EQ(windowTitle(0.0), "Sandlark V1.1 0.000000");
    EXPECT_EQ(windowTitle(1234.5678915), "Sandlark V1.1 1234.567892");
}

TEST(WindowTitle, FrameRateOfAZeroFrameTimeIsFinite)
{
    EXPECT_DOUBLE_EQ(framesPerSecond(0.02), 50.0);
    EXPECT_EQ(framesPerSecond(0.0), 0.0);
    EXPECT_EQ(framesPerSecond(-0.001), 0.0);
    EXPECT_EQ(framesPerSecond(std::numeric_limits<double>::denorm_min()), 0.0);
    EXPECT_TRUE(std::isfinite(framesPerSecond(1e-300)));
}

} // namespace
