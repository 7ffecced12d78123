// Reading and saving whole files with the system's own calls, so that every failure has its
// reason, a pipe or a device is never waited on, and a save reaches the disk before it
// counts as done.
#include "engine/untTextFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <new>
#include <system_error>
#include <thread>

#include "engine/untEngineError.h"

namespace {

namespace fs = std::filesystem;

// A save takes a few milliseconds; another program holding the same file for seconds is stuck.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockRetry = std::chrono::milliseconds(10);

using TReason = EFileError::TReason;

[[noreturn]] void Fail(const std::string& what, const fs::path& path, TReason reason,
                       const std::string& text, int error = 0) {
    throw EFileError(what + " " + path.string() + ": " + text, path, reason, error);
}
[[noreturn]] void Fail(const std::string& what, const fs::path& path, int error) {
    Fail(what, path, TReason::System, std::generic_category().message(error), error);
}

// An open file, closed when it goes out of scope.
class TFile {
public:
    explicit TFile(int descriptor) : descriptor_(descriptor) {}
    ~TFile() {
        if (descriptor_ >= 0) ::close(descriptor_);
    }
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    bool IsOpen() const { return descriptor_ >= 0; }
    int Descriptor() const { return descriptor_; }
    // Closes the file; false (with errno set) when the system reports a failure.
    bool Close() {
        const int descriptor = descriptor_;
        descriptor_ = -1;
        return ::close(descriptor) == 0;
    }

private:
    int descriptor_;
};

bool WriteAll(int descriptor, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(descriptor, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes a rename in the folder last across a power cut. Some file systems cannot flush a
// folder; the file itself is on the disk by then, so that is not a failure of the save.
void FlushFolder(const fs::path& folder) {
    TFile directory(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.IsOpen()) ::fsync(directory.Descriptor());
}

void RequireRegularFile(const fs::path& path, const struct stat& status, const char* what) {
    if (S_ISDIR(status.st_mode)) Fail(what, path, TReason::Folder, "it is a folder");
    if (!S_ISREG(status.st_mode))
        Fail(what, path, TReason::NotRegularFile, "it is not a regular file");
}

// The user made the file read-only: its owner may not write it, or the caller may not.
// Root is held to the owner's bit too, so a file marked read-only stays as it is.
bool IsReadOnly(const fs::path& path, const struct stat& status) {
    return (status.st_mode & S_IWUSR) == 0 ||
           (::access(path.c_str(), W_OK) != 0 && errno == EACCES);
}

// Only root may give a file away; a file system without owners keeps the new file's.
void KeepOwner(int descriptor, const struct stat& target) {
    if (::geteuid() != 0) return;
    const int result = ::fchown(descriptor, target.st_uid, target.st_gid);
    static_cast<void>(result);
}

// The last resort when the folder takes no new file: the target itself is overwritten and
// cut to length. A crash in the middle could damage it, but the game's result is not lost.
void WriteInPlace(const fs::path& path, std::string_view contents) {
    TFile file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!file.IsOpen()) Fail("Cannot write", path, errno);
    if (!WriteAll(file.Descriptor(), contents) ||
        ::ftruncate(file.Descriptor(), static_cast<off_t>(contents.size())) != 0 ||
        ::fsync(file.Descriptor()) != 0 || !file.Close())
        Fail("Cannot write", path, errno);
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::string ReadTextFile(const fs::path& path) {
    // Opened without waiting, so that a named pipe in the file's place cannot hang the reader.
    TFile file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.IsOpen()) Fail("Cannot open", path, errno);
    struct stat status {};
    if (::fstat(file.Descriptor(), &status) != 0) Fail("Cannot read", path, errno);
    RequireRegularFile(path, status, "Cannot read");
    std::string contents;
    try {
        contents.reserve(static_cast<std::size_t>(status.st_size));
        char buffer[1 << 16];
        for (;;) {
            const ssize_t got = ::read(file.Descriptor(), buffer, sizeof buffer);
            if (got == 0) break;
            if (got < 0) {
                if (errno == EINTR) continue;
                Fail("Cannot read", path, errno);
            }
            contents.append(buffer, static_cast<std::size_t>(got));
        }
    } catch (const std::bad_alloc&) {
        Fail("Cannot read", path, TReason::TooLarge, "it is too large");
    }
    return contents;
}

TFileSave::TFileSave(const fs::path& requested) {
    std::error_code ignored;
    path_ = fs::is_symlink(requested, ignored) && fs::exists(requested, ignored)
                ? fs::canonical(requested, ignored)
                : requested;
    temporary_ = path_;
    temporary_ += ".tmp";
    OpenLockedTemporary();
}

TFileSave::~TFileSave() {
    DropTemporary();
}

// Opens the temporary file and takes its lock. Another save of the same file may hold it;
// once it lets go, the file it held may have been renamed to the target or removed, so the
// lock counts only while the name still leads to the locked file. A file system without
// locks is saved without one.
void TFileSave::OpenLockedTemporary() {
    const auto giveUpAt = std::chrono::steady_clock::now() + kLockWait;
    for (;;) {
        // Without waiting, so that a named pipe in the temporary file's place cannot hang
        // the save; a folder or a pipe there is reported as what it is.
        descriptor_ = ::open(temporary_.c_str(),
                             O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
        if (descriptor_ < 0) {
            temporaryError_ = errno;
            if (errno == EISDIR)
                Fail("Cannot write", temporary_, TReason::Folder, "it is a folder");
            if (errno == ENXIO)
                Fail("Cannot write", temporary_, TReason::NotRegularFile,
                     "it is not a regular file");
            return;
        }
        if (struct stat opened{}; ::fstat(descriptor_, &opened) == 0 && !S_ISREG(opened.st_mode)) {
            ::close(descriptor_);
            descriptor_ = -1;
            RequireRegularFile(temporary_, opened, "Cannot write");
        }
        if (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK) return;
            ::close(descriptor_);
            descriptor_ = -1;
            if (std::chrono::steady_clock::now() > giveUpAt)
                Fail("Cannot write", path_, TReason::Busy,
                     "another program kept saving it for too long");
            std::this_thread::sleep_for(kLockRetry);
            continue;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(descriptor_, &held) == 0 && ::lstat(temporary_.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            return;
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

// The temporary file goes before its lock is let go, so that nobody waiting for the lock
// takes over a file that is no longer there.
void TFileSave::DropTemporary() {
    if (descriptor_ < 0) return;
    ::unlink(temporary_.c_str());
    ::close(descriptor_);
    descriptor_ = -1;
}

void TFileSave::Commit(std::string_view contents) {
    struct stat target {};
    const bool exists = ::stat(path_.c_str(), &target) == 0;
    if (!exists && errno != ENOENT) Fail("Cannot write", path_, errno);
    if (exists) {
        RequireRegularFile(path_, target, "Cannot write");
        if (IsReadOnly(path_, target))
            Fail("Cannot write", path_, TReason::ReadOnlyFile,
                 "it is read-only, so it was kept as it is");
    }
    if (descriptor_ < 0) {
        const int why = temporaryError_;
        if (exists && (why == EACCES || why == EPERM)) return WriteInPlace(path_, contents);
        Fail("Cannot write", path_, TReason::System,
             "no file can be made in its folder: " + std::generic_category().message(why), why);
    }
    auto giveUp = [&](int why) {
        DropTemporary();
        Fail("Cannot write", path_, why);
    };
    // A leftover of a save that was killed may hold anything.
    if (::ftruncate(descriptor_, 0) != 0 || !WriteAll(descriptor_, contents)) giveUp(errno);
    if (exists) {
        // The replaced file keeps its permissions and, where the caller may give it, its owner.
        if (::fchmod(descriptor_, target.st_mode & 07777) != 0) giveUp(errno);
        KeepOwner(descriptor_, target);
    }
    if (::fsync(descriptor_) != 0) giveUp(errno);
    if (::rename(temporary_.c_str(), path_.c_str()) != 0) {
        const int why = errno;
        DropTemporary();
        Fail("Cannot replace", path_, why);
    }
    // The lock goes with the file, now under the target's name.
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (closed != 0 && errno != EINTR) Fail("Cannot write", path_, errno);
    FlushFolder(path_.parent_path());
}

void WriteFileAtomically(const fs::path& path, std::string_view contents) {
    TFileSave(path).Commit(contents);
}

bool WriteNewFile(const fs::path& path, std::string_view contents) {
    TFile file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (!file.IsOpen()) {
        if (errno == EEXIST) return false;
        Fail("Cannot write", path, errno);
    }
    if (!WriteAll(file.Descriptor(), contents) || ::fsync(file.Descriptor()) != 0 ||
        !file.Close()) {
        const int why = errno;
        ::unlink(path.c_str());
        Fail("Cannot write", path, why);
    }
    FlushFolder(path.parent_path());
    return true;
}

fs::path FullPath(const fs::path& path) {
    std::error_code error;
    const fs::path full = fs::absolute(path, error);
    return error ? path : full.lexically_normal();
}

bool ParseInt32(std::string_view text, int32_t& value) {
    if (text.empty() || text.front() == '+') return false;
    int32_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    value = parsed;
    return true;
}
