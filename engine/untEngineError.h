#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

// The one exception type the engine throws. Its message names the failing operation,
// so the game controller can show it as it stands.
class EEngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A long search stopped from another thread before it found its answer (a player who
// cancelled, a game that moved on).
class ESearchStopped : public EEngineError {
public:
    ESearchStopped() : EEngineError("the search was stopped") {}
};

// A file that could not be read or written. Besides the message, it keeps the file and the
// reason apart, so that the windows can say both in the player's own words.
class EFileError : public EEngineError {
public:
    enum class TReason {
        System,          // the system refused; Error holds its error number
        Folder,          // a folder stands where the file should be
        NotRegularFile,  // a pipe, a device or the like stands there
        ReadOnlyFile,    // the user made the file read-only
        TooLarge,        // the file does not fit in memory
        Busy,            // another program kept saving the same file
    };

    EFileError(const std::string& message, std::filesystem::path path, TReason reason,
               int error = 0)
        : EEngineError(message), Path(std::move(path)), Reason(reason), Error(error) {}

    std::filesystem::path Path;
    TReason Reason;
    int Error;  // the system's error number where Reason is System
};
