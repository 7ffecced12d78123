#include "tools/untAnalysis.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "engine/eval/untBitBoard.h"
#include "engine/eval/untPatterns.h"
#include "engine/search/untEndgameSolver.h"
#include "engine/search/untSearch.h"
#include "engine/untSquareNames.h"

namespace {

constexpr int kWipeOutValue = 9999;  // what the searches score for a side without discs
constexpr int kAllDiscs = 64;

// Evaluation units per disc of the final result. Type C's pattern tables were fitted to 4.20
// units per disc (docs/pattern-tables.md). For the other evaluations, the least-squares
// factor that best predicts the final disc difference from the evaluation, over the
// positions of every 40th training game (docs/analysis.md).
constexpr double kScaleTypeA = 2.60;
constexpr double kScaleTypeB = 2.44;
constexpr double kScaleTypeC = 4.20;
constexpr double kScaleTypeD = 2.78;

TDiscs DiscsOf(const TKyokumen& k) {
    return BitsOf(k.CurrentBoard->Cells);
}

uint64_t Own(const TDiscs& d, bool white) {
    return white ? d.white : d.black;
}
uint64_t Other(const TDiscs& d, bool white) {
    return white ? d.black : d.white;
}
bool HasMove(const TDiscs& d, bool white) {
    return LegalMovesOf(Own(d, white), Other(d, white)) != 0;
}
int Empties(const TDiscs& d) {
    return std::popcount(d.Empty());
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

// The board after a legal move of the side.
TDiscs DiscsAfterMove(const TDiscs& discs, bool white, uint8_t square) {
    if (!(LegalMovesOf(Own(discs, white), Other(discs, white)) & MaskOf(square)))
        throw std::logic_error("Play: " + SquareName(square));
    return BitsAfterMove(discs, square, white).after;
}

// The engine's own search, asked about positions for either side. The engine always searches
// for white, so a position with black to move is handed to it with the colours exchanged.
class TEstimator {
public:
    explicit TEstimator(const TAnalysisSettings& settings) : settings_(settings) {
        engine_.GameLevel = settings.gameLevel;
        engine_.ThinkType = settings.thinkType;
        if (settings.tables) *engine_.PatternWeights = *settings.tables;
    }

    // The search's value of the position for the side to move, in discs, and its move.
    std::pair<double, uint8_t> Search(const TDiscs& discs, bool whiteToMove, int depth) {
        TKyokumen& k = engine_;
        SetBoard(discs, !whiteToMove);  // black to move: exchange the colours
        k.EvalCount = 0;
        k.ChosenMove = 0;
        k.SearchToDepth(depth);
        const double value = settings_.thinkType == 2 ? k.BestValueReal : k.BestValue;
        if (k.ChosenMove == 0) throw std::runtime_error("the search found no move");
        // A search that reads to the end of the game scores finished games only, in discs.
        const bool toTheEnd = depth >= Empties(discs);
        return {InDiscs(value, toTheEnd), k.ChosenMove};
    }

private:
    void SetBoard(const TDiscs& discs, bool exchange) {
        TKyokumen& k = engine_;
        k.Boards[0].SetCellsFrom(exchange ? TBitBoard{discs.white, discs.black} : discs);
        k.Boards[0].Passed = 0;
        k.StackDepth = 1;
        k.CurrentBoard = &k.Boards[0];
        k.MoveNumber = static_cast<int16_t>(60 - Empties(discs));
        k.WhiteToMove = true;
    }

    double InDiscs(double value, bool inDiscsAlready) const {
        if (std::abs(value) >= kWipeOutValue) return value > 0 ? kAllDiscs : -kAllDiscs;
        return inDiscsAlready ? value : value / DiscScale(settings_.thinkType);
    }

    const TAnalysisSettings& settings_;
    TKyokumen engine_;
};

// The two values of one move by the engine's search. Both moves are valued the same way, by
// searching the position after them one ply less deep, so that they compare fairly.
class TMoveValuer {
public:
    TMoveValuer(TEstimator& estimator, const TAnalysisSettings& settings)
        : estimator_(estimator), settings_(settings) {}

    void Estimate(const TRecordMove& move, TMoveAnalysis& out) {
        const int depth = SearchDepth(settings_.gameLevel, move.number - 1);
        const uint8_t engineMove = estimator_.Search(move.before, move.white, depth).second;
        out.playedValue = ValueAfter(move.after, move.white, depth - 1);
        out.bestValue = engineMove == move.square
                            ? out.playedValue
                            : ValueAfter(DiscsAfterMove(move.before, move.white, engineMove),
                                         move.white, depth - 1);
        out.best = out.bestValue > out.playedValue ? engineMove : move.square;
        out.bestValue = std::max(out.bestValue, out.playedValue);
    }

private:
    // The value for the mover of the position after its move.
    double ValueAfter(const TDiscs& after, bool mover, int depth) {
        if (HasMove(after, !mover)) return -estimator_.Search(after, !mover, depth).first;
        if (HasMove(after, mover)) return estimator_.Search(after, mover, depth).first;
        const int difference = FinalDifference(after);
        return mover ? -difference : difference;
    }

    TEstimator& estimator_;
    const TAnalysisSettings& settings_;
};

void SolveExactly(TEndgameSolver& solver, const TRecordMove& move, TMoveAnalysis& out) {
    const TEndgameResult best =
        solver.Solve(Own(move.before, move.white), Other(move.before, move.white));
    out.bestValue = best.score;
    out.playedValue =
        best.move == move.square
            ? best.score
            : -solver.Solve(Other(move.after, move.white), Own(move.after, move.white)).score;
    out.best = out.playedValue >= out.bestValue ? move.square : best.move;
}

}  // namespace

std::optional<std::vector<TRecordMove>> ReplayRecord(std::string_view record, std::string& error,
                                                     int placement) {
    const std::string text = Trimmed(record);
    if (text.empty()) {
        error = "the record holds no move";
        return std::nullopt;
    }
    TKyokumen game;
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
            error = "move " + std::to_string(number) + " '" + name + "' is not a square name";
            return std::nullopt;
        }
        TRecordMove move;
        move.before = DiscsOf(game);
        if (!HasMove(move.before, white)) white = !white;  // the side to move passed
        game.WhiteToMove = white;
        if (!game.IsLegal(*square)) {
            error = "move " + std::to_string(number) + " (" + name + ") is not legal" +
                    (HasMove(move.before, white) ? std::string(" for ") + SideName(white)
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

std::string Signed(double value, bool exact) {
    return Formatted(exact ? "%+.0f" : "%+.1f", value);
}

std::string Number(double value, bool exact) {
    return Formatted(exact ? "%.0f" : "%.1f", value);
}

const char* SideName(bool white) {
    return white ? "white" : "black";
}

int FinalDifference(const TDiscs& discs) {
    return FinalScore(discs.black, discs.white);
}

double DiscScale(uint8_t thinkType) {
    switch (thinkType) {
        case 1:
            return kScaleTypeA;
        case 2:
            return kScaleTypeB;
        case 3:
            return kScaleTypeC;
        default:
            return kScaleTypeD;
    }
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
    TEstimator estimator(settings);
    TMoveValuer valuer(estimator, settings);
    std::unique_ptr<TEndgameSolver> solver;
    const int total = static_cast<int>(analysis.moves.size());
    for (const TRecordMove& move : analysis.moves) {
        TMoveAnalysis v;
        v.number = move.number;
        v.white = move.white;
        v.played = move.square;
        v.exact = Empties(move.before) <= settings.exactEmpties;
        if (v.exact) {
            if (!solver) solver = std::make_unique<TEndgameSolver>();
            if (analysis.exactFrom == 0) analysis.exactFrom = move.number;
            SolveExactly(*solver, move, v);
        } else {
            valuer.Estimate(move, v);
        }
        v.loss = std::max(0.0, v.bestValue - v.playedValue);
        analysis.totalLoss[v.white] += v.loss;
        analysis.values.push_back(v);
        if (progress) progress(move.number, total);
    }
    return analysis;
}

std::string AnalysisReport(const TGameAnalysis& analysis) {
    std::string out = "  No  side   played  best    value  best value  loss\n";
    for (const TMoveAnalysis& v : analysis.values) {
        const TRecordMove& move = analysis.moves[v.number - 1];
        out +=
            Formatted("%4d  %-5s  %-6s  %-6s %6s  %10s  %4s  %s%s\n", v.number, SideName(v.white),
                      SquareName(v.played).c_str(), SquareName(v.best).c_str(),
                      Signed(v.playedValue, v.exact).c_str(), Signed(v.bestValue, v.exact).c_str(),
                      Number(v.loss, v.exact).c_str(), v.exact ? "exact" : "estimate",
                      move.passFollows ? (move.white ? ", black passes" : ", white passes") : "");
    }
    out += "\n";
    for (const bool white : {false, true}) {
        out += Formatted("%s: total loss %.1f discs", SideName(white), analysis.totalLoss[white]);
        const std::vector<int> costliest = analysis.Costliest(white, 3);
        if (!costliest.empty()) out += "; costliest moves:";
        for (const int number : costliest) {
            const TMoveAnalysis& v = analysis.values[number - 1];
            out += Formatted(" %d %s (best %s, loss %s)", number, SquareName(v.played).c_str(),
                             SquareName(v.best).c_str(), Number(v.loss, v.exact).c_str());
        }
        out += "\n";
    }
    if (analysis.exactFrom != 0)
        out += Formatted("exact from move %d (%d empty squares) to the end\n", analysis.exactFrom,
                         61 - analysis.exactFrom);
    else
        out += "no move was solved exactly\n";
    const TDiscs end = analysis.FinalBoard();
    const int black = std::popcount(end.black), white = std::popcount(end.white);
    if (analysis.Finished())
        out +=
            Formatted("final result: black %d, white %d (black %+d, empty squares to the winner)\n",
                      black, white, FinalDifference(end));
    else
        out +=
            Formatted("the record ends before the game's end: black %d, white %d\n", black, white);
    return out;
}

TAnalysisOptions ParseAnalysisOptions(const std::vector<std::string>& args,
                                      const std::filesystem::path& resources) {
    TAnalysisOptions options;
    options.tables = resources;
    TAnalysisSettings& settings = options.settings;
    const TFlags flags = {
        {"--exact", WholeNumberInto(settings.exactEmpties, 0, MAX_EXACT_EMPTIES)},
        {"--level", WholeNumberInto(settings.gameLevel, 2, 4)},
        {"--type",
         [&](const std::string&, const std::string& value) {
             if (value.size() != 1 || value[0] < 'A' || value[0] > 'D')
                 throw EBadInput("--type needs a thinking type A-D, not '" + value + "'");
             settings.thinkType = static_cast<uint8_t>(value[0] - 'A' + 1);
         }},
        {"--placement", WholeNumberInto(options.placement, 1, 4)},
        {"--tables", ValueInto(options.tables)},
        {"--html", [&](const std::string&, const std::string& value) {
             if (value.empty()) throw EBadInput("--html needs a file name");
             options.html = value;
         }}};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& argument = args[i];
        if (argument == "--quiet") {
            options.quiet = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            const TFlagAction& action = ActionOf(flags, argument);
            if (i + 1 >= args.size()) throw EBadInput(argument + " needs a value");
            action(argument, args[++i]);
        } else {
            if (options.recordGiven)
                throw EBadInput("more than one record given: '" + argument + "'");
            options.recordGiven = argument != "-";
            options.record = argument;
        }
    }
    return options;
}
