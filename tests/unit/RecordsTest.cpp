// The records kept in records.txt: the file's text, every kind of damage, and
// the file itself against a crash mid-write, two games at once and a directory
// the game may not write.
#include "app/Records.h"
#include "platform/DurableFile.h"
#include "support/core/Process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <iostream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

Records sampleRecords()
{
    Records records;
    records.reached = 4;
    records.levels[1].bestTime = RecordFigure{151, "2025-06-30"};
    records.levels[1].leastAmmo = RecordFigure{14, "2025-07-01"};
    records.levels[3].bestTime = RecordFigure{0, "1999-12-31"};
    records.levels[3].leastAmmo = RecordFigure{1000000000, "2030-01-02"};
    return records;
}

void expectSame(const Records& a, const Records& b)
{
    EXPECT_EQ(a.reached, b.reached);
    ASSERT_EQ(a.levels.size(), b.levels.size());
    for (const auto& [level, record] : a.levels) {
        const LevelRecord& other = b.levels.at(level);
        EXPECT_EQ(record.bestTime, other.bestTime) << "level " << level;
        EXPECT_EQ(record.leastAmmo, other.leastAmmo) << "level " << level;
    }
}

TEST(RecordsText, RoundTripsAndReadsAsAPersonWritesIt)
{
    const std::string text = formatRecords(sampleRecords());
    EXPECT_EQ(text.rfind("version 1\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nlevel1.besttime 151\nlevel1.besttime.date 2025-06-30\n"), std::string::npos) << text;
    const ParsedRecords parsed = parseRecords(text);
    ASSERT_EQ(parsed.damage, "");
    expectSame(parsed.records, sampleRecords());

    // Edited by hand: line ends of another system, blanks, comments, any order.
    const ParsedRecords edited = parseRecords("version 1\r\n\r\n# mine\r\nlevel2.leastammo.date 2025-01-02\r\n"
                                              "  level2.leastammo   7\r\nreached 3\r\nend");
    ASSERT_EQ(edited.damage, "");
    EXPECT_EQ(edited.records.reached, 3);
    EXPECT_EQ(edited.records.levels.at(2).leastAmmo, (RecordFigure{7, "2025-01-02"}));
    EXPECT_FALSE(edited.records.levels.at(2).bestTime);
    expectSame(parseRecords(formatRecords(Records{})).records, Records{});
}

TEST(RecordsText, EveryDamagedFormIsToldAndGivesEmptyRecords)
{
    const std::string good = formatRecords(sampleRecords());
    // Cut anywhere before its last line end, a file is damaged.
    for (size_t length = 0; length + 1 < good.size(); ++length)
        EXPECT_NE(parseRecords(good.substr(0, length)).damage, "") << "cut after " << length << " bytes";

    const char* cases[] = {
        "\x7f" "ELF\x02\x01\x01",                                         // binary
        "version 2\nreached 2\nend\n",                                    // a newer game
        "version one\nend\n",
        "reached 2\nversion 1\nend\n",                                    // the version is not first
        "version 1\nreached 0\nend\n",                                    // absurd values
        "version 1\nreached 99999999\nend\n",
        "version 1\nlevel1.besttime -5\nlevel1.besttime.date 2025-06-30\nend\n",
        "version 1\nlevel1.besttime 2:31\nlevel1.besttime.date 2025-06-30\nend\n",
        "version 1\nlevel1.leastammo 99999999999\nlevel1.leastammo.date 2025-06-30\nend\n",
        "version 1\nlevel0.besttime 9\nlevel0.besttime.date 2025-06-30\nend\n",
        "version 1\nlevel1.besttime 9\nlevel1.besttime.date 2025-13-30\nend\n",
        "version 1\nlevel1.besttime 9\nlevel1.besttime.date yesterday\nend\n",
        "version 1\nlevel1.besttime 9\nend\n",                           // a value without its date
        "version 1\nlevel1.besttime.date 2025-06-30\nend\n",
        "version 1\nreached 2\nreached 3\nend\n",                         // given twice
        "version 1\nlevel1.worsttime 9\nend\n",                          // unknown
        "version 1\nreached 2 3\nend\n",
        "version 1\nreached 2\nend\nreached 3\n",                         // after the end
    };
    for (const std::string damaged : cases) {
        const ParsedRecords parsed = parseRecords(damaged);
        EXPECT_NE(parsed.damage, "") << damaged;
        expectSame(parsed.records, Records{});
    }
    const char zeroByte[] = "version 1\nreached 2\0\nend\n";
    EXPECT_NE(parseRecords(std::string(zeroByte, sizeof zeroByte - 1)).damage, "");
    EXPECT_EQ(parseRecords("version 1\nlevel1.besttime 9\nlevel1.besttime.date 2025-06-30\nend\n").damage, "")
        << "the cases differ from a sound file only by their fault";
    EXPECT_NE(parseRecords("version 3\nend\n").damage.find("newer"), std::string::npos);
}

TEST(RecordsText, WinsAndMergesKeepTheBetterFigureAndTheHigherLevel)
{
    Records records;
    RecordNews news = addWin(records, 2, 151, 14, "2025-06-30");
    EXPECT_FALSE(news.bestTime || news.leastAmmo) << "a first win has no old record to beat";
    EXPECT_EQ(records.reached, 3);
    news = addWin(records, 2, 140, 14, "2025-07-01");
    EXPECT_TRUE(news.bestTime);
    EXPECT_FALSE(news.leastAmmo) << "an equal figure is not a new record";
    EXPECT_EQ(records.levels[2].leastAmmo, (RecordFigure{14, "2025-06-30"}));
    news = addWin(records, 1, 300, 9, "2025-07-02");
    EXPECT_EQ(records.reached, 3) << "winning an earlier level reaches nothing new";
    Records clockless;
    addWin(clockless, 1, 300, 9, "");
    EXPECT_EQ(parseRecords(formatRecords(clockless)).damage, "") << "a win never makes the file unreadable";

    Records other;
    other.reached = 5;
    other.levels[2].bestTime = RecordFigure{140, "2025-01-01"}; // the same time, earlier
    other.levels[2].leastAmmo = RecordFigure{20, "2025-01-01"};
    other.levels[4].leastAmmo = RecordFigure{3, "2025-01-01"};
    Records merged = records;
    mergeRecords(merged, other);
    EXPECT_EQ(merged.reached, 5);
    EXPECT_EQ(merged.levels[2].bestTime, (RecordFigure{140, "2025-01-01"}));
    EXPECT_EQ(merged.levels[2].leastAmmo, (RecordFigure{14, "2025-06-30"}));
    EXPECT_EQ(merged.levels[4].leastAmmo, (RecordFigure{3, "2025-01-01"}));
    EXPECT_EQ(merged.levels[1].bestTime, (RecordFigure{300, "2025-07-02"}));
    mergeRecords(other, records);
    expectSame(other, merged); // the order of two games does not matter

    EXPECT_EQ(recordTimeText(151), "2:31");
    EXPECT_EQ(recordTimeText(5), "0:05");
    EXPECT_EQ(recordTimeText(600), "10:00");
}

TEST(RecordsText, StartLevelIsAtMostTheLevelReached)
{
    std::string notice;
    EXPECT_EQ(chooseStartLevel(0, 3, notice), 3);
    EXPECT_EQ(chooseStartLevel(1, 3, notice), 1);
    EXPECT_EQ(chooseStartLevel(3, 3, notice), 3);
    EXPECT_EQ(notice, "");
    EXPECT_EQ(chooseStartLevel(4, 3, notice), 3);
    EXPECT_EQ(notice, "Level 4 is not reached yet: starting at level 3");
    EXPECT_EQ(chooseStartLevel(0, 1, notice), 1) << "with no records";
    EXPECT_EQ(chooseStartLevel(3, 1, notice), 1);
}

// Runs `body` in a child process and returns its exit status (or minus the
// signal that ended it); `output` gets what it printed.
int inChild(const std::function<int()>& body, std::string* output = nullptr)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1000;
    std::cout.flush();
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        dup2(pipeEnds[1], STDOUT_FILENO);
        const int status = body();
        std::cout.flush();
        _exit(status);
    }
    close(pipeEnds[1]);
    std::string printed;
    char buffer[4096];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, static_cast<size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (output)
        *output = printed;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

class RecordFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        book.path = makeScratchDirectory("records") + "/records.txt";
    }

    Records readBack() const
    {
        const ParsedRecords parsed = parseRecords(readFile(book.path));
        EXPECT_EQ(parsed.damage, "");
        return parsed.records;
    }

    RecordBook book;
};

TEST_F(RecordFileTest, ADamagedFileIsMovedAsideAndNeverWrittenOver)
{
    const std::string today = todayText();
    const std::string damaged[] = {"version 1\nreached 2\nlevel1.bestt", "version 7\nreached 90\nend\n"};
    for (int i = 0; i < 2; ++i) {
        writeFile(book.path, damaged[i]);
        testing::internal::CaptureStdout();
        book.load();
        const std::string out = testing::internal::GetCapturedStdout();
        const std::string kept = book.path + ".damaged-" + today + (i == 0 ? "" : ".2");
        EXPECT_EQ(linesOf(out).size(), 1u) << out;
        EXPECT_NE(out.find("is damaged"), std::string::npos) << out;
        EXPECT_NE(out.find(kept), std::string::npos) << out;
        EXPECT_EQ(readFile(kept), damaged[i]) << "the player's file is kept byte for byte";
        EXPECT_FALSE(fs::exists(book.path));
        expectSame(book.records, Records{});
    }
    // A damaged file that appears while the game runs is moved aside as well.
    writeFile(book.path, "\x01\x02garbage");
    testing::internal::CaptureStdout();
    book.recordWin(1, 70, 9, "2025-06-30");
    EXPECT_NE(testing::internal::GetCapturedStdout().find(".damaged-" + today + ".3"), std::string::npos);
    EXPECT_EQ(readFile(book.path + ".damaged-" + today + ".3"), "\x01\x02garbage");
    EXPECT_EQ(readBack().levels.at(1).bestTime, (RecordFigure{70, "2025-06-30"}));
}

TEST_F(RecordFileTest, ACrashBetweenWritingAndRenamingLeavesTheOldRecords)
{
    book.recordWin(1, 100, 50, "2025-06-01");
    const std::string before = readFile(book.path);
    const int status = inChild([this] {
        betweenFlushAndRename = [] { raise(SIGKILL); };
        book.recordWin(2, 90, 40, "2025-06-02");
        return 0;
    });
    ASSERT_EQ(status, -SIGKILL) << "the child was stopped between the two steps";
    EXPECT_EQ(readFile(book.path), before);
    EXPECT_NE(parseRecords(readFile(book.path + ".new")).records.levels.count(2), 0u)
        << "the new file was complete when the process died";

    // The next game reads the old records and writes over the leftover.
    RecordBook next;
    next.path = book.path;
    testing::internal::CaptureStdout();
    next.load();
    next.recordWin(3, 80, 30, "2025-06-03");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(readBack().levels.size(), 2u);
    EXPECT_EQ(readBack().reached, 4);
}

TEST_F(RecordFileTest, TwoGamesWinningAtOnceBothKeepTheirRecords)
{
    // Each round two processes, started together, record different levels in
    // one file; neither may overwrite the other's.
    constexpr int rounds = 25;
    for (int round = 0; round < rounds; ++round) {
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        std::vector<pid_t> players;
        for (int player = 0; player < 2; ++player) {
            const pid_t child = fork();
            if (child == 0) {
                close(go[1]);
                char signal;
                [[maybe_unused]] const ssize_t got = read(go[0], &signal, 1); // returns at the parent's close
                RecordBook own; // a game that has not read the file since a while
                own.path = book.path;
                own.recordWin(2 * round + player + 1, 100 + round, 10 + player, "2025-06-30");
                _exit(own.saveFailureShown ? 1 : 0);
            }
            players.push_back(child);
        }
        close(go[0]);
        close(go[1]);
        for (const pid_t child : players) {
            int status = 0;
            waitpid(child, &status, 0);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        const Records now = readBack();
        ASSERT_EQ(now.levels.size(), static_cast<size_t>(2 * round + 2)) << "round " << round;
        EXPECT_EQ(now.reached, 2 * round + 3);
    }
}

TEST_F(RecordFileTest, ADirectoryTheGameCannotWriteKeepsItPlayingWithOneLine)
{
    // /tmp, so that `nobody` can reach the folder; the folder itself is not its own.
    char folder[] = "/tmp/sandlark-records-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    book.path = std::string(folder) + "/records.txt";
    book.recordWin(1, 100, 50, "2025-06-01");
    const std::string before = readFile(book.path);
    chmod(folder, 0555);

    std::string out;
    const int status = inChild(
        [this] {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                return 2;
            book.load();
            const RecordNews first = book.recordWin(1, 60, 50, "2025-06-02");
            const RecordNews second = book.recordWin(2, 60, 50, "2025-06-02");
            // Both wins are kept for this game, and the first beat the file's time.
            return first.bestTime && !second.bestTime && book.records.levels.size() == 2 ? 0 : 3;
        },
        &out);
    chmod(folder, 0755);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(linesOf(out).size(), 1u) << out;
    EXPECT_NE(out.find("Records could not be saved in " + book.path + " ("), std::string::npos) << out;
    EXPECT_EQ(readFile(book.path), before);
    fs::remove_all(folder);
}

} // namespace
