#include "protocol/untProtocolWords.h"

#include <cctype>
#include <charconv>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    for (std::size_t at = 0; at < line.size();) {
        while (at < line.size() && IsBlank(line[at]))
            ++at;
        std::size_t end = at;
        while (end < line.size() && !IsBlank(line[end]))
            ++end;
        if (end > at) words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

std::string_view AfterWords(std::string_view line, std::size_t count) {
    line = Trimmed(line);
    for (std::size_t word = 0; word < count && !line.empty(); ++word) {
        std::size_t end = 0;
        while (end < line.size() && !IsBlank(line[end]))
            ++end;
        line = Trimmed(line.substr(end));
    }
    return line;
}

std::optional<int> WholeNumberOf(std::string_view text) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return number;
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}
