#include "app/Configuration.h"
#include "app/GamepadMappings.h"
#include "support/core/Process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void parse(const std::string& text)
    {
        std::istringstream in(text);
        parseConfiguration(in, settings);
    }

    Settings settings;
};

TEST_F(SettingsTest, DefaultsHoldBeforeAnyFile)
{
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_EQ(settings.screenwidth, 0);
    EXPECT_EQ(settings.screenheight, 0);
    EXPECT_EQ(settings.refreshrate, 0);
    EXPECT_FALSE(settings.debugmode);
    EXPECT_FLOAT_EQ(settings.fMotionblurFactor, 1.5f);
    EXPECT_EQ(settings.fParticleDensity, 10);
    EXPECT_FALSE(settings.airmode);
    EXPECT_FALSE(settings.randomchallenge);
}

TEST_F(SettingsTest, ReadsEveryKeyWithItsType)
{
    parse("fullscreen 1\nscreenwidth 1280\nscreenheight 720\nrefreshrate 75\ndebugmode 1\n"
          "fMotionblurFactor 0.25\nfParticleDensity 3\nairmode 1\nrandomchallenge 1");
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_EQ(settings.screenwidth, 1280);
    EXPECT_EQ(settings.screenheight, 720);
    EXPECT_EQ(settings.refreshrate, 75);
    EXPECT_TRUE(settings.debugmode);
    EXPECT_FLOAT_EQ(settings.fMotionblurFactor, 0.25f);
    EXPECT_EQ(settings.fParticleDensity, 3);
    EXPECT_TRUE(settings.airmode);
    EXPECT_TRUE(settings.randomchallenge);
}

struct BoolCase {
    const char* line;
    bool before;
    bool after;
};

class BoolValues : public SettingsTest, public ::testing::WithParamInterface<BoolCase> {};

TEST_P(BoolValues, OnlyZeroAndOneAreAccepted)
{
    settings.fullscreen = GetParam().before;
    parse(GetParam().line);
    EXPECT_EQ(settings.fullscreen, GetParam().after) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Settings, BoolValues,
                         ::testing::Values(BoolCase{"fullscreen 1", false, true}, BoolCase{"fullscreen 0", true, false},
                                           BoolCase{"fullscreen true", false, false},
                                           BoolCase{"fullscreen true", true, true},
                                           BoolCase{"fullscreen 2", false, false}, BoolCase{"fullscreen 2", true, true},
                                           BoolCase{"fullscreen -1", true, true}, BoolCase{"fullscreen", true, true},
                                           BoolCase{"fullscreen 1trailing", false, true}));

struct NumberCase {
    const char* text;
    int width;
    float blur;
    int density;
};

class NumberValues : public SettingsTest, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(NumberValues, UseFormattedExtraction)
{
    settings.screenwidth = 640;
    parse(GetParam().text);
    EXPECT_EQ(settings.screenwidth, GetParam().width) << GetParam().text;
    EXPECT_FLOAT_EQ(settings.fMotionblurFactor, GetParam().blur) << GetParam().text;
    EXPECT_EQ(settings.fParticleDensity, GetParam().density) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, NumberValues,
    ::testing::Values(NumberCase{"screenwidth 1.9", 1, 1.5f, 10},               // integer part only
                      NumberCase{"screenwidth", 640, 1.5f, 10},                 // nothing follows: unchanged
                      NumberCase{"screenwidth wide", 640, 1.5f, 10},            // not a number: unchanged
                      NumberCase{"screenwidth -20", -20, 1.5f, 10},             // no range check
                      NumberCase{"screenwidth 99999999999", 640, 1.5f, 10},     // out of range: unchanged
                      NumberCase{"fMotionblurFactor 1e-1", 640, 0.1f, 10},      // exponent notation
                      NumberCase{"fMotionblurFactor .5", 640, 0.5f, 10},
                      NumberCase{"fMotionblurFactor x", 640, 1.5f, 10},
                      NumberCase{"fParticleDensity 2.7", 640, 1.5f, 2},
                      NumberCase{"fParticleDensity +4", 640, 1.5f, 4}));

TEST_F(SettingsTest, LineStructure)
{
    // A CR before the LF is part of the line end; leading blanks and tabs are fine;
    // words after the value are ignored.
    parse("screenwidth 800\r\n \t screenheight 600 pixels tall\r\nrefreshrate 50\r");
    EXPECT_EQ(settings.screenwidth, 800);
    EXPECT_EQ(settings.screenheight, 600);
    EXPECT_EQ(settings.refreshrate, 50);
}

TEST_F(SettingsTest, KeysMustMatchExactly)
{
    parse("screenWidth 800\nScreenwidth 801\nscreenwidth1280\nscreenwidthx 5\n# screenwidth 9\n"
          "// screenheight 9\n\n   \nfullscreen=1\n");
    EXPECT_EQ(settings.screenwidth, 0);
    EXPECT_EQ(settings.screenheight, 0);
    EXPECT_FALSE(settings.fullscreen);
}

TEST_F(SettingsTest, LastReadableDuplicateWins)
{
    parse("refreshrate 60\nrefreshrate 144\nrefreshrate fast\n");
    EXPECT_EQ(settings.refreshrate, 144);
}

TEST_F(SettingsTest, MissingFileLeavesDefaults)
{
    // The file is looked for in the working directory: an empty one, whatever
    // folder the tests were started from.
    const fs::path previous = fs::current_path();
    fs::current_path(makeScratchDirectory("no-configuration"));
    settings.screenwidth = 0;
    testing::internal::CaptureStdout();
    loadConfiguration(settings);
    const std::string out = testing::internal::GetCapturedStdout();
    fs::current_path(previous);
    EXPECT_EQ(out, "");
    EXPECT_EQ(settings.screenwidth, 0);
    EXPECT_FLOAT_EQ(settings.fMotionblurFactor, 1.5f);
}

TEST_F(SettingsTest, ShippedConfigurationGivesTheDefaultWindow)
{
    std::istringstream in;
    FILE* file = fopen(SANDLARK_SOURCE_DIR "/configuration.txt", "r");
    ASSERT_NE(file, nullptr);
    std::string text;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, file))
        text += buffer;
    fclose(file);
    parse(text);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_EQ(settings.screenwidth, 1280);
    EXPECT_EQ(settings.screenheight, 720);
    EXPECT_EQ(settings.refreshrate, 60);
    EXPECT_FALSE(settings.debugmode);
    EXPECT_FLOAT_EQ(settings.fMotionblurFactor, 1.5f);
    EXPECT_EQ(settings.fParticleDensity, 10);
    EXPECT_FALSE(settings.airmode);
    EXPECT_FALSE(settings.randomchallenge);
    EXPECT_EQ(settings.soundvolume, 80);
    EXPECT_EQ(settings.renderscale, 0);
    EXPECT_TRUE(settings.vsync);
    EXPECT_EQ(settings.mousesensitivity, 100);
    EXPECT_FALSE(settings.invertmouse);
    EXPECT_TRUE(settings.rawmouse);
    EXPECT_EQ(settings.startlevel, 1);
}

TEST_F(SettingsTest, SoundVolumeIsReadLikeEveryOtherNumber)
{
    parse("soundvolume 0\n");
    EXPECT_EQ(settings.soundvolume, 0);
    parse("soundvolume loud\n");
    EXPECT_EQ(settings.soundvolume, 0) << "an unreadable value leaves it as it was";
}

TEST_F(SettingsTest, RangedSettingsKeepTheirDefaultOutsideTheirRange)
{
    const struct {
        const char* line;
        int Settings::*setting;
        int value;
    } cases[] = {
        {"renderscale 0", &Settings::renderscale, 0},          {"renderscale 50", &Settings::renderscale, 50},
        {"renderscale 100", &Settings::renderscale, 100},      {"renderscale 49", &Settings::renderscale, 0},
        {"renderscale 1", &Settings::renderscale, 0},          {"renderscale 101", &Settings::renderscale, 0},
        {"renderscale -50", &Settings::renderscale, 0},        {"renderscale half", &Settings::renderscale, 0},
        {"renderscale 75.9", &Settings::renderscale, 75},      {"mousesensitivity 10", &Settings::mousesensitivity, 10},
        {"mousesensitivity 400", &Settings::mousesensitivity, 400}, {"mousesensitivity 9", &Settings::mousesensitivity, 100},
        {"mousesensitivity 401", &Settings::mousesensitivity, 100}, {"mousesensitivity 0", &Settings::mousesensitivity, 100},
        {"mousesensitivity fast", &Settings::mousesensitivity, 100},
        {"mousesensitivity 150.5", &Settings::mousesensitivity, 150},
        {"startlevel 0", &Settings::startlevel, 0},            {"startlevel 12", &Settings::startlevel, 12},
        {"startlevel -3", &Settings::startlevel, 1},
    };
    for (const auto& c : cases) {
        settings = Settings{};
        parse(c.line);
        EXPECT_EQ(settings.*c.setting, c.value) << c.line;
    }
    parse("vsync 0");
    EXPECT_FALSE(settings.vsync);
    parse("vsync 2");
    EXPECT_FALSE(settings.vsync) << "only 0 and 1 count";
    parse("invertmouse 1\nrawmouse 0");
    EXPECT_TRUE(settings.invertmouse);
    EXPECT_FALSE(settings.rawmouse);
    parse("invertmouse 2\nrawmouse yes");
    EXPECT_TRUE(settings.invertmouse);
    EXPECT_FALSE(settings.rawmouse);
}

TEST(GamepadMappings, TheCommunityFileIsReadAndADamagedOneNamesItsLine)
{
    const std::string good = "# Game Controller DB\r\n\n"
                             "030000005e0400008e02000014010000,Xbox 360 Controller,a:b0,b:b1,leftx:a0,"
                             "lefttrigger:a2,righttrigger:a5,dpup:h0.1,start:b7,platform:Linux,\r\n"
                             "03000000de280000ff11000001000000,Valve Streaming Gamepad,a:b0,+leftx:a0~,"
                             "platform:Mac OS X,";
    EXPECT_EQ(gamepadMappingsProblem(good), "");
    EXPECT_EQ(gamepadMappingsProblem(good + "\n030000005e04,short GUID,a:b0,"), "line 5 is not a mapping");
    EXPECT_EQ(gamepadMappingsProblem("030000005e0400008e02000014010000,No fields a:b0"), "line 1 is not a mapping");
    EXPECT_EQ(gamepadMappingsProblem("030000005e0400008e02000014010000,,a:b0,"), "line 1 is not a mapping");
    EXPECT_EQ(gamepadMappingsProblem(std::string("\x89PNG\r\n\x1a\n\0\0", 10)), "it is not text");
}

} // namespace
