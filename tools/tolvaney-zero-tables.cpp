// Writes six all-zero pattern tables TEXTDATA1..TEXTDATA6 in the shipped format into a
// folder. Tables of zeros leave the pattern evaluation to its hand-tuned terms.
//
// Usage: tolvaney-zero-tables FOLDER
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/eval/untPatterns.h"
#include "engine/untKyokumen.h"
#include "engine/untTextFile.h"
#include "tools/untToolArgs.h"

namespace {

const char* const kTool = "tolvaney-zero-tables";
const char* const kUsage =
    "usage: tolvaney-zero-tables FOLDER\n"
    "  Writes six all-zero pattern tables TEXTDATA1..TEXTDATA6 into FOLDER,\n"
    "  making it first if need be.\n";

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const std::optional<int> answered = AnswerHelpOrVersion(args, kTool, kUsage))
        return *answered;
    std::filesystem::path folder;
    try {
        // One folder, and nothing that looks like an option: "--halp" is not a folder to make.
        folder = OnlyOperand(args, "folder");
    } catch (const EBadInput& problem) {
        return RefuseCommandLine(kTool, problem);
    }
    try {
        std::filesystem::create_directories(folder);
        const TKyokumen engine;  // a new engine's table is all zeros
        for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind)
            WriteFileAtomically(folder / PatternResourceName(kind), engine.PatternFileText(kind));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kTool, error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
