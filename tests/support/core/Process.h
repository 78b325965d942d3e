#pragma once
// Starting the game's binaries (and xdotool) as child processes.
#include <string>
#include <vector>

struct ProcessResult {
    int exitStatus = -1;     // the exit status, or -1 when killed by a signal or timed out
    bool timedOut = false;
    std::string out;         // everything written to standard output
    std::string err;         // everything written to standard error
};

// Runs `argv` in `workingDirectory` with standard input from /dev/null, waits at
// most `timeoutSeconds` (then kills it) and returns its status and output.
ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDirectory = ".",
                         double timeoutSeconds = 60.0);

// A child that runs while the test drives it. Output goes to files read at the end.
class BackgroundProcess {
public:
    BackgroundProcess(const std::vector<std::string>& argv, const std::string& workingDirectory);
    ~BackgroundProcess(); // kills the child if it still runs

    int pid() const { return pid_; }
    bool running();
    // Waits for the end (killing the child after the timeout) and collects the output.
    ProcessResult wait(double timeoutSeconds);
    // Output written so far.
    std::string outputSoFar() const;
    std::string errorSoFar() const;

private:
    int pid_ = -1;
    std::string outPath_, errPath_;
    bool finished_ = false;
    int status_ = 0;
};

// Runs a shell command and returns its standard output (for xdotool and import).
std::string shellOutput(const std::string& command);

// A fresh empty directory under the test output folder.
std::string makeScratchDirectory(const std::string& name);

// The lines of a text, without their line ends.
std::vector<std::string> linesOf(const std::string& text);
// How often `needle` occurs in `text`.
int countOf(const std::string& text, const std::string& needle);

// The whole content of a file ("" when missing).
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);
