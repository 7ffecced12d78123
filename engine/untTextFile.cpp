// Reading and saving whole files with the system's own calls, so that every failure has its
// reason, a pipe or a device is never waited on, and a save reaches the disk before it
// counts as done.
#include "engine/untTextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <new>
#include <system_error>

#include "engine/untEngineError.h"

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& what, const fs::path& path, const std::string& reason) {
    throw EEngineError(what + " " + path.string() + ": " + reason);
}
[[noreturn]] void Fail(const std::string& what, const fs::path& path, int error) {
    Fail(what, path, std::generic_category().message(error));
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
    if (S_ISDIR(status.st_mode)) Fail(what, path, "it is a folder");
    if (!S_ISREG(status.st_mode)) Fail(what, path, "it is not a regular file");
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
        Fail("Cannot read", path, "it is too large");
    }
    return contents;
}

void WriteFileAtomically(const fs::path& requested, std::string_view contents) {
    std::error_code ignored;
    const fs::path path = fs::is_symlink(requested, ignored) && fs::exists(requested, ignored)
                              ? fs::canonical(requested, ignored)
                              : requested;
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (!exists && errno != ENOENT) Fail("Cannot write", path, errno);
    if (exists) {
        RequireRegularFile(path, target, "Cannot write");
        if (IsReadOnly(path, target))
            Fail("Cannot write", path, "it is read-only, so it was kept as it is");
    }

    fs::path temporary = path;
    temporary += ".tmp";
    TFile out(
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (!out.IsOpen()) {
        const int why = errno;
        if (exists && (why == EACCES || why == EPERM)) return WriteInPlace(path, contents);
        Fail("Cannot write", path,
             "no file can be made in its folder: " + std::generic_category().message(why));
    }
    auto giveUp = [&](int why) {
        out.Close();
        ::unlink(temporary.c_str());
        Fail("Cannot write", path, why);
    };
    if (!WriteAll(out.Descriptor(), contents)) giveUp(errno);
    if (exists) {
        // The replaced file keeps its permissions and, where the caller may give it, its owner.
        if (::fchmod(out.Descriptor(), target.st_mode & 07777) != 0) giveUp(errno);
        KeepOwner(out.Descriptor(), target);
    }
    if (::fsync(out.Descriptor()) != 0) giveUp(errno);
    if (!out.Close()) {
        const int why = errno;
        ::unlink(temporary.c_str());
        Fail("Cannot write", path, why);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int why = errno;
        ::unlink(temporary.c_str());
        Fail("Cannot replace", path, why);
    }
    FlushFolder(path.parent_path());
}

bool ParseInt32(std::string_view text, int32_t& value) {
    if (text.empty() || text.front() == '+') return false;
    int32_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    value = parsed;
    return true;
}
