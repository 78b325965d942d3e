#include "DamagedGame.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string trimmed(const std::string& text)
{
    const auto begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return "";
    const auto end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(trimmed(part));
    return parts;
}

std::string contentOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Replaces whatever is at `file` (a link, a file or a folder) by `content`.
void replaceWith(const fs::path& file, const std::string& content)
{
    fs::remove_all(file);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

std::string unescaped(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string fromHex(const std::string& hex)
{
    std::string bytes;
    std::string digits;
    for (const char c : hex)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    if (digits.size() % 2 != 0)
        throw std::runtime_error("odd number of hex digits: " + hex);
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    return bytes;
}

std::string randomBytes(std::size_t count, std::mt19937& random)
{
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

// configuration.txt with every line for `key` removed and `key value` added.
void setConfiguration(const fs::path& directory, const std::string& key, const std::string& value)
{
    std::istringstream lines(contentOf(directory / "configuration.txt"));
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first != key)
            kept += line + "\n";
    }
    replaceWith(directory / "configuration.txt", kept + key + " " + value + "\n");
}

void linkTree(const fs::path& from, const fs::path& to)
{
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(from)) {
        const fs::path target = to / entry.path().filename();
        if (entry.is_directory())
            linkTree(entry.path(), target);
        else
            fs::create_symlink(entry.path(), target);
    }
}

void apply(const fs::path& directory, const Damage& damage, std::mt19937& random)
{
    const fs::path file = directory / damage.path;
    const std::string& action = damage.action;
    if (action == "config") {
        setConfiguration(directory, damage.path, damage.argument);
    } else if (action == "delete") {
        if (!fs::exists(fs::symlink_status(file)))
            throw std::runtime_error("nothing to delete at " + damage.path);
        fs::remove_all(file);
    } else if (action == "empty") {
        replaceWith(file, "");
    } else if (action == "truncate") {
        replaceWith(file, contentOf(file).substr(0, std::stoul(damage.argument)));
    } else if (action == "random") {
        replaceWith(file, randomBytes(std::stoul(damage.argument), random));
    } else if (action == "garble") {
        const std::string original = contentOf(file);
        const std::size_t offset = std::min<std::size_t>(std::stoul(damage.argument), original.size());
        replaceWith(file, original.substr(0, offset) + randomBytes(original.size() - offset, random));
    } else if (action == "write") {
        replaceWith(file, unescaped(damage.argument));
    } else if (action == "hex") {
        replaceWith(file, fromHex(damage.argument));
    } else if (action == "folder") {
        fs::remove_all(file);
        fs::create_directories(file);
    } else if (action == "crlf") {
        std::string converted;
        for (const char c : contentOf(file)) {
            if (c == '\n')
                converted += '\r';
            converted += c;
        }
        replaceWith(file, converted);
    } else {
        throw std::runtime_error("unknown damage: " + action);
    }
}

Damage parseDamage(const std::string& text)
{
    std::istringstream words(text);
    Damage damage;
    words >> damage.action >> damage.path;
    std::getline(words, damage.argument);
    damage.argument = trimmed(damage.argument);
    if (damage.action.empty() || damage.path.empty())
        throw std::runtime_error("a damage needs an action and a path: " + text);
    return damage;
}

bool yesNo(const std::string& word, const std::string& yes, const std::string& no)
{
    if (word == yes)
        return true;
    if (word == no)
        return false;
    throw std::runtime_error("expected " + yes + " or " + no + ", not " + word);
}

} // namespace

std::vector<BadInputRow> readBadInputTable(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::vector<BadInputRow> rows;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const std::string text = trimmed(line);
        if (text.empty() || text[0] == '#')
            continue;
        try {
            const std::vector<std::string> columns = split(text, '|');
            if (columns.size() != 6)
                throw std::runtime_error("six columns expected");
            BadInputRow row;
            row.name = columns[0];
            // Separated by " ; " so that a written text may hold a plain ';'.
            std::string damages = columns[1];
            for (std::size_t at; (at = damages.find(" ; ")) != std::string::npos; damages.erase(0, at + 3))
                row.damages.push_back(parseDamage(damages.substr(0, at)));
            row.damages.push_back(parseDamage(damages));
            row.status = std::stoi(columns[2]);
            row.message = columns[3] == "-" ? "" : columns[3];
            row.waits = yesNo(columns[4], "waits", "ends");
            row.sampled = yesNo(columns[5], "ci", "full");
            row.line = number;
            rows.push_back(row);
        } catch (const std::exception& error) {
            throw std::runtime_error(path + ":" + std::to_string(number) + ": " + error.what());
        }
    }
    return rows;
}

void makeDamagedGame(const std::string& gameDirectory, const std::string& directory,
                     const std::vector<Damage>& damages, unsigned seed)
{
    const fs::path game(gameDirectory), dir(directory);
    fs::copy(game / "Shaders", dir / "Shaders", fs::copy_options::recursive);
    if (fs::exists(game / "Assets"))
        linkTree(game / "Assets", dir / "Assets");
    fs::copy_file(game / "configuration.txt", dir / "configuration.txt");
    setConfiguration(dir, "soundvolume", "0");
    std::mt19937 random(seed);
    for (const Damage& damage : damages)
        apply(dir, damage, random);
}
