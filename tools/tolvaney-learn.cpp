// Trains the pattern tables from game records, as the program's "学習３" command does for one
// typed record: starting from the shipped tables, each record is replayed and the recorded
// white moves are taught to the pattern evaluation. The six tables are then written as
// 学習_1.dat .. 学習_6.dat into the working directory.
//
// Usage: tolvaney-learn RECORDS_FILE
//   One record a line in the game-record notation ("f5d6c3..."); anything after the first
//   blank is ignored. Every record must be a legal game from the standard start, black first
//   and without passes, of at most 60 moves: the first that is not is reported with its line
//   number, and nothing is trained or written; so is a file that is missing or holds no
//   record.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/eval/untPatterns.h"
#include "engine/untTextFile.h"
#include "learn/untLearn.h"
#include "tools/untResourceFolder.h"
#include "tools/untToolArgs.h"

namespace {

const char* const kTool = "tolvaney-learn";
const char* const kUsage =
    "usage: tolvaney-learn RECORDS_FILE\n"
    "  RECORDS_FILE: one game record a line (\"f5d6c3...\"), legal games from the\n"
    "  standard start. Trains the shipped pattern tables on every record as the\n"
    "  game's learning command does and writes them as 学習_1.dat .. 学習_6.dat\n"
    "  into the working folder.\n";

// The records of the file, each checked before any is trained.
std::vector<std::pair<int, std::vector<uint8_t>>> ReadRecords(const std::string& file) {
    const std::string text = ReadInputFile(file);
    std::vector<std::pair<int, std::vector<uint8_t>>> records;
    int lineNumber = 0;
    for (const std::string_view line : SplitLines(text)) {
        ++lineNumber;
        const std::string record(line.substr(0, line.find_first_of(" \t")));
        if (record.empty()) continue;
        std::string error;
        const std::optional<std::vector<uint8_t>> moves = ParseTrainingRecord(record, error);
        if (!moves) throw EBadInput(file + ", line " + std::to_string(lineNumber) + ": " + error);
        records.emplace_back(lineNumber, *moves);
    }
    if (records.empty()) throw EBadInput(file + " holds no record");
    return records;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const std::optional<int> answered = AnswerHelpOrVersion(args, kTool, kUsage))
        return *answered;
    std::string file;
    try {
        file = OnlyOperand(args, "records file");
    } catch (const EBadInput& problem) {
        return RefuseCommandLine(kTool, problem);
    }
    try {
        const auto records = ReadRecords(file);
        auto tables = std::make_unique<TKyokumen>();
        *tables->PatternWeights = *LoadPatternTables(ShippedResourceFolder());
        for (const auto& [lineNumber, moves] : records) {
            // Each record is replayed on a new engine that carries the tables, as in the program.
            auto engine = std::make_unique<TKyokumen>();
            CarryPatternWeights(*tables, *engine);
            engine->GameLevel = 4;
            engine->ThinkType = 3;
            const TTrainingResult result = TrainOnRecord(*engine, moves);
            tables = std::move(engine);
            std::printf("line %d: %zu moves trained, カウンタ %d\n", lineNumber, moves.size(),
                        result.k);
            std::fflush(stdout);
        }
        for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind)
            tables->SavePatternFile(kind);
        std::printf("%zu records trained; 学習_1.dat .. 学習_6.dat written\n", records.size());
    } catch (const EBadInput& problem) {
        return RefuseInput(kTool, problem, "nothing was trained or written");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kTool, error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
