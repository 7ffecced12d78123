#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Command lines and input lines of the command-line tools, checked strictly: a bad flag,
// value or input line is refused with a message that names it, before the tool writes
// anything.

// A command line or an input line the tool cannot take; the message names what and why.
class EBadInput : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The "--name value" pairs of a command line, in order. Every flag takes a value.
std::vector<std::pair<std::string, std::string>> FlagPairs(const std::vector<std::string>& args);

// A whole number in decimal digits (a minus sign allowed) within lowest..highest.
int64_t WholeNumber(const std::string& text, const std::string& what, int64_t lowest,
                    int64_t highest);

// A finite decimal number within lowest..highest.
double RealNumber(const std::string& text, const std::string& what, double lowest, double highest);
