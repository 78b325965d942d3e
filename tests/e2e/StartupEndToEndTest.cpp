// The real binary in a real window under Xvfb, driven with xdotool.
#include "support/core/Process.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string gameBinary = std::string(SANDLARK_GAME_DIR) + "/sandlark";

// A game directory of its own: the shipped shaders, optionally a configuration.
std::string makeGameDirectory(const std::string& name, bool withConfiguration)
{
    const std::string dir = makeScratchDirectory(name);
    fs::copy(std::string(SANDLARK_GAME_DIR) + "/Shaders", dir + "/Shaders", fs::copy_options::recursive);
    if (fs::exists(std::string(SANDLARK_GAME_DIR) + "/Assets"))
        fs::create_directory_symlink(std::string(SANDLARK_GAME_DIR) + "/Assets", dir + "/Assets");
    if (withConfiguration)
        fs::copy_file(std::string(SANDLARK_GAME_DIR) + "/configuration.txt", dir + "/configuration.txt");
    return dir;
}

TEST(StartupEndToEnd, WithoutConfigurationTheWindowCannotBeCreated)
{
    const std::string dir = makeGameDirectory("no-configuration", false);
    auto result = runProcess({gameBinary}, dir, 30);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "ERROR: GLWindow could not be created. (OpenGL 3.3)\n");
    EXPECT_EQ(result.out, "") << "no identity lines before the window exists";
}

} // namespace
