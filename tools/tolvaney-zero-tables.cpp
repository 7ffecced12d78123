// Writes six all-zero pattern tables TEXTDATA1..TEXTDATA6 in the shipped format into a
// folder. Tables of zeros leave the pattern evaluation to its hand-tuned terms.
//
// Usage: tolvaney-zero-tables FOLDER
#include <cstdio>
#include <exception>
#include <filesystem>

#include "engine/eval/untPatterns.h"
#include "engine/untKyokumen.h"
#include "engine/untTextFile.h"

int main(int argc, char** argv) {
    // One folder, and nothing that looks like an option: "--help" is not a folder to make.
    if (argc != 2 || argv[1][0] == '-' || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        const TKyokumen engine;  // a new engine's table is all zeros
        for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind)
            WriteFileAtomically(folder / PatternResourceName(kind), engine.PatternFileText(kind));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
