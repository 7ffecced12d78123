#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Whole text files, as the program reads and writes them.

// Splits a text into lines at CR LF, CR or LF. A line break at the very end does not
// start another line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Reads a whole regular file; throws EFileError naming the file and the reason when it
// cannot be read (missing, a folder, a pipe or device, unreadable, too large).
std::string ReadTextFile(const std::filesystem::path& path);

// A save of one file under way. It holds the file's temporary file (the target's name with
// ".tmp" added, so that at most one is ever left behind) open and locked: another program
// saving the same file, such as a second copy of the game, waits until this save is
// committed or dropped, so that what a save reads and what it writes belong together. A save
// that is not committed removes its temporary file. Throws EFileError (Busy) when another
// program holds the file for longer than a save can take.
class TFileSave {
public:
    explicit TFileSave(const std::filesystem::path& path);
    ~TFileSave();
    TFileSave(const TFileSave&) = delete;
    TFileSave& operator=(const TFileSave&) = delete;

    // Replaces the file whole, or leaves it as it was, also across a kill or a power cut: the
    // text goes to the temporary file, which is flushed to the disk, given the target's
    // permissions and renamed over the target; then the folder is flushed. A target the user
    // made read-only (no write permission for its owner, or none for the caller) is refused
    // and kept as it is, also for root. A writable target in a folder where no temporary file
    // can be made is rewritten in place. Throws EFileError naming the file and the reason.
    void Commit(std::string_view contents);

private:
    void OpenLockedTemporary();
    void DropTemporary();

    std::filesystem::path path_;       // the target, a link followed to the file it names
    std::filesystem::path temporary_;  // path_ with ".tmp" added
    int descriptor_ = -1;              // the locked temporary file, or -1
    int temporaryError_ = 0;           // why no temporary file could be made
};

// Writes a whole file in one save (TFileSave). A link is followed to the file it names.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// Writes a file that does not exist yet, and never one that does: false, with nothing
// changed, when the name is taken. The file reaches the disk before it counts as written.
// Throws EFileError naming the file and the reason when it cannot be made.
bool WriteNewFile(const std::filesystem::path& path, std::string_view contents);

// A file's full path, as messages name it: absolute, without "." or ".." parts; the path as
// given when the working folder is gone.
std::filesystem::path FullPath(const std::filesystem::path& path);

// Parses a decimal integer: an optional minus sign and digits, nothing else, within the
// signed 32-bit range.
bool ParseInt32(std::string_view text, int32_t& value);
