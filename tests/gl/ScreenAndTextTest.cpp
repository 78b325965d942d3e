// Screens and text drawn into a real window, read back pixel by pixel.
#include "app/Game.h"
#include "app/Screens.h"
#include "render/TextRenderer.h"
#include "support/core/Process.h"
#include "support/gl/GlTestContext.h"
#include "support/gl/ImageFixtures.h"

#include "TestFonts.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int windowWidth = 320, windowHeight = 240;
const std::string fontFile = "/usr/share/fonts/opentype/bebas-neue/BebasNeue-Regular.otf";

bool isColor(Rgb pixel, Rgb expected, int tolerance = 40)
{
    return std::abs(pixel.r - expected.r) <= tolerance && std::abs(pixel.g - expected.g) <= tolerance &&
           std::abs(pixel.b - expected.b) <= tolerance;
}

bool isWhite(Rgb pixel) { return pixel.r > 200 && pixel.g > 200 && pixel.b > 200; }

// Counts white pixels in the rows y0..y1 (inclusive, from the bottom) and x0..x1.
int whitePixels(int x0, int x1, int y0, int y1)
{
    int count = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            count += isWhite(readPixel(x, y)) ? 1 : 0;
    return count;
}

// A game directory of its own with the shipped shaders: the screens open
// "Shaders\loadingScreen.vert" relative to the working directory.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        requireGlContext(windowWidth, windowHeight);
        dir = makeScratchDirectory(std::string("screens-") +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directory_symlink(std::string(SANDLARK_SOURCE_DIR) + "/Shaders", dir + "/Shaders");
        previous = fs::current_path();
        fs::current_path(dir);
        glViewport(0, 0, windowWidth, windowHeight);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glClearColor(0, 0, 0, 1);
        game().settings.screenheight = windowHeight;
        game().settings.screenwidth = windowWidth;
    }

    void TearDown() override
    {
        game().textRenderer.reset();
        textProgram.reset();
        game().screens = Screens{};
        fs::current_path(previous);
        game().settings = Settings{};
        game().state = GameState{};
        game().records = RecordBook{};
        game().world.release();
    }

    void createText()
    {
        textProgram = createShaderProgram("Shaders\\text.vert", "Shaders\\text.frag");
        game().textRenderer = std::make_unique<TextRenderer>(
            static_cast<float>(windowWidth), static_cast<float>(windowHeight), fontFile, textProgram.get());
    }

    // A screen with no text lines: its image alone.
    static void drawImageScreen(const char* path) { drawInfoScreen(path, false); }

    std::unique_ptr<ShaderProgram> textProgram;
    std::string dir;
    fs::path previous;
};

std::unique_ptr<TextRenderer>& textRenderer() { return game().textRenderer; }

void renderText(std::string_view text, float x, float y, float scale, const glm::vec3& color)
{
    textRenderer()->draw(text, x, y, scale, color);
}

// A letter of the test fonts (a grid of 7 x 8 cells on the baseline) drawn
// with the pen at (x, y), each cell `cellPixels` wide: every cell's centre is
// lit where the cell is filled and dark where it is not. A glyph upside down,
// mirrored, of the wrong size or made of bytes that are not its own fails.
void expectCells(char letter, int x, int y, int cellPixels)
{
    const char* const* cells = testGlyphCells(letter);
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 7; ++column) {
            const int px = x + column * cellPixels + cellPixels / 2;
            const int py = y + (7 - row) * cellPixels + cellPixels / 2;
            const int red = readPixel(px, py).r;
            if (cells[row][column] == '#')
                EXPECT_GT(red, 150) << letter << " row " << row << " column " << column;
            else
                EXPECT_LT(red, 60) << letter << " row " << row << " column " << column;
        }
}

TEST_F(ScreenTest, OddWidthImageFillsTheWindowUprightAndUnsheared)
{
    // 37 pixels: rows of 111 bytes padded to 112. Left half red, right half
    // blue, the top four rows green.
    writeColorImage(dir + "/odd.bmp", 37, 20, [](int x, int y) {
        if (y < 4)
            return Rgb{0, 255, 0};
        return x < 18 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
    });
    // What the font set-up leaves behind for every later screen.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    drawImageScreen("odd.bmp");

    EXPECT_TRUE(isColor(readPixel(160, windowHeight - 20), {0, 255, 0})) << "the picture's top is the window's top";
    // Every row keeps its split at the same column: no row drifts sideways.
    for (int y = 5; y < windowHeight - 60; y += 20) {
        EXPECT_TRUE(isColor(readPixel(40, y), {255, 0, 0})) << "row " << y;
        EXPECT_TRUE(isColor(readPixel(windowWidth - 40, y), {0, 0, 255})) << "row " << y;
    }
    // The image is stretched over the whole window (the outermost pixels blend
    // with the texture's border).
    EXPECT_TRUE(isColor(readPixel(6, 6), {255, 0, 0}));
    EXPECT_TRUE(isColor(readPixel(windowWidth - 7, 6), {0, 0, 255}));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1) << "the upload gives back the alignment it found";
}

TEST_F(ScreenTest, MissingImageShowsNoPictureAndStillDraws)
{
    // Cleared to red, so the black of the empty texture proves the quad was drawn.
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    ::testing::internal::CaptureStdout();
    drawImageScreen("absent.jpg");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_TRUE(isColor(readPixel(160, 120), {0, 0, 0}, 5));
}

TEST_F(ScreenTest, EveryScreenReplacesTheLastProgramAndRecord)
{
    writeColorImage(dir + "/a.bmp", 4, 4, [](int, int) { return Rgb{255, 255, 0}; });
    Screens& screens = game().screens;
    drawImageScreen("a.bmp");
    const GLuint firstProgram = screens.screenProgram->program;
    const GLuint firstTexture = screens.currentScreen->texture;
    const GLuint firstVertexArray = screens.currentScreen->quad.vertexArray();
    drawImageScreen("a.bmp");
    EXPECT_FALSE(glIsProgram(firstProgram)) << "a replaced screen leaves nothing behind";
    EXPECT_FALSE(glIsTexture(firstTexture));
    EXPECT_FALSE(glIsVertexArray(firstVertexArray));
    const GLuint texture = screens.currentScreen->texture;
    screens = Screens{};
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_EQ(screens.currentScreen, nullptr);
}

TEST_F(ScreenTest, WaitingScreenTextStaysInFrontOfTheImage)
{
    writeColorImage(dir + "/blue.bmp", 16, 16, [](int, int) { return Rgb{0, 0, 255}; });
    createText();
    game().state.currentLevel = 1;
    game().world.speedLevel = 10.0f;
    game().world.timeLimit = 600;
    game().world.neededKills = 5;
    drawInfoScreen("blue.bmp", true);

    // "Level 1" at twice the size, its baseline 60 pixels under the top.
    const int headline = whitePixels(25, 120, windowHeight - 60, windowHeight - 20);
    EXPECT_GT(headline, 100) << "the text was drawn before the image and kept in front";
    // Between and around the letters the image still shows.
    EXPECT_TRUE(isColor(readPixel(300, 20), {0, 0, 255}));
    EXPECT_TRUE(isColor(readPixel(20, windowHeight - 30), {0, 0, 255}));
    // Four lines down to 150 pixels under the top, then the records' line,
    // nothing further down.
    EXPECT_GT(whitePixels(25, 200, windowHeight - 150, windowHeight - 131), 20) << "Needed kills line";
    EXPECT_GT(whitePixels(25, 200, windowHeight - 180, windowHeight - 161), 20) << "NO RECORD YET";
    EXPECT_EQ(whitePixels(0, windowWidth - 1, 0, windowHeight - 190), 0);
}

// Which pixels are white in the rows of the screen line whose baseline is
// `fromTop` pixels under the top (its letters reach less than 24 above it).
std::vector<bool> lineBand(int fromTop)
{
    constexpr int rows = 29;
    std::vector<unsigned char> rgba(windowWidth * rows * 4);
    glReadPixels(0, windowHeight - fromTop - 4, windowWidth, rows, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<bool> mask;
    for (size_t i = 0; i < rgba.size(); i += 4)
        mask.push_back(isWhite({rgba[i], rgba[i + 1], rgba[i + 2]}));
    return mask;
}

// The band that `text` alone leaves there.
std::vector<bool> lineAlone(const std::string& text, int fromTop)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderText(text, 25.0f, static_cast<float>(windowHeight - fromTop), 1.0f, glm::vec3(1.0f));
    return lineBand(fromTop);
}

TEST_F(ScreenTest, RecordLinesAndNewRecordsReadBackWordForWord)
{
    writeColorImage(dir + "/blue.bmp", 16, 16, [](int, int) { return Rgb{0, 0, 255}; });
    createText();
    game().world.timeLimit = 600;
    LevelRecord& record = game().records.records.levels[1];
    record.bestTime = RecordFigure{151, "2025-06-30"};
    record.leastAmmo = RecordFigure{14, "2025-06-30"};
    drawInfoScreen("blue.bmp", true);
    const auto bestTime = lineBand(180), leastAmmo = lineBand(210);
    game().state.currentLevel = 2; // no records
    drawInfoScreen("blue.bmp", true);
    const auto noRecord = lineBand(180), belowNoRecord = lineBand(210);
    game().state.levelSeconds = 65.0;
    game().state.usedAmmo = 9;
    game().state.newLeastAmmo = true;
    drawInfoScreen("blue.bmp", false);
    const auto ammoBeaten = lineBand(30), timeNotBeaten = lineBand(60);

    EXPECT_TRUE(bestTime == lineAlone("BEST TIME: 2:31", 180));
    EXPECT_TRUE(leastAmmo == lineAlone("LEAST AMMO: 14", 210));
    EXPECT_TRUE(noRecord == lineAlone("NO RECORD YET", 180));
    EXPECT_TRUE(belowNoRecord == lineAlone("", 210));
    EXPECT_TRUE(ammoBeaten == lineAlone("Used ammo: 9  NEW RECORD", 30));
    EXPECT_TRUE(timeNotBeaten == lineAlone("Time: 01:05", 60));
    EXPECT_FALSE(ammoBeaten == lineAlone("Used ammo: 9", 30)) << "the comparison tells lines apart";
}

TEST_F(ScreenTest, EndScreensPutTheirLinesWhereTheHeadlineLeavesRoom)
{
    writeColorImage(dir + "/dark.bmp", 8, 8, [](int, int) { return Rgb{40, 0, 40}; });
    createText();
    game().state.usedAmmo = 42;
    game().state.levelSeconds = 65.0;

    // Winning: two lines, baselines 30 and 60 under the top.
    game().state.timeUp = false;
    drawInfoScreen("dark.bmp", false);
    EXPECT_GT(whitePixels(25, 150, windowHeight - 29, windowHeight - 10), 20) << "Used ammo";
    EXPECT_GT(whitePixels(25, 150, windowHeight - 59, windowHeight - 40), 20) << "Time";
    EXPECT_EQ(whitePixels(0, windowWidth - 1, 0, windowHeight - 70), 0);

    // Losing: the headline, then the same lines 60 pixels lower.
    game().state.timeUp = true;
    drawInfoScreen("dark.bmp", false);
    EXPECT_GT(whitePixels(25, 150, windowHeight - 89, windowHeight - 70), 20) << "Used ammo";
    EXPECT_GT(whitePixels(25, 150, windowHeight - 119, windowHeight - 100), 20) << "Time";
    EXPECT_EQ(whitePixels(0, windowWidth - 1, 0, windowHeight - 130), 0);
}

class TextRendererTest : public ScreenTest {};

TEST_F(TextRendererTest, RasterisesThe128CharactersAndReleasesThem)
{
    createText();
    const GlyphTable& glyphs = textRenderer()->glyphs;
    ASSERT_EQ(glyphs.size(), 128u);
    EXPECT_EQ(glyphs.begin()->first, '\0');
    EXPECT_EQ(glyphs.find(static_cast<char>(200)), glyphs.end());
    const Glyph& space = glyphs.at(' ');
    EXPECT_EQ(space.size.x * space.size.y, 0) << "an empty bitmap";
    EXPECT_GT(space.advance >> 6, 0u);
    const Glyph& h = glyphs.at('H');
    EXPECT_GT(h.size.y, 15);
    EXPECT_LE(h.size.y, 30);
    EXPECT_TRUE(glIsTexture(h.texture));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);

    const GLuint texture = h.texture;
    const GLuint vertexArray = textRenderer()->vertexArray;
    textRenderer().reset();
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsVertexArray(vertexArray));
}

TEST_F(TextRendererTest, GlyphsAreDrawnTheRightWayUp)
{
    createText();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // A big "T": its bar is at the top, its stem below.
    renderText("T", 100.0f, 50.0f, 4.0f, glm::vec3(1.0f));
    const Glyph& t = textRenderer()->glyphs.at('T');
    const int top = 50 + 4 * t.bearing.y, bottom = top - 4 * t.size.y;
    const int left = 100 + 4 * t.bearing.x, right = left + 4 * t.size.x;
    const int barRow = whitePixels(left, right, top - 6, top - 6);
    const int stemRow = whitePixels(left, right, bottom + 6, bottom + 6);
    EXPECT_GT(barRow, 2 * stemRow) << "bar " << barRow << ", stem " << stemRow;
    EXPECT_GT(stemRow, 0);
}

TEST_F(TextRendererTest, BitmapOutlineAndColourFontsDrawTheirOwnLettersUpright)
{
    textProgram = createShaderProgram("Shaders\\text.vert", "Shaders\\text.frag");
    writeTestFonts(dir + "/fonts");
    // One-bit glyphs in rows padded to whole bytes, at 30 pixels and at 10
    // (grown three times); outlines; colour glyphs of 120 pixels (shrunk to a
    // quarter). All give the same 30-pixel letters.
    for (const char* font : {"bitmap-30.bdf", "bitmap-10.bdf", "outline.ttf", "colour-120.ttf"}) {
        SCOPED_TRACE(font);
        ::testing::internal::CaptureStdout();
        textRenderer() = std::make_unique<TextRenderer>(320.0f, 240.0f, dir + "/fonts/" + font, textProgram.get());
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
        const Glyph& t = textRenderer()->glyphs.at('T');
        EXPECT_EQ(t.size, glm::ivec2(21, 24)) << t.size.x << " x " << t.size.y;
        EXPECT_EQ(t.bearing, glm::ivec2(0, 24)) << t.bearing.x << ", " << t.bearing.y;
        EXPECT_EQ(t.advance >> 6, 24u);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        renderText("TL", 40.0f, 60.0f, 2.0f, glm::vec3(1.0f));
        expectCells('T', 40, 60, 6);
        expectCells('L', 40 + 48, 60, 6);
    }

    // Rows stored bottom row first (a negative pitch), which none of these
    // fonts yields: a 'T' handed over so, as one byte a pixel.
    std::vector<std::uint8_t> bottomUp;
    for (int row = 23; row >= 0; --row)
        for (int column = 0; column < 21; ++column)
            bottomUp.push_back(testGlyphCells('T')[row / 3][column / 3] == '#' ? 255 : 0);
    GlyphBitmap bitmap;
    bitmap.buffer = bottomUp.data();
    bitmap.bufferBytes = bottomUp.size();
    bitmap.width = 21;
    bitmap.rows = 24;
    bitmap.pitch = -21;
    RasterisedGlyph t;
    t.code = 'T';
    t.coverage = convertGlyphBitmap(bitmap, 1.0f).coverage;
    t.glyph.size = {21, 24};
    t.glyph.bearing = {0, 24};
    textRenderer() = std::make_unique<TextRenderer>(320.0f, 240.0f, std::vector<RasterisedGlyph>{t}, textProgram.get());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderText("T", 40.0f, 60.0f, 2.0f, glm::vec3(1.0f));
    expectCells('T', 40, 60, 6);
}

TEST_F(TextRendererTest, GlyphsThatCannotBeDrawnAreLeftOutWithOneLineForTheFont)
{
    textProgram = createShaderProgram("Shaders\\text.vert", "Shaders\\text.frag");
    const auto bdf = [](const std::string& glyphs, int count) {
        return "STARTFONT 2.1\nFONT -test\nSIZE 30 75 75\nFONTBOUNDINGBOX 1100 2 0 0\nSTARTPROPERTIES 1\n"
               "PIXEL_SIZE 30\nENDPROPERTIES\nCHARS " +
               std::to_string(count) + "\n" + glyphs + "ENDFONT\n";
    };
    const std::string wideL =
        "STARTCHAR L\nENCODING 76\nDWIDTH 30 0\nBBX 1100 1 0 0\nBITMAP\n" + std::string(276, 'F') + "\nENDCHAR\n";
    const std::string smallT = "STARTCHAR T\nENCODING 84\nDWIDTH 10 0\nBBX 2 2 0 0\nBITMAP\nC0\nC0\nENDCHAR\n";
    const std::string some = dir + "/some.bdf", none = dir + "/none.bdf";
    writeFile(some, bdf(smallT + wideL, 2));
    writeFile(none, bdf(wideL, 1));

    // An 'L' 1100 pixels wide is left out, its advance kept; the 'T' draws.
    ::testing::internal::CaptureStdout();
    textRenderer() = std::make_unique<TextRenderer>(320.0f, 240.0f, some, textProgram.get());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Could not draw every glyph of font " + some + ", because a glyph is larger than 1024 pixels\n");
    const GlyphTable& glyphs = textRenderer()->glyphs;
    EXPECT_EQ(glyphs.at('L').size, glm::ivec2(0));
    EXPECT_EQ(glyphs.at('L').advance >> 6, 30u);
    EXPECT_EQ(glyphs.at('T').size, glm::ivec2(2, 2));

    // With nothing left to draw the font is refused like a missing one.
    ::testing::internal::CaptureStdout();
    textRenderer() = std::make_unique<TextRenderer>(320.0f, 240.0f, none, textProgram.get());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Could not draw every glyph of font " + none + ", because a glyph is larger than 1024 pixels\n"
              "Could not load font " + none + ", because none of its first 128 characters can be drawn\n");
    EXPECT_TRUE(textRenderer()->glyphs.empty());
}

TEST_F(TextRendererTest, WithoutAFontTextDrawsNothing)
{
    textProgram = createShaderProgram("Shaders\\text.vert", "Shaders\\text.frag");
    writeFile(dir + "/broken.ttf", std::string(2000, 'x'));
    struct Case {
        std::string path, message;
    };
    const Case cases[] = {
        {dir + "/absent.ttf", "Could not load font\n"},
        {dir + "/broken.ttf", "Could not load font, because the file format is not supported\n"},
    };
    for (const Case& c : cases) {
        ::testing::internal::CaptureStdout();
        textRenderer() = std::make_unique<TextRenderer>(320.0f, 240.0f, c.path, textProgram.get());
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), c.message);
        EXPECT_TRUE(textRenderer()->glyphs.empty());
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        renderText("Hello", 10.0f, 100.0f, 3.0f, glm::vec3(1.0f));
        EXPECT_EQ(whitePixels(0, windowWidth - 1, 60, 200), 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

} // namespace
