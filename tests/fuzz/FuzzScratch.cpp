#include "FuzzScratch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct ScratchFolder {
    std::string path;

    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "sandlark-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("no scratch folder");
        path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

} // namespace

const std::string& fuzzScratchFolder()
{
    static const ScratchFolder folder;
    return folder.path;
}

InFuzzScratchFolder::InFuzzScratchFolder() : previous(fs::current_path().string())
{
    fs::current_path(fuzzScratchFolder());
}

InFuzzScratchFolder::~InFuzzScratchFolder()
{
    fs::current_path(previous);
}

void silenceStandardOutput()
{
    std::fflush(stdout);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        close(null);
    }
}

void writeFuzzFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    const fs::path file(path);
    if (file.has_parent_path())
        fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void writeFuzzFile(const std::string& path, const std::string& text)
{
    writeFuzzFile(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::string readFuzzFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
