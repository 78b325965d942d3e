// The table of bad inputs, end to end: every row of tests/badinput/table.txt
// starts the real binary in a game directory of its own, damaged as the row
// says, on an X display of its own, and checks the outcome the row gives: its
// exit status and message, never a signal, never a hang. A row that waits must
// reach the waiting screen, start the level on Enter and end on Escape.
//
// CI runs the rows marked "ci"; SANDLARK_BADINPUT_ALL=1 runs them all
// (scripts/badinput.sh).
#include "DamagedGame.h"

#include "support/core/GameWindow.h"
#include "support/core/PrivateDisplay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>

// Rows show by name in test listings and failures.
void PrintTo(const BadInputRow& row, std::ostream* out)
{
    *out << row.name;
}

namespace {

const bool privateDisplay = (usePrivateDisplayForEveryTest(), true);

const std::string tablePath = std::string(SANDLARK_SOURCE_DIR) + "/tests/badinput/table.txt";

// The rows, read once when the tests are registered; a table that does not
// read leaves no rows and fails TableReads instead.
std::string tableError;
std::vector<BadInputRow> tableRows()
{
    try {
        return readBadInputTable(tablePath);
    } catch (const std::exception& error) {
        tableError = error.what();
        return {};
    }
}

bool hasLine(const std::string& text, const std::string& line)
{
    for (const std::string& printed : linesOf(text))
        if (printed == line)
            return true;
    return false;
}

std::string describe(const ProcessResult& result)
{
    return "status " + std::to_string(result.exitStatus) + "\nstandard output:\n" + result.out +
           "\nstandard error:\n" + result.err;
}

void expectOutcome(const BadInputRow& row, const ProcessResult& result)
{
    ASSERT_FALSE(result.timedOut) << (row.waits ? "the game hung before or during play\n"
                                                : "the game hung (or waits for Enter where it should end)\n")
                                  << describe(result);
    ASSERT_NE(result.exitStatus, -1) << "the game was ended by a signal\n" << describe(result);
    EXPECT_EQ(result.exitStatus, row.status) << describe(result);
    if (!row.message.empty()) {
        EXPECT_TRUE(hasLine(result.out, row.message) || hasLine(result.err, row.message))
            << "no line \"" << row.message << "\"\n" << describe(result);
    }
    if (row.waits) {
        EXPECT_TRUE(hasLine(result.out, "Cleaning up...")) << describe(result);
    }
}

// Presses Enter until the level runs (the frame loop puts the frame rate in
// the title), then holds Escape until the game ends. Enter is pressed again and
// again: a press made while the window was still appearing is lost.
ProcessResult playThroughWaitingScreen(GameWindow& game)
{
    if (game.waitForWindow(120).empty())
        return game.process().wait(5);
    bool playing = false;
    for (int tries = 0; tries < 300 && !playing && game.process().running(); ++tries) {
        game.keyDown("Return");
        pause(200);
        game.keyUp("Return");
        playing = game.waitForTitlePrefix("Sandlark V1.1 ", false, 0.5);
    }
    if (!playing)
        return game.process().wait(5);
    game.keyDown("Escape");
    ProcessResult result = game.process().wait(60);
    game.keyUp("Escape");
    return result;
}

class BadInput : public ::testing::TestWithParam<BadInputRow> {};

TEST_P(BadInput, EndsAsTheTableSays)
{
    const BadInputRow& row = GetParam();
    if (!row.sampled && std::getenv("SANDLARK_BADINPUT_ALL") == nullptr)
        GTEST_SKIP() << "in the full table only (SANDLARK_BADINPUT_ALL=1, scripts/badinput.sh)";
    SCOPED_TRACE(tablePath + ":" + std::to_string(row.line) + ": " + row.name);

    const std::string dir = makeScratchDirectory("badinput");
    makeDamagedGame(SANDLARK_GAME_DIR, dir, row.damages, static_cast<unsigned>(std::hash<std::string>{}(row.name)));
    if (row.waits) {
        GameWindow game(dir);
        expectOutcome(row, playThroughWaitingScreen(game));
    } else {
        expectOutcome(row, runProcess({std::string(SANDLARK_GAME_DIR) + "/sandlark"}, dir, 90));
    }
}

std::string rowName(const ::testing::TestParamInfo<BadInputRow>& info)
{
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Table, BadInput, ::testing::ValuesIn(tableRows()), rowName);

TEST(BadInputTable, ReadsWithUniqueNamesAndASampleForCi)
{
    ASSERT_EQ(tableError, "");
    const std::vector<BadInputRow> rows = readBadInputTable(tablePath);
    std::set<std::string> names;
    int sampled = 0;
    for (const BadInputRow& row : rows) {
        EXPECT_TRUE(names.insert(rowName({row, 0})).second) << "two rows named " << row.name;
        EXPECT_TRUE(!row.waits || row.status == 0) << row.name << ": a game that plays on ends with status 0";
        sampled += row.sampled ? 1 : 0;
    }
    EXPECT_GE(sampled, 4);
    EXPECT_LE(sampled, 10) << "the CI sample stays a minute or two";
}

} // namespace
