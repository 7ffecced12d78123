#include "tools/untToolArgs.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

[[noreturn]] void Refuse(const std::string& what, const std::string& text,
                         const std::string& rule) {
    throw EBadInput(what + " needs " + rule + ", not '" + text + "'");
}

}  // namespace

std::vector<std::pair<std::string, std::string>> FlagPairs(const std::vector<std::string>& args) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (args[i].size() < 3 || args[i].rfind("--", 0) != 0)
            throw EBadInput("'" + args[i] + "' is not an option");
        if (i + 1 >= args.size()) throw EBadInput(args[i] + " needs a value");
        pairs.emplace_back(args[i], args[i + 1]);
    }
    return pairs;
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
