#include "tools/untAdviceTrainer.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>
#include <unordered_map>

#include "advice/untAdviceSearch.h"
#include "analysis/untAnalysis.h"
#include "engine/search/untEndgameSolver.h"
#include "engine/untBitBoard.h"
#include "engine/untEngineError.h"

namespace {

int Empties(const TAdviceExample& e) {
    return std::popcount(~(e.own | e.opponent));
}

// Runs work(i) for i in 0..count on the threads, each with a state made by makeState.
template <typename MakeState, typename Work>
void InParallel(std::size_t count, int threads, MakeState makeState, Work work) {
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < std::max(1, threads); ++t)
        pool.emplace_back([&] {
            auto state = makeState();
            for (std::size_t i; (i = next.fetch_add(1)) < count;)
                work(state, i);
        });
    for (std::thread& thread : pool)
        thread.join();
}

void Log(const TAdviceTraining& training, const std::string& line) {
    if (training.log) training.log(line);
}

// The value of an example under a stage's canonical values; `features` is filled with its
// slots, `count` with their number.
double ValueOf(const TAdviceExample& e, const std::vector<float>& values,
               std::array<int, TAdviceWeights::kMaxFeatures>& features, int& count) {
    count = TAdviceWeights::Features(e.own, e.opponent, features);
    double sum = 0;
    for (int f = 0; f < count; ++f)
        sum += values[features[f]];
    return sum;
}

// One stage's examples fitted by stochastic gradient descent on the canonical values, in
// discs, starting from and pulled towards `start`.
std::vector<float> FitStage(const std::vector<const TAdviceExample*>& examples,
                            const std::vector<float>& start, const TAdviceTraining& training,
                            std::mt19937& random, double& meanError) {
    std::vector<float> values = start;
    std::vector<std::size_t> order(examples.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::array<int, TAdviceWeights::kMaxFeatures> features{};
    for (int epoch = 0; epoch < training.epochs; ++epoch) {
        std::shuffle(order.begin(), order.end(), random);
        const double rate = training.rate / (1 + epoch * 0.25);
        double errorSum = 0;
        for (const std::size_t i : order) {
            const TAdviceExample& e = *examples[i];
            int count = 0;
            const double error = e.target - ValueOf(e, values, features, count);
            errorSum += std::abs(error);
            for (int f = 0; f < count; ++f) {
                float& v = values[features[f]];
                v += static_cast<float>(rate * (error - training.l2 * (v - start[features[f]])));
            }
        }
        meanError = examples.empty() ? 0 : errorSum / examples.size();
    }
    return values;
}

// The mean absolute error of the values on examples.
double MeanError(const std::vector<const TAdviceExample*>& examples,
                 const std::vector<float>& values) {
    std::array<int, TAdviceWeights::kMaxFeatures> features{};
    double sum = 0;
    int count = 0;
    for (const TAdviceExample* e : examples)
        sum += std::abs(e->target - ValueOf(*e, values, features, count));
    return examples.empty() ? 0 : sum / examples.size();
}

// Solved values kept in a file between runs: the two sets and the score, one line each.
struct TPairHash {
    std::size_t operator()(const std::pair<uint64_t, uint64_t>& p) const {
        return std::hash<uint64_t>()(p.first * 0x9E3779B97F4A7C15ull ^ p.second);
    }
};
using TSolvedValues = std::unordered_map<std::pair<uint64_t, uint64_t>, int, TPairHash>;

TSolvedValues ReadSolved(const std::string& file) {
    TSolvedValues solved;
    std::ifstream in(file);
    uint64_t own, opponent;
    int score;
    while (in >> own >> opponent >> score)
        solved[{own, opponent}] = score;
    return solved;
}

void Store(TAdviceWeights& weights, int stage, const std::vector<float>& values) {
    std::vector<int16_t>& slots = weights.Values(stage);
    for (std::size_t i = 0; i < slots.size(); ++i)
        slots[i] = static_cast<int16_t>(
            std::clamp(std::lround(values[i] * TAdviceWeights::kUnitsPerDisc), -32000l, 32000l));
    weights.Expand();
}

}  // namespace

std::vector<TAdviceExample> PositionsOfGames(const std::string& text, int holdOutEvery) {
    std::vector<TAdviceExample> examples;
    std::istringstream lines(text);
    std::string line;
    for (int number = 0; std::getline(lines, line); ++number) {
        if (holdOutEvery > 0 && number % holdOutEvery == 0) continue;
        std::string error;
        const std::optional<std::vector<TRecordMove>> moves =
            ReplayRecord(line.substr(0, line.find(' ')), error);
        if (!moves) throw EEngineError("game line " + std::to_string(number + 1) + ": " + error);
        for (const TRecordMove& move : *moves) {
            const TDiscs& d = move.before;
            examples.push_back({move.white ? d.white : d.black, move.white ? d.black : d.white});
        }
    }
    return examples;
}

TAdviceWeights FitAdvice(std::vector<TAdviceExample>& examples, const TAdviceTraining& training) {
    // Exact targets near the end.
    std::vector<TAdviceExample*> near;
    for (TAdviceExample& e : examples)
        if (Empties(e) <= training.exactEmpties) near.push_back(&e);
    const TSolvedValues known =
        training.solvedFile.empty() ? TSolvedValues{} : ReadSolved(training.solvedFile);
    Log(training, "solving " + std::to_string(near.size()) + " positions, " +
                      std::to_string(known.size()) + " known");
    InParallel(
        near.size(), training.threads, [] { return std::make_unique<TEndgameSolver>(16); },
        [&](std::unique_ptr<TEndgameSolver>& solver, std::size_t i) {
            TAdviceExample& e = *near[i];
            const auto found = known.find({e.own, e.opponent});
            e.target = static_cast<float>(
                found != known.end() ? found->second : solver->Solve(e.own, e.opponent).score);
            e.exact = true;
        });
    if (!training.solvedFile.empty() && known.empty()) {
        std::ofstream out(training.solvedFile);
        for (const TAdviceExample* e : near)
            out << e->own << ' ' << e->opponent << ' ' << static_cast<int>(e->target) << '\n';
    }

    TAdviceWeights weights;
    std::mt19937 random(training.seed);
    std::vector<float> start(TAdviceWeights::ValuesPerStage(), 0.0f);
    for (int stage = 0; stage < std::min(training.stages, TAdviceWeights::kStages); ++stage) {
        std::vector<const TAdviceExample*> chosen;
        std::vector<TAdviceExample*> toSearch;
        for (TAdviceExample& e : examples) {
            if (TAdviceWeights::StageOf(Empties(e)) != stage) continue;
            if (e.exact)
                chosen.push_back(&e);
            else
                toSearch.push_back(&e);
        }
        std::shuffle(toSearch.begin(), toSearch.end(), random);
        if (toSearch.size() > static_cast<std::size_t>(training.maxPerStage))
            toSearch.resize(training.maxPerStage);
        // Searched targets: the leaves lie in the stages fitted already.
        const auto shared = std::make_shared<const TAdviceWeights>(weights);
        InParallel(
            toSearch.size(), training.threads,
            [&] { return std::make_unique<TAdviceSearch>(shared, 16); },
            [&](std::unique_ptr<TAdviceSearch>& search, std::size_t i) {
                TAdviceExample& e = *toSearch[i];
                e.target =
                    static_cast<float>(search->Value(e.own, e.opponent, training.searchDepth)) /
                    TAdviceWeights::kUnitsPerDisc;
            });
        chosen.insert(chosen.end(), toSearch.begin(), toSearch.end());
        std::vector<const TAdviceExample*> validation;
        if (training.validate) {
            std::vector<const TAdviceExample*> fitted;
            for (std::size_t i = 0; i < chosen.size(); ++i)
                (i % 10 == 0 ? validation : fitted).push_back(chosen[i]);
            chosen.swap(fitted);
        }
        double meanError = 0;
        const std::vector<float> values = FitStage(chosen, start, training, random, meanError);
        Store(weights, stage, values);
        start = values;
        std::ostringstream line;
        line << "stage " << stage << ": " << chosen.size() << " positions, mean error " << meanError
             << " discs";
        if (training.validate) line << ", kept out " << MeanError(validation, values);
        Log(training, line.str());
    }
    return weights;
}
