#pragma once

// Reading the command lines of the text protocols: words separated by blanks, whole numbers,
// square names in capitals.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The words of a line, split at spaces, tabs and line ends.
std::vector<std::string_view> Words(std::string_view line);

// The line after its first `count` words, without the blanks around it.
std::string_view AfterWords(std::string_view line, std::size_t count);

// A whole number in decimal digits, with a minus sign allowed; nothing for anything else or
// a number beyond a few billion.
std::optional<int> WholeNumberOf(std::string_view text);

std::string Upper(std::string_view text);
std::string Lower(std::string_view text);
