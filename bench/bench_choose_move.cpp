// The speed of the computer's move: ChooseMove at the top level for each thinking type
// over a fixed suite of positions from real games, from the opening to the endgame read
// to the end. Reports generated positions (EvalCount) per second and the slowest move.
//
// Run: build/bench/bench_choose_move [--benchmark_repetitions=N]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string_view>

#include "engine/untKyokumen.h"
#include "engine/untRandom.h"

namespace {

// Positions with white (the computer) to move: a1..h1, a2..h2, ..., a8..h8; 'X' black,
// 'O' white, '-' empty; and the number of moves that led to them.
struct TBenchPosition {
    std::string_view cells;
    int moveNumber;
};

constexpr TBenchPosition kSuite[] = {
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

std::unique_ptr<TKyokumen> EngineAt(const TBenchPosition& position, uint8_t thinkType) {
    RandSeed(1);
    auto k = std::make_unique<TKyokumen>();
    for (int i = 0; i < 64; ++i) {
        const char c = position.cells[i];
        k->Boards[0].Cells[10 * (8 - i % 8) + i / 8 + 1] = c == 'X'   ? BLACK
                                                           : c == 'O' ? WHITE
                                                                      : EMPTY;
    }
    k->MoveNumber = static_cast<int16_t>(position.moveNumber);
    k->GameLevel = 4;
    k->ThinkType = thinkType;
    return k;
}

void ChooseMoveAtTopLevel(benchmark::State& state) {
    const uint8_t thinkType = static_cast<uint8_t>(state.range(0));
    double generated = 0, slowest = 0;
    for (auto _ : state) {
        for (const TBenchPosition& position : kSuite) {
            state.PauseTiming();
            auto k = EngineAt(position, thinkType);
            state.ResumeTiming();
            const auto start = std::chrono::steady_clock::now();
            k->ChooseMove();
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            benchmark::DoNotOptimize(k->ChosenMove);
            generated += k->EvalCount;
            slowest = std::max(slowest, took.count());
        }
    }
    state.counters["positions/s"] = benchmark::Counter(generated, benchmark::Counter::kIsRate);
    state.counters["slowest_move_ms"] = slowest * 1000;
    state.SetLabel(std::string("type ") + "?ABCD"[thinkType]);
}

BENCHMARK(ChooseMoveAtTopLevel)->DenseRange(1, 4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
