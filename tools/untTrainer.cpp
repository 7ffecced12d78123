#include "tools/untTrainer.h"

#include <algorithm>
#include <cmath>

#include "engine/eval/untPatterns.h"
#include "engine/untGameRecord.h"

namespace {

constexpr int kLastTrainedMove = 57;
constexpr int kTrainingLevel = 4;  // the level of the strongest play, where the book is used
constexpr int32_t kLargestValue = 20;

std::size_t Slot(int kind, int index, int stage) {
    return (static_cast<std::size_t>(kind) * PATTERN_INDICES + index) * STAGES + stage;
}

// A small generator of our own, so that the shuffled order is the same on every machine.
class TShuffleGenerator {
public:
    explicit TShuffleGenerator(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    uint32_t Below(uint32_t n) {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(((state_ >> 32) * n) >> 32);
    }

private:
    uint64_t state_;
};

}  // namespace

std::vector<TTrainingPosition> GamePositions(const std::string& record, int blackMinusWhite,
                                             std::string& error) {
    std::vector<TTrainingPosition> positions;
    auto engine = std::make_unique<TKyokumen>();  // all-zero tables: EvaluatePatterns gives H
    TKyokumen& k = *engine;
    k.GameLevel = kTrainingLevel;
    const std::optional<std::vector<TRecordedMove>> moves = ReplayGameRecord(record, error);
    if (!moves) return {};
    for (const TRecordedMove& move : *moves) {
        k.WhiteToMove = move.white;
        k.MakeMove(move.square);
        k.Commit();
        if (k.MoveNumber > kLastTrainedMove) continue;
        const int32_t hand = k.EvaluatePatterns();
        if (k.BlackCount == 0 || k.WhiteCount == 0) continue;  // a finished game, not a pattern
        TTrainingPosition position;
        for (int n = 0; n < 22; ++n)
            position.indexes[n] = k.PatternIndex(kPatternInstances[n]);
        position.stage = StageOf(k.MoveNumber);
        position.hand = static_cast<float>(hand);
        position.outcome = static_cast<float>(-blackMinusWhite);
        positions.push_back(position);
    }
    return positions;
}

double HandScale(const std::vector<TTrainingPosition>& positions) {
    double hd = 0, dd = 0;
    for (const TTrainingPosition& p : positions) {
        hd += static_cast<double>(p.hand) * p.outcome;
        dd += static_cast<double>(p.outcome) * p.outcome;
    }
    return dd > 0 ? hd / dd : 0;
}

TFit FitTables(const std::vector<TTrainingPosition>& positions, const TTrainingOptions& options) {
    TFit fit;
    fit.scale = options.scaleFactor * HandScale(positions);
    fit.weights.assign(static_cast<std::size_t>(PATTERN_KINDS) * PATTERN_INDICES * STAGES, 0.0);
    std::vector<uint32_t> order(positions.size());
    for (uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    TShuffleGenerator generator(options.seed);
    for (int epoch = 0; epoch < options.epochs; ++epoch) {
        for (std::size_t i = order.size(); i > 1; --i)
            std::swap(order[i - 1], order[generator.Below(static_cast<uint32_t>(i))]);
        const double rate = options.learningRate / (1 + epoch);
        for (const uint32_t n : order) {
            const TTrainingPosition& p = positions[n];
            double prediction = p.hand;
            std::size_t slots[22];
            for (int i = 0; i < 22; ++i) {
                slots[i] = Slot(kPatternInstances[i].kind, p.indexes[i], p.stage);
                prediction += fit.weights[slots[i]];
            }
            const double error = prediction - fit.scale * p.outcome;
            for (int i = 0; i < 22; ++i) {
                if (p.indexes[i] == 0) continue;  // the all-empty configuration stays 0
                double& w = fit.weights[slots[i]];
                w -= rate * (error + options.penalty * w);
            }
        }
    }
    return fit;
}

TPatternTable RoundedTables(const TFit& fit) {
    TPatternTable tables{};
    for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind)
        for (int index = 1; index < PATTERN_INDICES; ++index)
            for (int stage = 0; stage < STAGES; ++stage) {
                const long value = std::lround(fit.weights[Slot(kind, index, stage)]);
                tables[kind][index][stage] =
                    static_cast<int32_t>(std::clamp<long>(value, -kLargestValue, kLargestValue));
            }
    return tables;
}

double RootMeanSquareError(const std::vector<TTrainingPosition>& positions,
                           const TPatternTable& tables, double scale) {
    if (positions.empty()) return 0;
    double sum = 0;
    for (const TTrainingPosition& p : positions) {
        double prediction = p.hand;
        for (int i = 0; i < 22; ++i)
            prediction += tables[kPatternInstances[i].kind][p.indexes[i]][p.stage];
        const double error = prediction - scale * p.outcome;
        sum += error * error;
    }
    return std::sqrt(sum / positions.size());
}

std::optional<TGameLine> ParseGameLine(std::string_view line, const std::string& file,
                                       int lineNumber) {
    const std::string where = file + ", line " + std::to_string(lineNumber) + ": ";
    std::vector<std::string> fields;
    for (std::size_t start = line.find_first_not_of(" \t"); start != std::string_view::npos;) {
        const std::size_t end = line.find_first_of(" \t", start);
        fields.emplace_back(line.substr(start, end - start));
        start = end == std::string_view::npos ? end : line.find_first_not_of(" \t", end);
    }
    if (fields.empty()) return std::nullopt;
    if (fields.size() != 2) throw EBadInput(where + "a game line is the moves and the result");
    TGameLine game{fields[0], 0};
    try {
        game.blackMinusWhite = static_cast<int>(WholeNumber(fields[1], "the result", -64, 64));
    } catch (const EBadInput& problem) {
        throw EBadInput(where + problem.what());
    }
    std::string error;
    if (!ReplayGameRecord(game.record, error)) throw EBadInput(where + error);
    return game;
}

TTrainerOptions ParseTrainerOptions(const std::vector<std::string>& args) {
    constexpr int64_t kMostEpochs = 1000;
    TTrainerOptions options;
    TTrainingOptions& training = options.training;
    for (const auto& [option, value] : FlagPairs(args)) {
        if (option == "--games") {
            options.gameFiles.push_back(value);
        } else if (option == "--evaluate") {
            options.evaluationFiles.push_back(value);
        } else if (option == "--out") {
            options.out = value;
        } else if (option == "--seed") {
            training.seed = static_cast<uint32_t>(WholeNumber(value, option, 0, UINT32_MAX));
        } else if (option == "--holdout") {
            options.holdoutPercent = static_cast<int>(WholeNumber(value, option, 0, 100));
        } else if (option == "--epochs") {
            training.epochs = static_cast<int>(WholeNumber(value, option, 1, kMostEpochs));
        } else if (option == "--rate") {
            training.learningRate = RealNumber(value, option, 0, 1);
        } else if (option == "--penalty") {
            training.penalty = RealNumber(value, option, 0, 1);
        } else if (option == "--scale-factor") {
            training.scaleFactor = RealNumber(value, option, 0, 1000);
        } else {
            throw EBadInput("unknown option " + option);
        }
    }
    if (options.gameFiles.empty()) throw EBadInput("at least one --games file is needed");
    return options;
}
