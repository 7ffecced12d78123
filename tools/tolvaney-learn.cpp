// Trains the pattern tables from game records, as the program's "学習３" command does for one
// typed record: starting from the shipped tables, each record is replayed and the recorded
// white moves are taught to the pattern evaluation. The six tables are then written as
// 学習_1.dat .. 学習_6.dat into the working directory.
//
// Usage: tolvaney-learn RECORDS_FILE
//   One record a line in the game-record notation ("f5d6c3..."); anything after the first
//   blank is ignored. Every record must be a legal game from the standard start, black first
//   and without passes, of at most 60 moves: the first that is not is reported with its line
//   number, and nothing is trained or written.
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "engine/eval/untPatterns.h"
#include "engine/untTextFile.h"
#include "learn/untLearn.h"
#include "tools/untResourceFolder.h"
#include "tools/untToolArgs.h"

namespace {

// The records of the file, each checked before any is trained.
std::vector<std::pair<int, std::vector<uint8_t>>> ReadRecords(const std::string& file) {
    const std::string text = ReadTextFile(file);
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
    return records;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {  // one file, and nothing that looks like an option
        std::fprintf(stderr, "usage: %s RECORDS_FILE\n", argv[0]);
        return 2;
    }
    try {
        const auto records = ReadRecords(argv[1]);
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
        std::fprintf(stderr, "tolvaney-learn: %s\nnothing was trained or written\n",
                     problem.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tolvaney-learn: %s\n", error.what());
        return 1;
    }
    return 0;
}
