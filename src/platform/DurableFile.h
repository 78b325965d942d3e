#pragma once
// Files that must survive crashes, power cuts and a second copy of the game:
// whole reads, replacements that leave either the old or the new file and
// never a torn one, an advisory lock shared by every process of the game, and
// moving a file aside without clobbering anything.
#include <string>

// What reading a whole file found.
struct FileRead {
    enum Outcome { Read, Missing, Failed } outcome = Missing;
    std::string content; // when Read
    std::string problem; // when Failed: the system's reason
};

FileRead readWholeFile(const std::string& path);

// Replaces `path` with `content`: writes `path` + ".new", flushes it to the
// disk, renames it over `path` and flushes the directory, so that whatever
// happens at any moment the file is either the old one or the new one.
// Returns "" on success, otherwise the system's reason (and `path` is untouched).
std::string replaceFileDurably(const std::string& path, const std::string& content);

// Called by replaceFileDurably between flushing the new file and renaming it;
// nothing by default. A test stops the process there to see that the old file
// survives.
inline void (*betweenFlushAndRename)() = nullptr;

// Renames `path` to `target`, or to `target` + ".2", ".3" ... when that name is
// taken, and flushes the directory. Returns the name used, or "" when the file
// could not be moved (then `problem` says why).
std::string moveAside(const std::string& path, const std::string& target, std::string& problem);

// An exclusive lock on the file `path` (made when missing), held while this
// object lives. Every process that locks the same path waits for the others;
// the lock goes with the process, so a crashed holder never blocks anyone.
class FileLock {
public:
    // Waits at most `timeoutMilliseconds` for the lock.
    FileLock(const std::string& path, int timeoutMilliseconds);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return held_; }
    // Why the lock is not held ("" when it is).
    const std::string& problem() const { return problem_; }

private:
    int descriptor_ = -1;
    bool held_ = false;
    std::string problem_;
};
