#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Whole text files, as the program reads and writes them.

// Splits a text into lines at CR LF, CR or LF. A line break at the very end does not
// start another line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Reads a whole file; throws EEngineError naming the file when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& path);

// Writes a whole file so that it is either fully replaced or left as it was: the text goes
// to a temporary file in the same folder, which is then renamed over the target. Throws
// EEngineError naming the file when anything fails; the temporary file is removed then.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// Parses a decimal integer: an optional minus sign and digits, nothing else, within the
// signed 32-bit range.
bool ParseInt32(std::string_view text, int32_t& value);
