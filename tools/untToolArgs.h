#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/untEngineError.h"

// Command lines and input lines of the command-line tools, checked strictly: a bad flag,
// value or input line is refused with a message that names it, before the tool writes
// anything. Every tool answers --help and --version alike and ends with the same statuses.

// A command line or an input line the tool cannot take; the message names what and why.
class EBadInput : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The exit status of a tool that refused its command line or an input, having written nothing.
inline constexpr int EXIT_REFUSED = 2;

// What a command line asks for first: the usage (--help or -h), the version (--version) or
// a run. A question anywhere on the line is answered, whatever else the line holds.
enum class TToolRequest { Run, Help, Version };
TToolRequest RequestOf(const std::vector<std::string>& args);

// Answers --help with the usage on standard output and --version with "TOOL VERSION".
// Nothing when the line asks for a run; otherwise the tool's exit status (a failure when
// standard output cannot take the answer).
std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& args, const char* tool,
                                       const char* usage);

// Reports on one line of standard error why the tool refuses its command line or an input,
// and gives EXIT_REFUSED. A command line's fault points to --help.
int RefuseCommandLine(const char* tool, const std::exception& problem);
int RefuseInput(const char* tool, const std::exception& problem, const char* consequence);

// What a flag does with its value; it is given its own name for its messages.
using TFlagAction = std::function<void(const std::string& flag, const std::string& value)>;
using TFlags = std::map<std::string, TFlagAction, std::less<>>;

// The action of a flag the tool knows; an unknown one is refused, before its value is
// looked for.
const TFlagAction& ActionOf(const TFlags& flags, const std::string& flag);

// Reads a command line of "--name value" pairs in order, handing each value to its flag's
// action. Anything that is not a known flag, and a flag without a value or with an empty
// one, is refused.
void ReadFlagPairs(const std::vector<std::string>& args, const TFlags& flags);

// The one operand of a tool that takes nothing else (a file or folder, called `what` in
// messages); refused when it is missing, empty, looks like an option or has company.
std::string OnlyOperand(const std::vector<std::string>& args, const std::string& what);

// A whole number in decimal digits (a minus sign allowed) within lowest..highest.
int64_t WholeNumber(const std::string& text, const std::string& what, int64_t lowest,
                    int64_t highest);

// A finite decimal number within lowest..highest.
double RealNumber(const std::string& text, const std::string& what, double lowest, double highest);

// The actions of the usual flags: a whole number within lowest..highest kept in a field, a
// value kept as it stands (a file or folder name), one more value of a list.
template <typename Field>
TFlagAction WholeNumberInto(Field& field, int64_t lowest, int64_t highest) {
    return [target = &field, lowest, highest](const std::string& flag, const std::string& value) {
        *target = static_cast<Field>(WholeNumber(value, flag, lowest, highest));
    };
}
template <typename Field>
TFlagAction ValueInto(Field& field) {
    return [target = &field](const std::string&, const std::string& value) { *target = value; };
}
inline TFlagAction AppendTo(std::vector<std::string>& list) {
    return [target = &list](const std::string&, const std::string& value) {
        target->push_back(value);
    };
}

// Reads one of the tool's inputs through `read`. A file that is missing or unreadable, or a
// table with a bad entry, is a fault of the command line: the engine's error, which names
// the file, comes out as EBadInput.
template <typename Read>
auto ReadInput(Read read) -> decltype(read()) {
    try {
        return read();
    } catch (const EEngineError& error) {
        throw EBadInput(error.what());
    }
}

// The whole text of an input file, read as ReadInput does.
std::string ReadInputFile(const std::filesystem::path& file);
