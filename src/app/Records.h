#pragma once
// The player's records, kept between runs in records.txt in the working
// directory: per won level the best time and the least ammo, each with the
// date it was set, and the highest level reached. The file is a few
// setting-like lines under a version line, written whole and renamed into
// place under a lock that every running game shares, so neither a crash nor a
// second game loses a record. A file the game cannot make sense of is moved
// aside, never written over.
#include <map>
#include <optional>
#include <string>

// A record and the day it was set (local date, "2025-06-30").
struct RecordFigure {
    int value = 0;
    std::string date;

    bool operator==(const RecordFigure&) const = default;
};

// One level's records; both are missing until the level is first won.
struct LevelRecord {
    std::optional<RecordFigure> bestTime;  // the level clock of the fastest win, in whole seconds
    std::optional<RecordFigure> leastAmmo; // the fewest "Used ammo" of a win
};

struct Records {
    int reached = 1;                   // the highest level reached: one above the highest level won
    std::map<int, LevelRecord> levels; // by level number
};

// Which figures of a win beat the records kept before it.
struct RecordNews {
    bool bestTime = false;
    bool leastAmmo = false;
};

// The file's text: "version 1", a comment, "reached N", then per level and
// figure a value line and a date line ("level3.besttime 151",
// "level3.besttime.date 2025-06-30"), and "end".
std::string formatRecords(const Records& records);

// Reads a records file. `damage` is "" for a sound file, otherwise what is
// wrong with it (truncated, binary, an absurd value, a newer version...), and
// `records` is then empty.
struct ParsedRecords {
    Records records;
    std::string damage;
};
ParsedRecords parseRecords(const std::string& text);

// Takes into `into` every record of `other` that is better (the earlier date
// on a tie) and the higher level reached.
void mergeRecords(Records& into, const Records& other);

// A win of `level` in `seconds` with `ammo` used on `date`: kept where it beats
// the level's records (or the level has none), and the level after it reached.
RecordNews addWin(Records& records, int level, int seconds, int ammo, const std::string& date);

// "2:31": minutes, then the seconds with two digits.
std::string recordTimeText(int seconds);

// Today's local date as the records write it.
std::string todayText();

// The level a game starts at for the setting `startlevel`: that level, but at
// most the highest level reached; 0 means the highest level reached. `notice`
// gets the console line for a level not reached yet, "" otherwise.
int chooseStartLevel(int startlevel, int reached, std::string& notice);

// The records of this game and their file. Every change is merged with what
// the file holds at that moment, so two games running at once both keep theirs.
struct RecordBook {
    std::string path = "records.txt"; // as the game writes paths
    Records records;                  // the file as last read, with this game's wins
    bool saveFailureShown = false;    // the console hears once that records cannot be saved

    // Reads the file at start-up. A damaged file is moved aside with one
    // console line and the game starts with empty records.
    void load();

    // Records a win (see addWin) and writes the file at once, merged with the
    // file as it is now. A file that cannot be written keeps the records in
    // this game only, with one console line the first time.
    RecordNews recordWin(int level, int seconds, int ammo, const std::string& date);
};
