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

// Reads a whole regular file; throws EEngineError naming the file and the reason when it
// cannot be read (missing, a folder, a pipe or device, unreadable, too large).
std::string ReadTextFile(const std::filesystem::path& path);

// Writes a whole file so that it is either fully replaced or left as it was, also across a
// kill or a power cut: the text goes to a temporary file in the same folder (the target's
// name with ".tmp" added, so at most one is ever left behind), which is flushed to the disk,
// given the target's permissions and renamed over the target; then the folder is flushed.
// A target the user made read-only (no write permission for its owner, or none for the
// caller) is refused and kept as it is, also for root. A writable target in a folder where
// no temporary file can be made is rewritten in place. A link is followed to the file it
// names. Throws EEngineError naming the file and the reason when anything fails.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// Parses a decimal integer: an optional minus sign and digits, nothing else, within the
// signed 32-bit range.
bool ParseInt32(std::string_view text, int32_t& value);
