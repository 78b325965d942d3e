#include "support/core/Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

int spawn(const std::vector<std::string>& argv, const std::string& workingDirectory, const std::string& outPath,
          const std::string& errPath)
{
    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        setpgid(0, 0);
        if (chdir(workingDirectory.c_str()) != 0)
            _exit(127);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

std::string temporaryPath(const char* suffix)
{
    static int counter = 0;
    return (fs::temp_directory_path() / ("sandlark-test-" + std::to_string(getpid()) + "-" +
                                         std::to_string(counter++) + suffix))
        .string();
}

} // namespace

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

int countOf(const std::string& text, const std::string& needle)
{
    int count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++count;
    return count;
}

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream file(path, std::ios::binary);
    file << content;
}

BackgroundProcess::BackgroundProcess(const std::vector<std::string>& argv, const std::string& workingDirectory)
    : outPath_(temporaryPath(".out")), errPath_(temporaryPath(".err"))
{
    pid_ = spawn(argv, workingDirectory, outPath_, errPath_);
}

BackgroundProcess::~BackgroundProcess()
{
    if (!finished_ && pid_ > 0) {
        kill(-pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    fs::remove(outPath_, ignored);
    fs::remove(errPath_, ignored);
}

bool BackgroundProcess::running()
{
    if (finished_)
        return false;
    if (waitpid(pid_, &status_, WNOHANG) == pid_)
        finished_ = true;
    return !finished_;
}

std::string BackgroundProcess::outputSoFar() const { return readFile(outPath_); }
std::string BackgroundProcess::errorSoFar() const { return readFile(errPath_); }

ProcessResult BackgroundProcess::wait(double timeoutSeconds)
{
    ProcessResult result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!finished_) {
        kill(-pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
        finished_ = true;
        result.timedOut = true;
    }
    result.exitStatus = (!result.timedOut && WIFEXITED(status_)) ? WEXITSTATUS(status_) : -1;
    result.out = readFile(outPath_);
    result.err = readFile(errPath_);
    return result;
}

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDirectory, double timeoutSeconds)
{
    BackgroundProcess process(argv, workingDirectory);
    return process.wait(timeoutSeconds);
}

std::string shellOutput(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof(buffer), pipe))
        output.append(buffer, n);
    pclose(pipe);
    return output;
}

std::string makeScratchDirectory(const std::string& name)
{
    // One folder per test and process: tests that run at the same time (ctest
    // -j) never share one, even when they ask for the same name.
    std::ostringstream unique;
    unique << name;
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
        unique << '-' << test->test_suite_name() << '.' << test->name();
    unique << '-' << getpid();
    const fs::path path = fs::path(SANDLARK_TEST_OUTPUT_DIR) / "scratch" / unique.str();
    std::error_code ignored;
    fs::remove_all(path, ignored);
    fs::create_directories(path);
    return path.string();
}
