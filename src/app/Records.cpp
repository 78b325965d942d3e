#include "app/Records.h"

#include "platform/DurableFile.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <vector>

namespace {

constexpr int formatVersion = 1;
// Far beyond anything a game can reach (the clock of a level stops at its
// limit of ten minutes or less); a larger number is a damaged file.
constexpr int highestLevel = 1000000;
constexpr int longestTime = 1000000;
constexpr int mostAmmo = 1000000000;
constexpr size_t largestFile = 4 << 20;
// How long a win waits for another game to finish writing the records.
constexpr int lockWaitMilliseconds = 5000;

// A whole number of digits only (no sign, no fraction) from `low` to `high`.
bool readNumber(const std::string& text, int low, int high, int& value)
{
    const auto digit = [](unsigned char c) { return std::isdigit(c) != 0; };
    if (text.empty() || text.size() > 10 || !std::all_of(text.begin(), text.end(), digit))
        return false;
    const long long number = std::stoll(text);
    if (number < low || number > high)
        return false;
    value = static_cast<int>(number);
    return true;
}

// "2025-06-30": a plausible calendar date.
bool isDate(const std::string& text)
{
    int year = 0, month = 0, day = 0;
    return text.size() == 10 && text[4] == '-' && text[7] == '-' && readNumber(text.substr(0, 4), 1900, 9999, year) &&
           readNumber(text.substr(5, 2), 1, 12, month) && readNumber(text.substr(8, 2), 1, 31, day);
}

// A figure as the file spells it: its value line and its date line, each seen or not.
struct FigureLines {
    std::optional<int> value;
    std::optional<std::string> date;
};

struct FigureKind {
    const char* key; // "besttime" or "leastammo"
    int largest;
    std::optional<RecordFigure> LevelRecord::*figure;
};

const FigureKind figureKinds[] = {
    {"besttime", longestTime, &LevelRecord::bestTime},
    {"leastammo", mostAmmo, &LevelRecord::leastAmmo},
};

std::string lineProblem(size_t index, const std::string& what)
{
    return "line " + std::to_string(index + 1) + ": " + what;
}

// Splits "level12.besttime.date" into 12, the kind and whether it is the date.
bool readLevelKey(const std::string& key, int& level, const FigureKind*& kind, bool& isDateKey)
{
    if (key.rfind("level", 0) != 0)
        return false;
    const size_t dot = key.find('.');
    if (dot == std::string::npos || !readNumber(key.substr(5, dot - 5), 1, highestLevel, level))
        return false;
    std::string rest = key.substr(dot + 1);
    isDateKey = rest.size() > 5 && rest.compare(rest.size() - 5, 5, ".date") == 0;
    if (isDateKey)
        rest.resize(rest.size() - 5);
    for (const FigureKind& candidate : figureKinds)
        if (rest == candidate.key) {
            kind = &candidate;
            return true;
        }
    return false;
}

bool better(const RecordFigure& a, const RecordFigure& b)
{
    return a.value < b.value || (a.value == b.value && a.date < b.date);
}

// Keeps the better of the two figures in `into`.
void takeBetter(std::optional<RecordFigure>& into, const std::optional<RecordFigure>& other)
{
    if (other && (!into || better(*other, *into)))
        into = other;
}

std::string absolute(const std::string& path)
{
    std::error_code error;
    const auto full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

// Moves a damaged records file aside, saying so. False when it stays where it is.
bool setAsideDamaged(const std::string& file, const std::string& damage)
{
    std::string problem;
    const std::string kept = moveAside(file, file + ".damaged-" + todayText(), problem);
    std::cout << "Records file " << absolute(file) << " is damaged (" << damage << ")";
    if (kept.empty())
        std::cout << " and could not be moved aside (" << problem << "): leaving it as it is";
    else
        std::cout << ": moved aside to " << absolute(kept);
    std::cout << ", starting with empty records" << std::endl;
    return !kept.empty();
}

} // namespace

std::string formatRecords(const Records& records)
{
    std::ostringstream text;
    text << "version " << formatVersion << "\n"
         << "# Sandlark's records, kept by the game: the highest level reached and, for each\n"
         << "# won level, the best time (the level clock in seconds) and the least ammo used,\n"
         << "# each with the date it was set.\n"
         << "reached " << records.reached << "\n";
    for (const auto& [level, record] : records.levels)
        for (const FigureKind& kind : figureKinds)
            if (const auto& figure = record.*kind.figure) {
                const std::string key = "level" + std::to_string(level) + "." + kind.key;
                text << key << " " << figure->value << "\n" << key << ".date " << figure->date << "\n";
            }
    text << "end\n";
    return text.str();
}

ParsedRecords parseRecords(const std::string& text)
{
    ParsedRecords parsed;
    auto damaged = [&parsed](const std::string& damage) {
        parsed.records = Records{};
        parsed.damage = damage;
        return parsed;
    };
    if (text.empty())
        return damaged("empty");
    if (text.size() > largestFile)
        return damaged("too large");
    for (const char c : text)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\r' && c != '\t') || c == 0x7f)
            return damaged("not text");

    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }

    std::map<std::pair<int, const FigureKind*>, FigureLines> figures;
    bool reachedSeen = false, ended = false;
    for (size_t index = 0; index < lines.size(); ++index) {
        std::istringstream words(lines[index]);
        std::vector<std::string> tokens;
        for (std::string word; words >> word;)
            tokens.push_back(word);
        if (index == 0) {
            int version = 0;
            if (tokens.size() != 2 || tokens[0] != "version" || !readNumber(tokens[1], 1, highestLevel, version))
                return damaged("no version line");
            if (version > formatVersion)
                return damaged("written by a newer game, version " + tokens[1]);
            continue;
        }
        if (tokens.empty() || tokens[0][0] == '#')
            continue;
        if (ended)
            return damaged(lineProblem(index, "more after the end"));
        if (tokens.size() == 1 && tokens[0] == "end") {
            ended = true;
            continue;
        }
        if (tokens.size() != 2)
            return damaged(lineProblem(index, "not a name and a value"));
        const std::string& key = tokens[0];
        const std::string& value = tokens[1];
        if (key == "reached") {
            if (reachedSeen)
                return damaged(lineProblem(index, "reached given twice"));
            if (!readNumber(value, 1, highestLevel, parsed.records.reached))
                return damaged(lineProblem(index, "absurd level reached"));
            reachedSeen = true;
            continue;
        }
        int level = 0;
        const FigureKind* kind = nullptr;
        bool isDateKey = false;
        if (!readLevelKey(key, level, kind, isDateKey))
            return damaged(lineProblem(index, "unknown name " + key));
        FigureLines& figure = figures[{level, kind}];
        if (isDateKey ? figure.date.has_value() : figure.value.has_value())
            return damaged(lineProblem(index, key + " given twice"));
        int number = 0;
        if (isDateKey && !isDate(value))
            return damaged(lineProblem(index, "absurd date"));
        if (!isDateKey && !readNumber(value, 0, kind->largest, number))
            return damaged(lineProblem(index, "absurd value"));
        if (isDateKey)
            figure.date = value;
        else
            figure.value = number;
    }
    if (!ended)
        return damaged("truncated, no end line");
    for (const auto& [where, lines] : figures) {
        const auto& [level, kind] = where;
        if (!lines.value || !lines.date)
            return damaged("level" + std::to_string(level) + "." + kind->key + " without its value or its date");
        parsed.records.levels[level].*kind->figure = RecordFigure{*lines.value, *lines.date};
    }
    return parsed;
}

void mergeRecords(Records& into, const Records& other)
{
    into.reached = std::max(into.reached, other.reached);
    for (const auto& [level, record] : other.levels)
        for (const FigureKind& kind : figureKinds)
            takeBetter(into.levels[level].*kind.figure, record.*kind.figure);
}

RecordNews addWin(Records& records, int level, int seconds, int ammo, const std::string& date)
{
    RecordNews news;
    if (level < 1 || level >= highestLevel)
        return news;
    // A date the file could not read back would make the whole file damaged.
    const std::string day = isDate(date) ? date : "1970-01-01";
    records.reached = std::max(records.reached, level + 1);
    LevelRecord& record = records.levels[level];
    const int figures[] = {std::clamp(seconds, 0, longestTime), std::clamp(ammo, 0, mostAmmo)};
    bool* beaten[] = {&news.bestTime, &news.leastAmmo};
    for (int i = 0; i < 2; ++i) {
        std::optional<RecordFigure>& kept = record.*figureKinds[i].figure;
        if (kept && figures[i] >= kept->value)
            continue;
        *beaten[i] = kept.has_value();
        kept = RecordFigure{figures[i], day};
    }
    return news;
}

std::string recordTimeText(int seconds)
{
    const int within = seconds % 60;
    return std::to_string(seconds / 60) + (within < 10 ? ":0" : ":") + std::to_string(within);
}

std::string todayText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

int chooseStartLevel(int startlevel, int reached, std::string& notice)
{
    notice.clear();
    if (startlevel <= 0)
        return reached;
    if (startlevel <= reached)
        return startlevel;
    notice = "Level " + std::to_string(startlevel) + " is not reached yet: starting at level " + std::to_string(reached);
    return reached;
}

void RecordBook::load()
{
    const std::string file = resolvePath(path);
    records = Records{};
    // No lock for reading: the file is only ever replaced whole, so a reader
    // sees the old or the new one.
    FileRead read = readWholeFile(file);
    if (read.outcome == FileRead::Failed)
        std::cout << "Records file " << absolute(file) << " could not be read (" << read.problem
                  << "): playing without records" << std::endl;
    if (read.outcome != FileRead::Read)
        return;
    ParsedRecords parsed = parseRecords(read.content);
    if (!parsed.damage.empty()) {
        // Another game may have replaced it by now: look again under the lock
        // before anything is moved.
        const FileLock lock(file + ".lock", lockWaitMilliseconds);
        read = readWholeFile(file);
        if (read.outcome != FileRead::Read)
            return;
        parsed = parseRecords(read.content);
        if (!parsed.damage.empty() && !lock.held()) {
            std::cout << "Records file " << absolute(file) << " is damaged (" << parsed.damage << ") and could not be "
                      << "moved aside (" << lock.problem() << "): leaving it as it is, starting with empty records"
                      << std::endl;
            return;
        }
        if (!parsed.damage.empty()) {
            setAsideDamaged(file, parsed.damage);
            return;
        }
    }
    records = parsed.records;
}

RecordNews RecordBook::recordWin(int level, int seconds, int ammo, const std::string& date)
{
    const std::string file = resolvePath(path);
    const FileLock lock(file + ".lock", lockWaitMilliseconds);
    std::string failure = lock.problem();
    if (lock.held()) {
        // What other games wrote since this one last looked is kept too.
        const FileRead read = readWholeFile(file);
        if (read.outcome == FileRead::Failed)
            failure = "it could not be read: " + read.problem;
        if (read.outcome == FileRead::Read) {
            const ParsedRecords parsed = parseRecords(read.content);
            if (parsed.damage.empty())
                mergeRecords(records, parsed.records);
            else if (!setAsideDamaged(file, parsed.damage))
                failure = "the damaged file is in the way";
        }
    }
    const RecordNews news = addWin(records, level, seconds, ammo, date);
    if (failure.empty())
        failure = replaceFileDurably(file, formatRecords(records));
    if (!failure.empty() && !saveFailureShown) {
        saveFailureShown = true;
        std::cout << "Records could not be saved in " << absolute(file) << " (" << failure
                  << "): they are kept until the game ends" << std::endl;
    }
    return news;
}
