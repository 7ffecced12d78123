// The speed of the computer's move: ChooseMove at the top level for each thinking type over
// a fixed suite of positions from real games, from the opening to the endgame read to the
// end, and optionally over positions taken from a file of games at every stage. The plain
// step-by-step move choice of the tests runs on the same positions in the same run, so the
// ratio of the two rates holds even on a busy machine. Also reports the slowest move of
// the suite and a move that uses the whole budget of generated positions.
//
// Run: build/bench/bench_choose_move [--repetitions N] [--games FILE] [--positions N]
//      [--types ABCD] [--no-plain]
// A rate is EvalCount (generated positions) per second of ChooseMove; each figure is the
// median of the repetitions.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BoardPicture.h"
#include "ReferenceBoard.h"
#include "ReferenceSearch.h"
#include "engine/eval/untPatterns.h"
#include "engine/untKyokumen.h"
#include "engine/untRandom.h"

namespace {

// A position with white (the computer) to move: a1..h1, a2..h2, ..., a8..h8; 'X' black,
// 'O' white, '-' empty; and the number of moves that led to it.
struct TBenchPosition {
    std::string cells;
    int moveNumber;
};

const TBenchPosition kSuite[] = {
    {"--------------------X-----XXXO---XXXOO------OO------O-----------", 9},
    {"------------------XXXX----XXXO----OOOO-----OOO------------------", 11},
    {"-----------O------OOX-----OOXXX---OOXX----OOXXX----OXX----------", 17},
    {"-----X----XOX-----XXOXX---XOXXX---OOXOO----OOO------OO-------O--", 21},
    {"-XXXXX----OXXX----XOOXXX-XXXOOX--XXXOO------OO------O-----------", 25},
    {"-----O-----OOO----OOXXO---OOXXX---OOXXX---OOXXX---XOXX----XXX---", 27},
    {"-----X----XOOO---XXOOOX---XOOOX--OOXOOO---OOXOO---XXOO----XOOO--", 31},
    {"-XXXXX--O-XXXX--OXXXXXXXOXXXXXX-OOOXOXOO--XXXO-----XO-----------", 35},
    {"---OOO-----OOO-X--OOXOXX--OXOXOXXXXXXOXX-XOXXXO---XOXX-O--XXX---", 37},
    {"--XXXX----XXXX--OOOOOOX--OXOXOX-XXOXXXXXXOOOXOO---OXOO---OOOOO--", 41},
    {"-XXXXX--O-XXXXO-OOXXXOXXOXXXOOXOOXXOOXXOOXXXXXXXO--XOO----------", 43},
    {"---OOO-----OOOXXX-OOXXXXXOOXXXOXXOXXXOXXXXOOXOO-XXXOOO-O--XXXO--", 45},
    {"--XXXX----XXXX--OOOOXOOO-OXXXOOOXXXXXXOOXXOOOXOOX-OOOOXX-OOOOO--", 47},
    {"---OOO--O-XXXXXXO-XXOXXXOOXXXOOXOOXXXOOXOXOOXOOXOXXOOO-XOXXXXO-X", 51},
    {"OOOOOOOXOXXXXOOXOXXXOXXXOXXOXXOXOXOXXOXXOXXXOXXXO-XXXX----OOOO--", 53},
};

// A position of a real game at move 49 in which every thinking type reads to the end and
// stops at the limit of generated positions.
const TBenchPosition kFullBudget = {
    "XXXXXXOX-XXXOOOX--XXXOOX-OXXOOXX-XXOXXXX-XOOXXXX-XXXOX--OXXXXO--", 49};

std::unique_ptr<TKyokumen> EngineAt(const TBenchPosition& position, uint8_t thinkType) {
    const std::shared_ptr<TPatternTable> patternValues = ShippedPatternValues();
    auto k = NewEngine(1);
    k->PatternWeights = patternValues;
    SetGameBoardFromLine(*k, position.cells, position.moveNumber);
    k->GameLevel = 4;
    k->ThinkType = thinkType;
    return k;
}

// Positions with white to move from a file of games ("f5d6c3... score" lines), at every
// stage: from each game the positions after moves 8, 14, 20, ... 56 where white moves.
std::vector<TBenchPosition> PositionsFromGames(const std::string& path, int count) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(1);
    }
    std::vector<TBenchPosition> positions;
    std::string line;
    for (int game = 0; static_cast<int>(positions.size()) < count && std::getline(in, line); ++game)
        ReplayRecordOnBoard(line.substr(0, line.find(' ')),
                            [&](const TReferenceBoard& board, int played) {
                                if (board.toMove != 2 || board.LegalSquares(2).empty()) return true;
                                if (played < 8 || (played + game) % 6 != 0) return true;
                                std::string cells;
                                for (int row = 0; row < 8; ++row)
                                    for (int column = 0; column < 8; ++column)
                                        cells += "-XO"[board.cell[column][row]];
                                positions.push_back({cells, played});
                                return true;
                            });
    positions.resize(std::min<std::size_t>(positions.size(), count));
    return positions;
}

struct TRun {
    double seconds = 0, slowest = 0;
    uint64_t generated = 0;
    double Rate() const { return seconds > 0 ? generated / seconds : 0; }
};

// Chooses a move in every position with the given chooser; engines are set up untimed.
template <typename Choose>
TRun RunSuite(const std::vector<TBenchPosition>& positions, uint8_t type, Choose choose,
              std::vector<uint8_t>* moves = nullptr) {
    TRun run;
    for (const TBenchPosition& position : positions) {
        auto k = EngineAt(position, type);
        RandSeed(7);
        const auto start = std::chrono::steady_clock::now();
        choose(*k);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        run.seconds += took.count();
        run.slowest = std::max(run.slowest, took.count());
        run.generated += k->EvalCount;
        if (moves) moves->push_back(k->ChosenMove);
    }
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct TFigures {
    double rate = 0, slowest = 0, fullBudget = 0;
};

template <typename Choose>
TFigures Measure(const std::vector<TBenchPosition>& positions, uint8_t type, Choose choose,
                 int repetitions) {
    std::vector<double> rates, slowest, budget;
    for (int r = 0; r < repetitions; ++r) {
        const TRun suite = RunSuite(positions, type, choose);
        rates.push_back(suite.Rate());
        slowest.push_back(suite.slowest);
        budget.push_back(RunSuite({kFullBudget}, type, choose).seconds);
    }
    return {Median(rates), Median(slowest), Median(budget)};
}

void Report(const char* name, const std::vector<TBenchPosition>& positions, const char* types,
            int repetitions, bool withPlain) {
    std::printf("\n%s: %zu positions, level 4, median of %d\n", name, positions.size(),
                repetitions);
    std::printf(
        "type  fast M pos/s  plain M pos/s  ratio  slowest ms (fast/plain)  "
        "full-budget ms (fast/plain)\n");
    for (const char* t = types; *t; ++t) {
        const uint8_t type = static_cast<uint8_t>(*t - 'A' + 1);
        // Both choices must agree before their speeds are worth comparing.
        std::vector<uint8_t> fastMoves, plainMoves;
        const TRun fastOnce = RunSuite(
            positions, type, [](TKyokumen& k) { k.ChooseMove(); }, &fastMoves);
        if (withPlain) {
            const TRun plainOnce = RunSuite(
                positions, type, [](TKyokumen& k) { ReferenceChooseMove(k); }, &plainMoves);
            if (fastMoves != plainMoves || fastOnce.generated != plainOnce.generated)
                std::printf("type %c: the fast and the plain choice DISAGREE\n", *t);
        }
        const TFigures fast = Measure(
            positions, type, [](TKyokumen& k) { k.ChooseMove(); }, repetitions);
        TFigures plain;
        if (withPlain)
            plain = Measure(
                positions, type, [](TKyokumen& k) { ReferenceChooseMove(k); }, repetitions);
        std::printf("%c     %12.2f  %13.2f  %5.2f  %10.1f / %-10.1f  %12.1f / %.1f\n", *t,
                    fast.rate / 1e6, plain.rate / 1e6, plain.rate > 0 ? fast.rate / plain.rate : 0,
                    fast.slowest * 1e3, plain.slowest * 1e3, fast.fullBudget * 1e3,
                    plain.fullBudget * 1e3);
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int repetitions = 5, count = 300;
    std::string games, types = "ABCD";
    bool withPlain = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "%s needs a value\n", arg.c_str());
                std::exit(1);
            }
            return argv[++i];
        };
        if (arg == "--repetitions")
            repetitions = std::max(1, std::atoi(next().c_str()));
        else if (arg == "--games")
            games = next();
        else if (arg == "--positions")
            count = std::max(1, std::atoi(next().c_str()));
        else if (arg == "--types")
            types = next();
        else if (arg == "--no-plain")
            withPlain = false;
        else {
            std::fprintf(stderr,
                         "usage: %s [--repetitions N] [--games FILE] [--positions N] "
                         "[--types ABCD] [--no-plain]\n",
                         argv[0]);
            return 1;
        }
    }
    const std::vector<TBenchPosition> suite(std::begin(kSuite), std::end(kSuite));
    Report("fixed suite", suite, types.c_str(), repetitions, withPlain);
    if (!games.empty())
        Report(games.c_str(), PositionsFromGames(games, count), types.c_str(), repetitions,
               withPlain);
    return 0;
}
