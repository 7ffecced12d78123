#include "tools/untToolArgs.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "engine/untTextFile.h"

namespace {

[[noreturn]] void Refuse(const std::string& what, const std::string& text,
                         const std::string& rule) {
    throw EBadInput(what + " needs " + rule + ", not '" + text + "'");
}

bool LooksLikeOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

}  // namespace

TToolRequest RequestOf(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") return TToolRequest::Help;
        if (arg == "--version") return TToolRequest::Version;
    }
    return TToolRequest::Run;
}

std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& args, const char* tool,
                                       const char* usage) {
    switch (RequestOf(args)) {
        case TToolRequest::Run:
            return std::nullopt;
        case TToolRequest::Help:
            std::fputs(usage, stdout);
            break;
        case TToolRequest::Version:
            std::printf("%s %s\n", tool, TOLVANEY_VERSION);
            break;
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? EXIT_SUCCESS : EXIT_FAILURE;
}

int RefuseCommandLine(const char* tool, const std::exception& problem) {
    std::fprintf(stderr, "%s: %s (see %s --help)\n", tool, problem.what(), tool);
    return EXIT_REFUSED;
}

int RefuseInput(const char* tool, const std::exception& problem, const char* consequence) {
    std::fprintf(stderr, "%s: %s; %s\n", tool, problem.what(), consequence);
    return EXIT_REFUSED;
}

const TFlagAction& ActionOf(const TFlags& flags, const std::string& flag) {
    const auto known = flags.find(flag);
    if (known == flags.end()) {
        if (!LooksLikeOption(flag)) throw EBadInput("'" + flag + "' is not an option");
        throw EBadInput("unknown option " + flag);
    }
    return known->second;
}

void ReadFlagPairs(const std::vector<std::string>& args, const TFlags& flags) {
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const TFlagAction& action = ActionOf(flags, args[i]);
        if (i + 1 >= args.size() || args[i + 1].empty())
            throw EBadInput(args[i] + " needs a value");
        action(args[i], args[i + 1]);
    }
}

std::string OnlyOperand(const std::vector<std::string>& args, const std::string& what) {
    for (const std::string& arg : args)
        if (LooksLikeOption(arg) || arg == "-") throw EBadInput("unknown option " + arg);
    if (args.empty()) throw EBadInput("a " + what + " is needed");
    if (args.size() > 1) throw EBadInput("one " + what + " only, not also '" + args[1] + "'");
    if (args[0].empty()) throw EBadInput("the " + what + " has an empty name");
    return args[0];
}

int64_t WholeNumber(const std::string& text, const std::string& what, int64_t lowest,
                    int64_t highest) {
    const std::string rule =
        "a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest);
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < lowest || value > highest)
        Refuse(what, text, rule);
    return value;
}

double RealNumber(const std::string& text, const std::string& what, double lowest, double highest) {
    std::ostringstream rule;
    rule << "a number from " << lowest << " to " << highest;
    // Plain decimal notation only: no blanks, no hexadecimal, no "inf" or "nan".
    if (text.empty() || text.find_first_not_of("0123456789.eE+-") != std::string::npos)
        Refuse(what, text, rule.str());
    char* stop = nullptr;
    const double value = std::strtod(text.c_str(), &stop);
    if (stop != text.c_str() + text.size() || !std::isfinite(value) || value < lowest ||
        value > highest)
        Refuse(what, text, rule.str());
    return value;
}

std::string ReadInputFile(const std::filesystem::path& file) {
    return ReadInput([&] { return ReadTextFile(file); });
}
