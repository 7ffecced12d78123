#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

// What every harness needs: a failed property stops the run at once (the fuzzer keeps the
// input), and the input is cut into parts at a separator byte.

#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

inline std::vector<std::string_view> SplitInput(std::string_view input, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = input.find(separator, start);
        parts.push_back(input.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}
