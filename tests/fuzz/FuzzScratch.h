#pragma once
// What every fuzz target needs around the game's readers: a scratch folder of
// its own to write inputs into (the image and model libraries read files, and
// the level files are found by their game paths), and a quiet standard output
// (the readers print progress lines that would drown libFuzzer's report).
#include <cstddef>
#include <cstdint>
#include <string>

// This process's scratch folder, made on first use and removed when the
// process ends. libFuzzer's workers are processes, so none share one.
const std::string& fuzzScratchFolder();

// Makes the scratch folder the working directory, where the game's relative
// paths ("Assets\World\...") are looked up, for as long as it lives; the
// previous one comes back after, so that libFuzzer's own relative paths (the
// corpus, an input to replay) keep working.
class InFuzzScratchFolder {
public:
    InFuzzScratchFolder();
    ~InFuzzScratchFolder();
    InFuzzScratchFolder(const InFuzzScratchFolder&) = delete;
    InFuzzScratchFolder& operator=(const InFuzzScratchFolder&) = delete;

private:
    std::string previous;
};

// Sends standard output to /dev/null; libFuzzer reports on standard error.
void silenceStandardOutput();

// Writes `size` bytes to `path`, creating its folders.
void writeFuzzFile(const std::string& path, const std::uint8_t* data, std::size_t size);
void writeFuzzFile(const std::string& path, const std::string& text);

// The whole content of a file ("" when it cannot be read).
std::string readFuzzFile(const std::string& path);
