#include "platform/DurableFile.h"

#include "platform/Platform.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

std::string systemReason(int error)
{
    return std::strerror(error);
}

// The folder a file lies in, as a path open() takes.
std::string folderOf(const std::string& path)
{
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// Flushes a directory's entries, so that a rename in it outlives a power cut.
void flushFolder(const std::string& path)
{
    const int folder = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    fsync(folder);
    close(folder);
}

// Writes all of `content`, going on after partial writes and interruptions.
bool writeAll(int descriptor, const std::string& content)
{
    const char* next = content.data();
    size_t left = content.size();
    while (left > 0) {
        const ssize_t written = write(descriptor, next, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        next += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

} // namespace

FileRead readWholeFile(const std::string& path)
{
    FileRead result;
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        result.outcome = errno == ENOENT ? FileRead::Missing : FileRead::Failed;
        result.problem = systemReason(errno);
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.outcome = FileRead::Failed;
            result.problem = systemReason(errno);
            close(descriptor);
            return result;
        }
        if (got == 0)
            break;
        result.content.append(buffer, static_cast<size_t>(got));
    }
    close(descriptor);
    result.outcome = FileRead::Read;
    return result;
}

std::string replaceFileDurably(const std::string& path, const std::string& content)
{
    // One name for the new file: only the holder of the records' lock writes
    // it, and one left behind by a crash is simply written over.
    const std::string fresh = path + ".new";
    const int descriptor = open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return systemReason(errno);
    // A full disk may only show at the flush or the close.
    bool written = writeAll(descriptor, content) && fsync(descriptor) == 0;
    int error = written ? 0 : errno;
    if (close(descriptor) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        unlink(fresh.c_str());
        return systemReason(error);
    }
    if (betweenFlushAndRename)
        betweenFlushAndRename();
    if (rename(fresh.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(fresh.c_str());
        return systemReason(error);
    }
    flushFolder(path);
    return "";
}

std::string moveAside(const std::string& path, const std::string& target, std::string& problem)
{
    std::string name = target;
    std::error_code error;
    for (int copy = 2; std::filesystem::exists(name, error) || std::filesystem::is_symlink(name, error); ++copy)
        name = target + "." + std::to_string(copy);
    if (rename(path.c_str(), name.c_str()) != 0) {
        problem = systemReason(errno);
        return "";
    }
    flushFolder(path);
    return name;
}

FileLock::FileLock(const std::string& path, int timeoutMilliseconds)
{
    // Read-only is enough for flock, and lets a lock file that already exists
    // serve a process that may not write beside it.
    descriptor_ = open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor_ < 0) {
        problem_ = systemReason(errno);
        return;
    }
    constexpr int step = 10;
    for (int waited = 0;; waited += step) {
        if (flock(descriptor_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            problem_ = systemReason(errno);
            return;
        }
        if (waited >= timeoutMilliseconds) {
            problem_ = "another process keeps it locked";
            return;
        }
        sleepMilliseconds(step);
    }
}

FileLock::~FileLock()
{
    // Closing the last descriptor releases the lock.
    if (descriptor_ >= 0)
        close(descriptor_);
}
