#include "analysis/untAnalysis.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "advice/untAdviceOrdering.h"
#include "advice/untAdviceSearch.h"
#include "analysis/untAnalysisWords.h"
#include "engine/eval/untPatterns.h"
#include "engine/search/untEndgameSolver.h"
#include "engine/search/untSearch.h"
#include "engine/untBitBoard.h"
#include "engine/untEngineError.h"
#include "engine/untSquareNames.h"
#include "player/untComputerPlayer.h"

namespace {

TDiscs DiscsOf(const TKyokumen& k) {
    return BitsOf(k.CurrentBoard->Cells);
}

uint64_t Own(const TDiscs& d, bool white) {
    return white ? d.white : d.black;
}
uint64_t Other(const TDiscs& d, bool white) {
    return white ? d.black : d.white;
}
uint64_t MovesOf(const TDiscs& d, bool white) {
    return LegalMovesOf(Own(d, white), Other(d, white));
}
bool HasMove(const TDiscs& d, bool white) {
    return MovesOf(d, white) != 0;
}
int Empties(const TDiscs& d) {
    return std::popcount(d.Empty());
}

void ThrowIfStopped(const TAnalysisSettings& settings) {
    if (settings.stop && settings.stop->load(std::memory_order_relaxed)) throw ESearchStopped();
}

std::string Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'H') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// The engine's own search, asked about positions for either side, set up as the computer
// player sets them up (for black, with the colours exchanged).
//
// The lower levels' evaluations add a little noise, so that the computer does not always play
// the same game. The estimator's generator is seeded from each position valued, so that a
// value depends on its position alone.
class TEstimator {
public:
    explicit TEstimator(const TAnalysisSettings& settings)
        : settings_(settings), engine_(generator_) {
        engine_.GameLevel = settings.gameLevel;
        engine_.ThinkType = settings.thinkType;
        if (settings.tables) *engine_.PatternWeights = *settings.tables;
        UseFixedKeys();
    }

    // Seeds the noise for the valuation of a position and its moves.
    void SeedFrom(const TDiscs& discs, bool white) {
        const uint64_t mixed = (discs.black * 0x9E3779B97F4A7C15ull) ^ discs.white ^ white;
        generator_.Seed(static_cast<uint32_t>(mixed ^ (mixed >> 32)));
    }

    // The search's value of the position for the side to move, in discs.
    double Search(const TDiscs& discs, bool whiteToMove, int depth) {
        ThrowIfStopped(settings_);
        TKyokumen& k = engine_;
        SetUpForSide(k, discs, whiteToMove);
        // Type D's table of remembered positions starts empty for every search, so that a
        // value does not depend on the positions searched before it either.
        std::fill(k.KeyTable.begin(), k.KeyTable.end(), 0);
        k.EvalCount = 0;
        k.ChosenMove = 0;
        k.SearchToDepth(depth);
        const double value = settings_.thinkType == 2 ? k.BestValueReal : k.BestValue;
        if (k.ChosenMove == 0) throw EEngineError("the search found no move");
        // A search that reads to the end of the game scores finished games only, in discs.
        return SearchValueInDiscs(value, settings_.thinkType, depth >= Empties(discs));
    }

private:
    // Type D remembers positions by keys of random numbers, drawn afresh for every engine, and
    // what it remembers (and so its values) depends on where their keys fall in its table.
    // The estimator's keys are the same every time, so that a value depends on its position
    // alone.
    void UseFixedKeys() {
        uint64_t state = 0x9E3779B97F4A7C15ull;
        const auto next = [&state] {  // SplitMix64
            uint64_t z = (state += 0x9E3779B97F4A7C15ull);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            return z ^ (z >> 31);
        };
        uint64_t keys[3][101] = {};
        for (int square = 11; square <= 88; ++square)
            for (auto& colour : keys)
                colour[square] = next();
        for (TBoard_Data& board : engine_.Boards)
            std::memcpy(board.Hash.Keys, keys, sizeof keys);
    }

    const TAnalysisSettings& settings_;
    TRandom generator_;
    TKyokumen engine_;
};

// How deep the estimates search a position: as deep as the game itself searches at that move
// number (SearchDepth). In the midgame of the strongest level that is an odd number of plies,
// which ends the lines after a move of the side valued: of black in a position with black to
// move, of white in the next one. The evaluation there counts against the side that moved
// last, so each position came out several discs worse for its side to move than the
// positions on either side of it, and the values zigzagged from move to move. One ply more
// ends every line with the valued position's own side to move.
int EstimateDepth(const TDiscs& discs, const TAnalysisSettings& settings) {
    const int empties = Empties(discs);
    const int depth = SearchDepth(settings.gameLevel, 60 - empties);
    if (!settings.parityAligned || depth >= empties || depth % 2 == 0) return depth;
    return depth + 1;
}

// The advice's depth for a position: the settings' own, or AdviceDepth by its empty squares.
int AdviceDepthOf(const TDiscs& discs, const TAnalysisSettings& settings) {
    return settings.adviceDepth > 0 ? settings.adviceDepth : AdviceDepth(Empties(discs));
}

// The values of positions and of their moves, the same for the whole game and for a single
// position. A position's value is that of its best move. Estimated, every move is valued by
// searching the position after it one ply less deep, so that they all compare fairly; exact,
// the solver gives the position's value and best move, and another move's value is the solved
// value of the position after it.
class TValuer {
public:
    explicit TValuer(const TAnalysisSettings& settings) : settings_(settings) {}

    // Takes over another valuer's exact value of the position, so that this one values its
    // moves as that one would.
    void Knows(const TDiscs& discs, bool white, const TPositionValue& value) {
        discs_ = discs;
        white_ = white;
        value_ = value;
    }

    TPositionValue Value(const TDiscs& discs, bool white) {
        discs_ = discs;
        white_ = white;
        value_ = {};
        value_.exact = Empties(discs) <= settings_.exactEmpties;
        if (value_.exact) {
            // Solved in the canonical orientation, so that the best move of an image of the
            // position is the image of its best move.
            const int symmetry = CanonicalSymmetry(Own(discs, white), Other(discs, white));
            const TEndgameResult solved = Solver().Solve(ImageOf(Own(discs, white), symmetry),
                                                         ImageOf(Other(discs, white), symmetry));
            if (solved.move != 0)
                value_.best =
                    kSquareOfBit[ImageOfBit(kBitOfSquare[solved.move], InverseSymmetry(symmetry))];
            value_.value = solved.score;
            return value_;
        }
        if (settings_.advice) {
            const TAdviceMove best =
                Advice().Best(Own(discs, white), Other(discs, white), DepthOfAdvice(discs));
            value_.best = kSquareOfBit[best.bit];
            value_.value = AdviceEstimate(best.value, best.shallower);
            return value_;
        }
        Estimator().SeedFrom(discs, white);
        const int depth = EstimateDepth(discs, settings_);
        const uint64_t moves = MovesOf(discs, white);
        bool first = true;
        for (const uint8_t bit : kBitOfVisit) {
            if (!(moves >> bit & 1)) continue;
            const uint8_t square = static_cast<uint8_t>(SquareOfBit(bit));
            const TDiscs after = BitsAfterMove(discs, square, white).after;
            moveValues_[square] = ValueAfter(after, white, depth - 1);
            // Of moves of equal value the first visited is the best, as in the game's search.
            if (first || moveValues_[square] > value_.value) {
                value_.best = square;
                value_.value = moveValues_[square];
                first = false;
            }
        }
        return value_;
    }

    // The value for the mover of a legal move in the position valued last.
    double MoveValue(uint8_t square) {
        if (!value_.exact && settings_.advice && square == value_.best) return value_.value;
        if (!value_.exact && settings_.advice) {
            const TDiscs after = BitsAfterMove(discs_, square, white_).after;
            // The mean of two depths, as the position's value is.
            const int depth = DepthOfAdvice(discs_) - 1;
            const uint64_t own = Other(after, white_), opponent = Own(after, white_);
            const int deeper = Advice().Value(own, opponent, depth);
            const int shallower = depth > 0 ? Advice().Value(own, opponent, depth - 1) : deeper;
            return -AdviceEstimate(deeper, shallower);
        }
        if (!value_.exact) return moveValues_[square];
        if (square == value_.best) return value_.value;
        const TDiscs after = BitsAfterMove(discs_, square, white_).after;
        return -Solver().Solve(Other(after, white_), Own(after, white_)).score;
    }

private:
    // The value for the mover of the position after its move, searched `depth` plies deep for
    // the other side. When that side must pass the mover plays on, and the search goes one
    // ply deeper so that its lines still end with the same side to move.
    double ValueAfter(const TDiscs& after, bool mover, int depth) {
        if (HasMove(after, !mover)) return -Estimator().Search(after, !mover, depth);
        if (HasMove(after, mover))
            return Estimator().Search(after, mover, depth + (settings_.parityAligned ? 1 : 0));
        const int difference = FinalDifference(after);
        return mover ? -difference : difference;
    }

    int DepthOfAdvice(const TDiscs& discs) const { return AdviceDepthOf(discs, settings_); }

    // The engine's search, made when the first position is estimated without the advice.
    TEstimator& Estimator() {
        if (!estimator_) estimator_ = std::make_unique<TEstimator>(settings_);
        return *estimator_;
    }

    // One search for the whole game: what its table learns in one position saves time in
    // the next, and never changes a value.
    TAdviceSearch& Advice() {
        if (!advice_) {
            advice_ = std::make_unique<TAdviceSearch>(settings_.advice);
            advice_->StopWhen(settings_.stop);
        }
        return *advice_;
    }

    TEndgameSolver& Solver() {
        if (!solver_) {
            solver_ = std::make_unique<TEndgameSolver>();
            solver_->StopWhen(settings_.stop);
            if (settings_.advice) {
                ordering_ = std::make_unique<TAdviceOrdering>(settings_.advice);
                solver_->OrderWith(ordering_.get());
            }
        }
        return *solver_;
    }

    const TAnalysisSettings& settings_;
    std::unique_ptr<TEstimator> estimator_;
    std::unique_ptr<TAdviceOrdering> ordering_;  // the advice ordering the solver's moves
    std::unique_ptr<TEndgameSolver> solver_;     // made when the first position is solved
    std::unique_ptr<TAdviceSearch> advice_;      // made when the first position is estimated
    TDiscs discs_;
    bool white_ = false;
    TPositionValue value_;
    std::array<double, 89> moveValues_{};  // by square, of the position valued last
};

// One line of the report's table: the cells padded to their columns.
std::string ReportLine(const std::array<int, 7>& widths, const std::array<std::string, 7>& cells) {
    return PaddedLeft(cells[0], widths[0]) + "  " + PaddedRight(cells[1], widths[1]) + "  " +
           PaddedRight(cells[2], widths[2]) + "  " + PaddedRight(cells[3], widths[3]) + " " +
           PaddedLeft(cells[4], widths[4]) + "  " + PaddedLeft(cells[5], widths[5]) + "  " +
           PaddedLeft(cells[6], widths[6]);
}

}  // namespace

std::optional<std::vector<TRecordMove>> ReplayRecord(std::string_view record, std::string& error,
                                                     int placement) {
    const std::string text = Trimmed(record);
    if (text.empty()) {
        error = "the record holds no move";
        return std::nullopt;
    }
    TRandom keys;  // the replay reads no key and draws nothing
    TKyokumen game(keys);
    if (placement == 2) game.SetPlacement2();
    if (placement == 3) game.SetPlacement3();
    if (placement == 4) game.SetPlacement4();
    std::vector<TRecordMove> moves;
    bool white = false;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int number = static_cast<int>(i / 2) + 1;
        const std::string name = text.substr(i, 2);
        const std::optional<uint8_t> square = SquareFromName(name);
        if (!square) {
            error = "move " + std::to_string(number) + " '" + EscapedText(name) +
                    "' is not a square name";
            return std::nullopt;
        }
        TRecordMove move;
        move.before = DiscsOf(game);
        if (!HasMove(move.before, white)) white = !white;  // the side to move passed
        game.WhiteToMove = white;
        if (!game.IsLegal(*square)) {
            error =
                "move " + std::to_string(number) + " (" + name + ") is not legal" +
                (HasMove(move.before, white) ? std::string(" for ") + (white ? "white" : "black")
                                             : std::string(": the game is over"));
            return std::nullopt;
        }
        game.MakeMove(*square);
        game.Commit();
        move.number = number;
        move.white = white;
        move.square = *square;
        move.after = DiscsOf(game);
        move.passFollows = !HasMove(move.after, !white) && HasMove(move.after, white);
        move.gameOver = !HasMove(move.after, !white) && !HasMove(move.after, white);
        moves.push_back(move);
        white = !white;
    }
    return moves;
}

int FinalDifference(const TDiscs& discs) {
    return FinalScore(discs.black, discs.white);
}

int AdviceDepth(int empties) {
    return empties > 40 ? 6 : empties > 26 ? 8 : 10;
}

namespace {

// Runs work(valuer, i) for every i below total on settings.threads threads: each takes the next
// i not yet taken, with a valuer of its own (the calling thread with `own` if given), a new one
// made ready by prepare. A value depends on its position alone, so the threads' share of the
// work changes nothing. progress is told how many are done, one call at a time; the first
// fault of any thread is thrown when all have ended.
template <typename Prepare, typename Work>
void OnThreads(const TAnalysisSettings& settings, int total, TValuer* own, Prepare prepare,
               Work work, const std::function<void(int done, int total)>& progress) {
    std::atomic<int> next{0};
    std::mutex reporting;
    int done = 0;
    std::exception_ptr failure;
    const auto run = [&](TValuer* given) {
        try {
            std::unique_ptr<TValuer> made;
            if (given == nullptr) {
                made = std::make_unique<TValuer>(settings);
                prepare(*made);
            }
            TValuer& valuer = given ? *given : *made;
            for (int i = next++; i < total; i = next++) {
                ThrowIfStopped(settings);
                work(valuer, i);
                const std::lock_guard<std::mutex> lock(reporting);
                ++done;
                if (progress) progress(done, total);
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(reporting);
            if (!failure) failure = std::current_exception();
            next = total;  // the others stop after their piece
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < std::min(settings.threads, total); ++t)
        helpers.emplace_back(run, nullptr);
    run(own);
    for (std::thread& helper : helpers)
        helper.join();
    if (failure) std::rethrow_exception(failure);
}

TMoveAnalysis AnalyseMove(TValuer& valuer, const TRecordMove& move) {
    const TPositionValue position = valuer.Value(move.before, move.white);
    TMoveAnalysis v;
    v.number = move.number;
    v.white = move.white;
    v.played = move.square;
    v.exact = position.exact;
    v.bestValue = position.value;
    v.playedValue = valuer.MoveValue(move.square);
    v.best = v.playedValue >= v.bestValue ? move.square : position.best;
    v.loss = std::max(0.0, v.bestValue - v.playedValue);
    return v;
}

// A position is valued for a side with a move; one that must pass is valued for the other.
void RequireMove(const TDiscs& discs, bool whiteToMove, const char* operation) {
    if (!HasMove(discs, whiteToMove))
        throw EEngineError(std::string(operation) + ": " + (whiteToMove ? "white" : "black") +
                           " has no legal move");
}

}  // namespace

TPositionValue ValuePosition(const TDiscs& discs, bool whiteToMove,
                             const TAnalysisSettings& settings) {
    RequireMove(discs, whiteToMove, "ValuePosition");
    TValuer valuer(settings);
    return valuer.Value(discs, whiteToMove);
}

std::vector<TMoveValue> ValueMoves(const TDiscs& discs, bool whiteToMove,
                                   const TAnalysisSettings& settings,
                                   const std::function<void(int done, int total)>& progress) {
    RequireMove(discs, whiteToMove, "ValueMoves");
    TValuer valuer(settings);
    const TPositionValue position = valuer.Value(discs, whiteToMove);
    const uint64_t moves = MovesOf(discs, whiteToMove);
    const int total = std::popcount(moves);
    const int depth = position.exact    ? Empties(discs)
                      : settings.advice ? AdviceDepthOf(discs, settings)
                                        : EstimateDepth(discs, settings);
    std::vector<TMoveValue> values;
    for (const uint8_t bit : kBitOfVisit)
        if (moves >> bit & 1)
            values.push_back({static_cast<uint8_t>(SquareOfBit(bit)), 0, position.exact, depth});
    if (position.exact) {
        // Each move solved on its own, on every thread the settings allow.
        OnThreads(
            settings, total, &valuer,
            [&](TValuer& helper) { helper.Knows(discs, whiteToMove, position); },
            [&](TValuer& helper, int i) { values[i].value = helper.MoveValue(values[i].square); },
            progress);
    } else {
        for (TMoveValue& each : values)
            each.value = valuer.MoveValue(each.square);
    }
    // Among moves of equal value the position's best move goes first, so that the first move
    // of an image of the position is the image of the first move.
    std::stable_sort(values.begin(), values.end(),
                     [best = position.best](const TMoveValue& a, const TMoveValue& b) {
                         if (a.value != b.value) return a.value > b.value;
                         return a.square == best && b.square != best;
                     });
    return values;
}

std::vector<int> TGameAnalysis::Costliest(bool white, std::size_t count) const {
    std::vector<const TMoveAnalysis*> side;
    for (const TMoveAnalysis& v : values)
        if (v.white == white && v.loss > 0) side.push_back(&v);
    std::stable_sort(side.begin(), side.end(), [](const TMoveAnalysis* a, const TMoveAnalysis* b) {
        return a->loss > b->loss;
    });
    std::vector<int> numbers;
    for (std::size_t i = 0; i < side.size() && i < count; ++i)
        numbers.push_back(side[i]->number);
    return numbers;
}

TDiscs TGameAnalysis::FinalBoard() const {
    return moves.empty() ? TDiscs{} : moves.back().after;
}

TGameAnalysis AnalyseGame(std::vector<TRecordMove> moves, const TAnalysisSettings& settings,
                          const std::function<void(int done, int total)>& progress) {
    TGameAnalysis analysis;
    analysis.moves = std::move(moves);
    const int total = static_cast<int>(analysis.moves.size());
    analysis.values.resize(analysis.moves.size());
    OnThreads(
        settings, total, nullptr, [](TValuer&) {},
        [&](TValuer& valuer, int i) {
            analysis.values[i] = AnalyseMove(valuer, analysis.moves[i]);
        },
        progress);
    for (const TMoveAnalysis& v : analysis.values) {
        if (v.exact && analysis.exactFrom == 0) analysis.exactFrom = v.number;
        analysis.totalLoss[v.white] += v.loss;
    }
    return analysis;
}

std::string AnalysisReport(const TGameAnalysis& analysis, TAnalysisLanguage language) {
    const TAnalysisWords& words = WordsOf(language);
    // The columns: number, side, played, best, value, best value, loss; each as wide as its
    // head where that is wider.
    const std::array<std::string, 7> heads = {
        words.headNumber, words.headSide,      words.headPlayed, words.headBest,
        words.headValue,  words.headBestValue, words.headLoss};
    std::array<int, 7> widths = {4, 5, 6, 6, 6, 10, 4};
    for (std::size_t c = 0; c < widths.size(); ++c)
        widths[c] = std::max(widths[c], ColumnsOf(heads[c]));
    // The values from black's side, as the page's chart and table give them; a loss stays the
    // mover's.
    std::string out = std::string(words.valuesSide) + "\n" + ReportLine(widths, heads) + "\n";
    for (const TMoveAnalysis& v : analysis.values) {
        const TRecordMove& move = analysis.moves[v.number - 1];
        out += ReportLine(widths,
                          {std::to_string(v.number), SideName(words, v.white), SquareName(v.played),
                           SquareName(v.best), Signed(ForBlack(v, v.playedValue), v.exact),
                           Signed(ForBlack(v, v.bestValue), v.exact), Number(v.loss, v.exact)}) +
               "  " + (v.exact ? words.exact : words.estimate) +
               (move.passFollows ? Formatted(words.passes, SideName(words, !move.white)) : "") +
               "\n";
    }
    out += "\n";
    for (const bool white : {false, true}) {
        out += Formatted(words.totalLoss, SideName(words, white),
                         Number(analysis.totalLoss[white], AllExact(analysis, white)).c_str());
        const std::vector<int> costliest = analysis.Costliest(white, 3);
        if (!costliest.empty()) out += words.costliestMoves;
        for (const int number : costliest) {
            const TMoveAnalysis& v = analysis.values[number - 1];
            if (number != costliest.front()) out += words.costliestNext;
            out += Formatted(words.costliestMove, number, SquareName(v.played).c_str(),
                             SquareName(v.best).c_str(), Number(v.loss, v.exact).c_str(),
                             v.exact ? words.exact : words.estimate);
        }
        out += "\n";
    }
    out += analysis.exactFrom != 0
               ? Formatted(words.exactFrom, analysis.exactFrom, 61 - analysis.exactFrom)
               : std::string(words.noneExact);
    out += "\n";
    const TDiscs end = analysis.FinalBoard();
    const int black = std::popcount(end.black), white = std::popcount(end.white);
    out += analysis.Finished() ? Formatted(words.finalResult, black, white, FinalDifference(end))
                               : Formatted(words.endsEarly, black, white);
    return out + "\n";
}
