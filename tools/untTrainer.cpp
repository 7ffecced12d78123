#include "tools/untTrainer.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "engine/eval/untPatterns.h"
#include "engine/search/untEndgameSolver.h"
#include "engine/untBitBoard.h"
#include "engine/untGameRecord.h"
#include "engine/untSquareNames.h"
#include "engine/untTextFile.h"
#include "tools/untSeededGenerator.h"

namespace {

constexpr int kLastTrainedMove = 57;
constexpr int kTrainingLevel = 4;  // the level of the strongest play, where the book is used
constexpr int32_t kLargestValue = 20;
constexpr int kAllSquares = 64;
constexpr int kLastStage = STAGES - 1;
constexpr std::size_t kSolverChunk = 256;  // positions a solver thread takes at a time

std::size_t Slot(int kind, int index, int stage) {
    return (static_cast<std::size_t>(kind) * PATTERN_INDICES + index) * STAGES + stage;
}

}  // namespace

int TTrainingPosition::Empties() const {
    return kAllSquares - std::popcount(black | white);
}

void TTrainingSet::AddGame(const std::vector<TTrainingPosition>& game) {
    positions.insert(positions.end(), game.begin(), game.end());
    gameEnds.push_back(positions.size());
}

namespace {

// The example of the engine's current position (its hand-tuned terms with all-zero tables).
TTrainingPosition CurrentPosition(TKyokumen& k, bool whiteToMove) {
    TTrainingPosition position{};
    position.hand = static_cast<float>(k.EvaluatePatterns());
    for (int n = 0; n < 22; ++n)
        position.indexes[n] = k.PatternIndex(kPatternInstances[n]);
    position.stage = StageOf(k.MoveNumber);
    position.moveNumber = static_cast<uint8_t>(k.MoveNumber);
    position.whiteToMove = whiteToMove;
    const TBitBoard bits = BitsOf(k.CurrentBoard->Cells);
    position.black = bits.black;
    position.white = bits.white;
    return position;
}

}  // namespace

std::unique_ptr<TKyokumen> ExampleEngine() {
    auto engine = std::make_unique<TKyokumen>();  // all-zero tables: EvaluatePatterns gives H
    engine->GameLevel = kTrainingLevel;
    return engine;
}

TTrainingPosition PositionOf(TKyokumen& k, uint64_t black, uint64_t white, bool whiteToMove,
                             int moveNumber) {
    k.MoveNumber = static_cast<int16_t>(moveNumber);
    k.CurrentBoard->SetCellsFrom({black, white});
    return CurrentPosition(k, whiteToMove);
}

bool WhiteToMoveAtLeaves(int moveNumber) {
    constexpr int kFirstLeafOfTheEvenDepths = 45;  // move 39 searched 6 plies deep
    return moveNumber >= kFirstLeafOfTheEvenDepths;
}

void SeeAsAtLeaves(TTrainingPosition& p, TKyokumen& engine) {
    if (p.whiteToMove == WhiteToMoveAtLeaves(p.moveNumber)) return;
    TTrainingPosition exchanged =
        PositionOf(engine, p.white, p.black, !p.whiteToMove, p.moveNumber);
    exchanged.exact = p.exact;
    exchanged.exchanged = !p.exchanged;
    exchanged.offLine = p.offLine;
    exchanged.outcome = -p.outcome;
    exchanged.target = -p.target;
    p = exchanged;
}

std::vector<TTrainingPosition> GamePositions(const std::string& record, int blackMinusWhite,
                                             std::string& error) {
    std::vector<TTrainingPosition> positions;
    const std::unique_ptr<TKyokumen> engine = ExampleEngine();
    TKyokumen& k = *engine;
    const std::optional<std::vector<TRecordedMove>> moves = ReplayGameRecord(record, error);
    if (!moves) return {};
    for (std::size_t n = 0; n < moves->size(); ++n) {
        const TRecordedMove& move = (*moves)[n];
        k.WhiteToMove = move.white;
        k.MakeMove(move.square);
        k.Commit();
        if (k.MoveNumber > kLastTrainedMove) continue;
        // The side to move next is the one that plays the next move of the record.
        const bool whiteNext = n + 1 < moves->size() ? (*moves)[n + 1].white : !move.white;
        TTrainingPosition position = CurrentPosition(k, whiteNext);
        if (k.BlackCount == 0 || k.WhiteCount == 0) continue;  // a finished game, not a pattern
        position.outcome = static_cast<float>(-blackMinusWhite);
        position.target = position.outcome;
        positions.push_back(position);
    }
    return positions;
}

double HandScale(std::span<const TTrainingPosition> positions) {
    double hd = 0, dd = 0;
    for (const TTrainingPosition& p : positions) {
        hd += static_cast<double>(p.hand) * p.outcome;
        dd += static_cast<double>(p.outcome) * p.outcome;
    }
    return dd > 0 ? hd / dd : 0;
}

TFit FitTables(std::span<const TTrainingPosition> positions, const TTrainingOptions& options) {
    TFit fit;
    fit.scale = options.scaleFactor * HandScale(positions);
    fit.weights.assign(static_cast<std::size_t>(PATTERN_KINDS) * PATTERN_INDICES * STAGES, 0.0);
    FitStage(positions, options, -1, fit);
    return fit;
}

void FitStage(std::span<const TTrainingPosition> positions, const TTrainingOptions& options,
              int stage, TFit& fit) {
    constexpr double kBound = kLargestValue;
    std::vector<uint32_t> order;
    for (uint32_t i = 0; i < positions.size(); ++i)
        if (stage < 0 || positions[i].stage == stage) order.push_back(i);
    TSeededGenerator generator(options.seed);
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
            const double error = prediction - fit.scale * p.target;
            for (int i = 0; i < 22; ++i) {
                if (p.indexes[i] == 0) continue;  // the all-empty configuration stays 0
                double& w = fit.weights[slots[i]];
                w -= rate * (error + options.penalty * w);
                if (options.boundedFit) w = std::clamp(w, -kBound, kBound);
            }
        }
    }
}

namespace {

// The discs and the side to move: positions equal in these have the same exact value.
struct TSolvedKey {
    uint64_t black, white;
    bool whiteToMove;
    bool operator==(const TSolvedKey&) const = default;
};

struct TSolvedKeyHash {
    std::size_t operator()(const TSolvedKey& key) const {
        const uint64_t discs = key.black * 0x9E3779B97F4A7C15ull ^ key.white;  // golden ratio
        return std::hash<uint64_t>{}(discs ^ uint64_t{key.whiteToMove});
    }
};

// The positions to solve, each distinct one once (games share their endings: the same games
// file given several times, or transpositions), and the copies that take a solved one's value.
struct TSolveWork {
    std::vector<std::size_t> toSolve;
    std::vector<std::pair<std::size_t, std::size_t>> copies;  // (copy, the one solved)
};

TSolveWork DistinctPositionsToSolve(const std::vector<TTrainingPosition>& positions,
                                    int exactEmpties) {
    TSolveWork work;
    std::unordered_map<TSolvedKey, std::size_t, TSolvedKeyHash> firstOf;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const TTrainingPosition& p = positions[i];
        if (p.Empties() > exactEmpties) continue;
        const auto [first, isNew] = firstOf.try_emplace({p.black, p.white, p.whiteToMove}, i);
        if (isNew)
            work.toSolve.push_back(i);
        else
            work.copies.emplace_back(i, first->second);
    }
    return work;
}

}  // namespace

void SolveExactTargets(std::vector<TTrainingPosition>& positions, int exactEmpties,
                       unsigned threads, const TProgress& progress) {
    const TSolveWork distinct = DistinctPositionsToSolve(positions, exactEmpties);
    const std::vector<std::size_t>& toSolve = distinct.toSolve;
    std::atomic<std::size_t> next{0}, done{0};
    std::mutex reporting;
    std::exception_ptr failure;  // the first error of any thread, raised after all stop
    const auto solveChunks = [&] {
        TEndgameSolver solver;  // a table of its own, kept from position to position
        for (std::size_t first = next.fetch_add(kSolverChunk); first < toSolve.size();
             first = next.fetch_add(kSolverChunk)) {
            const std::size_t last = std::min(first + kSolverChunk, toSolve.size());
            for (std::size_t n = first; n < last; ++n) {
                TTrainingPosition& p = positions[toSolve[n]];
                const int score = p.whiteToMove ? solver.Solve(p.white, p.black).score
                                                : -solver.Solve(p.black, p.white).score;
                p.target = static_cast<float>(score);
                p.exact = true;
            }
            const std::size_t now = done += last - first;
            if (progress) {
                const std::lock_guard<std::mutex> lock(reporting);
                progress(now, toSolve.size());
            }
        }
    };
    const auto work = [&] {
        try {
            solveChunks();
        } catch (...) {
            const std::lock_guard<std::mutex> lock(reporting);
            if (!failure) failure = std::current_exception();
            next = toSolve.size();  // the others stop after their chunk
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < std::max(threads, 1u); ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();
    if (failure) std::rethrow_exception(failure);
    for (const auto& [copy, solved] : distinct.copies) {
        positions[copy].target = positions[solved].target;
        positions[copy].exact = true;
    }
}

namespace {

struct TSolvedRecord {
    uint64_t black, white;
    int8_t whiteToMove, score;
};
constexpr std::size_t kSolvedRecordBytes = 2 * sizeof(uint64_t) + 2;

// The record at the offset, which must be whole.
TSolvedRecord SolvedRecordAt(std::string_view bytes, std::size_t offset) {
    TSolvedRecord record{};
    std::memcpy(&record.black, bytes.data() + offset, sizeof record.black);
    std::memcpy(&record.white, bytes.data() + offset + sizeof record.black, sizeof record.white);
    record.whiteToMove = static_cast<int8_t>(bytes[offset + 2 * sizeof(uint64_t)]);
    record.score = static_cast<int8_t>(bytes[offset + 2 * sizeof(uint64_t) + 1]);
    return record;
}

// A final result counts every square, the empty ones for the winner: the difference is even
// and within the board.
bool IsFinalDifference(int score) {
    return score % 2 == 0 && std::abs(score) <= kAllSquares;
}

// Whether a record can be one the trainer wrote: two disc sets apart, no more empty squares
// than the trainer solves, a side to move and a final result.
bool IsSolvedRecord(const TSolvedRecord& record) {
    const bool whiteToMove = record.whiteToMove == 0 || record.whiteToMove == 1;
    const int empties = kAllSquares - std::popcount(record.black | record.white);
    return (record.black & record.white) == 0 && empties <= MAX_TRAINING_EXACT_EMPTIES &&
           whiteToMove && IsFinalDifference(record.score);
}

}  // namespace

std::string SolvedValuesBytes(const std::vector<TTrainingPosition>& positions) {
    std::string bytes;
    for (const TTrainingPosition& p : positions) {
        if (!p.exact) continue;
        const TSolvedRecord record{p.black, p.white, static_cast<int8_t>(p.whiteToMove),
                                   static_cast<int8_t>(p.target)};
        bytes.append(reinterpret_cast<const char*>(&record.black), sizeof record.black);
        bytes.append(reinterpret_cast<const char*>(&record.white), sizeof record.white);
        bytes.push_back(static_cast<char>(record.whiteToMove));
        bytes.push_back(static_cast<char>(record.score));
    }
    return bytes;
}

bool ApplySolvedValues(std::vector<TTrainingPosition>& positions, std::string_view bytes,
                       int exactEmpties) {
    std::vector<std::pair<std::size_t, float>> values;
    std::size_t offset = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const TTrainingPosition& p = positions[i];
        if (p.Empties() > exactEmpties) continue;
        if (offset + kSolvedRecordBytes > bytes.size()) return false;
        const TSolvedRecord record = SolvedRecordAt(bytes, offset);
        offset += kSolvedRecordBytes;
        if (record.black != p.black || record.white != p.white ||
            record.whiteToMove != static_cast<int8_t>(p.whiteToMove) ||
            !IsFinalDifference(record.score))
            return false;
        values.emplace_back(i, record.score);
    }
    if (offset != bytes.size()) return false;
    for (const auto& [i, value] : values) {
        positions[i].target = value;
        positions[i].exact = true;
    }
    return true;
}

bool IsSolvedValuesFile(std::string_view bytes) {
    if (bytes.size() % kSolvedRecordBytes != 0) return false;
    for (std::size_t offset = 0; offset < bytes.size(); offset += kSolvedRecordBytes)
        if (!IsSolvedRecord(SolvedRecordAt(bytes, offset))) return false;
    return true;
}

double TableValue(const TTrainingPosition& p, const TPatternTable& tables) {
    double value = p.hand;
    for (int i = 0; i < 22; ++i)
        value += tables[kPatternInstances[i].kind][p.indexes[i]][p.stage];
    return value;
}

double BackedUpTarget(const TTrainingPosition* game, std::size_t count, std::size_t at,
                      int lookahead, const TPatternTable& tables, double scale, bool ownStageFitted,
                      const TLaterValue& laterValue) {
    // A later position of the same stage without an exact value has no fitted value yet,
    // unless the stage has been fitted once already.
    std::size_t later = at + static_cast<std::size_t>(lookahead);
    while (!ownStageFitted && later < count && !game[later].exact &&
           game[later].stage <= game[at].stage)
        ++later;
    if (later >= count) return game[at].outcome;
    const double sign = game[later].exchanged == game[at].exchanged ? 1 : -1;
    if (game[later].exact) return sign * game[later].target;
    if (laterValue) return sign * laterValue(game[later]);
    return scale > 0 ? sign * TableValue(game[later], tables) / scale : 0;
}

namespace {

// Backs up the targets of the stage's positions that are not solved, with the tables.
void BackUpStage(TTrainingSet& set, int stage, int lookahead, const TPatternTable& tables,
                 double scale, bool ownStageFitted, const TLaterValue& laterValue) {
    std::vector<TTrainingPosition>& positions = set.positions;
    std::size_t begin = 0;
    for (const std::size_t end : set.gameEnds) {
        for (std::size_t at = begin; at < end; ++at) {
            TTrainingPosition& p = positions[at];
            if (p.stage != stage || p.exact) continue;
            p.target = static_cast<float>(BackedUpTarget(&positions[begin], end - begin, at - begin,
                                                         lookahead, tables, scale, ownStageFitted,
                                                         laterValue));
        }
        begin = end;
    }
}

// The minimax search behind SearchedValue, in discs for white (white maximises).
class TTargetSearch {
public:
    TTargetSearch(const TSearchTargets& search, const TPatternTable& tables, double scale,
                  TKyokumen& engine)
        : search_(search), tables_(tables), scale_(scale), engine_(engine) {}

    static constexpr double kUnbounded = 1e9;

    double Value(uint64_t black, uint64_t white, bool whiteToMove, int moveNumber, int plies,
                 double alpha = -kUnbounded, double beta = kUnbounded) {
        const uint64_t own = whiteToMove ? white : black, opponent = whiteToMove ? black : white;
        uint64_t moves = LegalMovesOf(own, opponent);
        if (moves == 0) {
            if (LegalMovesOf(opponent, own) == 0) return FinalScore(white, black);
            if (plies == 0) return LeafValue(black, white, whiteToMove, moveNumber);
            return Value(black, white, !whiteToMove, moveNumber, plies, alpha, beta);  // a pass
        }
        if (plies == 0) return LeafValue(black, white, whiteToMove, moveNumber);
        double best = whiteToMove ? -kUnbounded : kUnbounded;
        for (; moves != 0; moves &= moves - 1) {
            const int square = kSquareOfBit[std::countr_zero(moves)];
            const TBitBoard after = BitsAfterMove({black, white}, square, whiteToMove).after;
            const double value = Value(after.black, after.white, !whiteToMove, moveNumber + 1,
                                       plies - 1, alpha, beta);
            if (whiteToMove) {
                best = std::max(best, value);
                alpha = std::max(alpha, value);
            } else {
                best = std::min(best, value);
                beta = std::min(beta, value);
            }
            if (alpha >= beta) break;
        }
        return best;
    }

private:
    // The evaluation of a leaf in discs for white, as the fit's positions are seen.
    double LeafValue(uint64_t black, uint64_t white, bool whiteToMove, int moveNumber) {
        const bool exchange = search_.asAtLeaves && whiteToMove != WhiteToMoveAtLeaves(moveNumber);
        const TTrainingPosition leaf =
            exchange ? PositionOf(engine_, white, black, !whiteToMove, moveNumber)
                     : PositionOf(engine_, black, white, whiteToMove, moveNumber);
        // From the move after the last trained one the evaluation counts discs only.
        const double value = moveNumber > kLastTrainedMove ? leaf.hand : TableValue(leaf, tables_);
        return scale_ > 0 ? (exchange ? -value : value) / scale_ : 0;
    }

    const TSearchTargets& search_;
    const TPatternTable& tables_;
    double scale_;
    TKyokumen& engine_;
};

// Aims every position of the stage that is not solved, on the game lines or off them, at its
// searched value with the tables.
void SearchStage(TTrainingSet& set, int stage, const TSearchTargets& search,
                 const TPatternTable& tables, double scale, TKyokumen& engine) {
    for (TTrainingPosition& p : set.positions)
        if (p.stage == stage && !p.exact && (search.onLine || p.offLine))
            p.target = static_cast<float>(SearchedValue(p, search, tables, scale, engine));
}

}  // namespace

double SearchedValue(const TTrainingPosition& p, const TSearchTargets& search,
                     const TPatternTable& tables, double scale, TKyokumen& engine) {
    TTargetSearch searcher(search, tables, scale, engine);
    return searcher.Value(p.black, p.white, p.whiteToMove, p.moveNumber, search.plies);
}

std::size_t AddOffLinePositions(TTrainingSet& set, uint32_t seed, int exactEmpties) {
    const std::unique_ptr<TKyokumen> engine = ExampleEngine();
    TSeededGenerator generator(seed);
    std::vector<TTrainingPosition> added;
    std::size_t begin = 0;
    for (const std::size_t end : set.gameEnds) {
        for (std::size_t at = begin; at + 1 < end; ++at) {
            const TTrainingPosition& parent = set.positions[at];
            const TTrainingPosition& played = set.positions[at + 1];
            const bool white = parent.whiteToMove;
            const uint64_t own = white ? parent.white : parent.black;
            const uint64_t opponent = white ? parent.black : parent.white;
            // The moves other than the one played: the played one is the square that filled.
            const uint64_t filled = (played.black | played.white) & ~(parent.black | parent.white);
            const uint64_t others = LegalMovesOf(own, opponent) & ~filled;
            if (others == 0 || played.Empties() <= exactEmpties) continue;
            uint64_t pick = others;
            for (uint32_t skip = generator.Below(static_cast<uint32_t>(std::popcount(others)));
                 skip > 0; --skip)
                pick &= pick - 1;
            const int square = kSquareOfBit[std::countr_zero(pick)];
            const TBitBoard after =
                BitsAfterMove({parent.black, parent.white}, square, white).after;
            const uint64_t next = white ? after.black : after.white;
            const uint64_t mover = white ? after.white : after.black;
            // The opponent moves next; after a pass the mover again; a finished game is skipped.
            bool whiteNext = !white;
            if (LegalMovesOf(next, mover) == 0) {
                if (LegalMovesOf(mover, next) == 0) continue;
                whiteNext = white;
            }
            TTrainingPosition position =
                PositionOf(*engine, after.black, after.white, whiteNext, parent.moveNumber + 1);
            position.offLine = true;
            position.outcome = parent.outcome;
            position.target = parent.outcome;
            added.push_back(position);
        }
        begin = end;
    }
    set.positions.insert(set.positions.end(), added.begin(), added.end());
    return added.size();
}

TFit FitBackwards(TTrainingSet& set, const TTrainingOptions& options, int lookahead, int refits,
                  const TSearchTargets& search) {
    // The positions off the game lines have no continuation to look ahead to: they are fitted
    // only towards searched values.
    const std::span<const TTrainingPosition> games(set.positions.data(), set.OnGameLines());
    TFit fit;
    fit.scale = options.scaleFactor * HandScale(games);
    fit.weights.assign(static_cast<std::size_t>(PATTERN_KINDS) * PATTERN_INDICES * STAGES, 0.0);
    const bool searchHere = search.plies > 0 && !search.ahead;
    const int stageRefits = searchHere ? std::max(refits, 1) : refits;
    const std::unique_ptr<TKyokumen> engine = ExampleEngine();
    for (int stage = kLastStage; stage >= 0; --stage) {
        TPatternTable tables = RoundedTables(fit);
        // With the search ahead, the lookahead's position is valued by its search.
        const auto searched = [&](const TTrainingPosition& later) {
            return SearchedValue(later, search, tables, fit.scale, *engine);
        };
        const TLaterValue laterValue = search.ahead ? TLaterValue(searched) : TLaterValue();
        BackUpStage(set, stage, lookahead, tables, fit.scale, false, laterValue);
        FitStage(games, options, stage, fit);
        for (int refit = 0; refit < stageRefits; ++refit) {
            tables = RoundedTables(fit);
            if (searchHere)
                SearchStage(set, stage, search, tables, fit.scale, *engine);
            else
                BackUpStage(set, stage, lookahead, tables, fit.scale, true, laterValue);
            for (int kind = 0; kind < PATTERN_KINDS; ++kind)
                for (int index = 0; index < PATTERN_INDICES; ++index)
                    fit.weights[Slot(kind, index, stage)] = 0;
            FitStage(set.positions, options, stage, fit);
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

double RootMeanSquareError(std::span<const TTrainingPosition> positions,
                           const TPatternTable& tables, double scale) {
    if (positions.empty()) return 0;
    double sum = 0;
    for (const TTrainingPosition& p : positions) {
        const double error = TableValue(p, tables) - scale * p.outcome;
        sum += error * error;
    }
    return std::sqrt(sum / positions.size());
}

TExactError ExactError(std::span<const TTrainingPosition> positions, const TPatternTable& tables,
                       double scale) {
    TExactError result;
    if (scale <= 0) return result;
    double squares = 0, absolutes = 0;
    for (const TTrainingPosition& p : positions) {
        if (!p.exact) continue;
        const double error = TableValue(p, tables) / scale - p.target;
        squares += error * error;
        absolutes += std::abs(error);
        ++result.count;
    }
    if (result.count > 0) {
        result.rootMeanSquare = std::sqrt(squares / result.count);
        result.meanAbsolute = absolutes / result.count;
    }
    return result;
}

namespace {

// The words of an input line, split at blanks and tabs.
std::vector<std::string> Fields(std::string_view line) {
    std::vector<std::string> fields;
    for (std::size_t start = line.find_first_not_of(" \t"); start != std::string_view::npos;) {
        const std::size_t end = line.find_first_of(" \t", start);
        fields.emplace_back(line.substr(start, end - start));
        start = end == std::string_view::npos ? end : line.find_first_not_of(" \t", end);
    }
    return fields;
}

}  // namespace

std::optional<TTrainingPosition> ParsePositionLine(std::string_view line, const std::string& file,
                                                   int lineNumber) {
    const std::string where = file + ", line " + std::to_string(lineNumber) + ": ";
    const std::vector<std::string> fields = Fields(line);
    if (fields.empty()) return std::nullopt;
    if (fields.size() < 2 || fields.size() > 3)
        throw EBadInput(where + "a position line is the 64 squares, the side to move and a score");
    const std::string& squares = fields[0];
    if (squares.size() != kAllSquares)
        throw EBadInput(where + "the position needs 64 squares, not " +
                        std::to_string(squares.size()));
    uint64_t black = 0, white = 0;
    for (int i = 0; i < kAllSquares; ++i) {
        // Character i is column a..h (i mod 8) of row 1..8 (i div 8).
        const uint64_t bit = MaskOf(10 * (8 - i % 8) + i / 8 + 1);
        switch (squares[i]) {
            case 'X':
                black |= bit;
                break;
            case 'O':
                white |= bit;
                break;
            case '-':
                break;
            default:
                throw EBadInput(where + "square " + std::to_string(i + 1) + " is not X, O or -");
        }
    }
    if (fields[1] != "X" && fields[1] != "O") throw EBadInput(where + "the side to move is X or O");
    if (fields.size() == 3) {
        try {
            WholeNumber(fields[2], "the score", -kAllSquares, kAllSquares);
        } catch (const EBadInput& problem) {
            throw EBadInput(where + problem.what());
        }
    }
    const int discs = std::popcount(black | white);
    if (discs < 4) throw EBadInput(where + "a position has at least the four centre discs");
    return PositionOf(*ExampleEngine(), black, white, fields[1] == "O", discs - 4);
}

std::optional<TGameLine> ParseGameLine(std::string_view line, const std::string& file,
                                       int lineNumber) {
    const std::string where = file + ", line " + std::to_string(lineNumber) + ": ";
    const std::vector<std::string> fields = Fields(line);
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

TOpeningPositions OpeningPositions(std::string_view text, const std::string& file) {
    TOpeningPositions positions;
    int lineNumber = 0;
    for (const std::string_view line : SplitLines(text)) {
        ++lineNumber;
        const std::vector<std::string> fields = Fields(line);
        if (fields.empty()) continue;
        std::string error;
        const std::vector<TTrainingPosition> opening = GamePositions(fields[0], 0, error);
        if (opening.empty())
            throw EBadInput(file + ", line " + std::to_string(lineNumber) + ": " +
                            (error.empty() ? "not an opening" : error));
        positions.emplace(opening.back().black, opening.back().white);
    }
    if (positions.empty()) throw EBadInput(file + " holds no opening");
    return positions;
}

bool PassesThrough(std::span<const TTrainingPosition> game, const TOpeningPositions& positions) {
    return std::any_of(game.begin(), game.end(), [&](const TTrainingPosition& p) {
        return positions.contains({p.black, p.white});
    });
}

TTrainerOptions ParseTrainerOptions(const std::vector<std::string>& args) {
    constexpr int64_t kMostEpochs = 1000;
    constexpr double kMostScaleFactor = 1000;
    TTrainerOptions options;
    TTrainingOptions& training = options.training;
    TTargetOptions& targets = options.targets;
    // Actions of the trainer's own kinds of flag: a number from 0, and a switch (0 or 1).
    const auto real = [](double& field, double highest) {
        return [target = &field, highest](const std::string& flag, const std::string& value) {
            *target = RealNumber(value, flag, 0, highest);
        };
    };
    const auto on = [](bool& field) {
        return [target = &field](const std::string& flag, const std::string& value) {
            *target = WholeNumber(value, flag, 0, 1) == 1;
        };
    };
    ReadFlagPairs(
        args,
        {{"--games", AppendTo(options.gameFiles)},
         {"--evaluate", AppendTo(options.evaluationFiles)},
         {"--out", ValueInto(options.out)},
         {"--seed", WholeNumberInto(training.seed, 0, UINT32_MAX)},
         {"--holdout", WholeNumberInto(options.holdoutPercent, 0, 100)},
         {"--epochs", WholeNumberInto(training.epochs, 1, kMostEpochs)},
         {"--rate", real(training.learningRate, 1)},
         {"--penalty", real(training.penalty, 1)},
         {"--bounded-fit", on(training.boundedFit)},
         {"--scale-factor", real(training.scaleFactor, kMostScaleFactor)},
         {"--exact-empties", WholeNumberInto(targets.exactEmpties, 0, MAX_TRAINING_EXACT_EMPTIES)},
         {"--lookahead", WholeNumberInto(targets.lookahead, 1, MAX_LOOKAHEAD)},
         {"--refits", WholeNumberInto(targets.refits, 0, MAX_REFITS)},
         {"--threads", WholeNumberInto(targets.threads, 1, MAX_TRAINING_THREADS)},
         {"--as-at-leaves", on(targets.search.asAtLeaves)},
         {"--search-plies", WholeNumberInto(targets.search.plies, 0, MAX_SEARCH_PLIES)},
         {"--off-line", on(targets.offLine)},
         {"--search-on-line", on(targets.search.onLine)},
         {"--search-ahead", on(targets.search.ahead)},
         {"--computer-games", AppendTo(options.computerGameFiles)},
         {"--keep-out", AppendTo(options.keepOutFiles)},
         {"--solved", ValueInto(options.solvedValues)},
         {"--positions", AppendTo(options.positionFiles)},
         {"--baseline", ValueInto(options.baseline)}});
    if (options.gameFiles.empty()) throw EBadInput("at least one --games file is needed");
    if (!options.solvedValues.empty() && targets.exactEmpties == 0)
        throw EBadInput(
            "--solved keeps the exact values of the solved positions: give --exact-empties");
    if ((targets.search.plies > 0 || targets.offLine) && targets.exactEmpties == 0)
        throw EBadInput(
            "--search-plies and --off-line refit the backward fit: give --exact-empties");
    if (targets.offLine && targets.search.plies == 0)
        throw EBadInput("--off-line positions are fitted to searched values: give --search-plies");
    if (targets.search.ahead && (targets.search.plies == 0 || targets.offLine))
        throw EBadInput(
            "--search-ahead searches along the game line: give --search-plies, no --off-line");
    if (!targets.search.onLine && !targets.offLine)
        throw EBadInput(
            "--search-on-line 0 leaves only the positions off the line: give --off-line 1");
    return options;
}
