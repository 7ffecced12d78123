#include "learn/untLearn.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "catalogue/untCatalogue.h"
#include "engine/untSquareNames.h"

namespace {

// A message with its figures, as printf writes them.
std::string Formatted(const char* format, int number, const char* text) {
    char message[256];
    std::snprintf(message, sizeof message, format, number, text);
    return message;
}

constexpr int kLargestMargin = 60;

// A target a margin above or below the evaluation, held at the 32-bit limits: a target that
// wrapped round would point the learning the wrong way.
int32_t TargetOffBy(int32_t evaluation, int32_t margin) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{evaluation} + margin, INT32_MIN, INT32_MAX));
}

void PlayRecordedMove(TKyokumen& k, bool white, uint8_t square) {
    k.WhiteToMove = white;
    k.MakeMove(square);
    k.Commit();
}

}  // namespace

std::optional<std::vector<uint8_t>> ParseTrainingRecord(const std::string& text,
                                                        std::string& error) {
    constexpr std::size_t kLongest = 120;
    if (text.size() % 2 != 0) {
        error = Tr("棋譜の文字数が奇数です。");
        return std::nullopt;
    }
    if (text.size() > kLongest) {
        error = Tr("棋譜が60手を超えています。");
        return std::nullopt;
    }
    TKyokumen game;
    std::vector<uint8_t> moves;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const std::string name = text.substr(i, 2);
        const int n = static_cast<int>(i / 2) + 1;
        const std::optional<uint8_t> square = SquareFromName(name);
        if (!square) {
            error = Formatted(Tr("%d手目の「%s」はマスの名前ではありません。"), n, name.c_str());
            return std::nullopt;
        }
        game.WhiteToMove = n % 2 == 0;  // black first, no passes
        if (!game.IsLegal(*square)) {
            error = Formatted(
                n % 2 ? Tr("%d手目の%sには黒が打てません。") : Tr("%d手目の%sには白が打てません。"),
                n, name.c_str());
            return std::nullopt;
        }
        PlayRecordedMove(game, n % 2 == 0, *square);
        moves.push_back(*square);
    }
    return moves;
}

TTrainingResult TrainOnRecord(TKyokumen& k, const std::vector<uint8_t>& moves,
                              const std::function<void(int, int)>& progress) {
    TTrainingResult result;
    for (int n = 1; n <= static_cast<int>(moves.size()); ++n) {
        const uint8_t recorded = moves[n - 1];
        if (n % 2 == 1) {
            PlayRecordedMove(k, false, recorded);
            continue;
        }
        for (result.k = 1;; result.k += 2) {
            if (progress) progress(n, result.k);
            // Raise the position after the recorded move.
            k.WhiteToMove = true;
            k.MakeMove(recorded);
            k.ChosenValue = TargetOffBy(k.EvaluatePatterns(), result.k);
            k.LearnPatterns();
            k.UndoMove();
            // Does the computer choose it now? Every search gets the whole position budget.
            k.EvalCount = 0;
            k.ChooseMove();
            result.lastChoice = k.ChosenMove;
            if (k.ChosenMove == recorded || result.k + 2 > kLargestMargin) {
                if (k.ChosenMove != recorded) result.k += 2;
                break;
            }
            // Lower the position before it, where white is to move.
            k.ChosenValue = TargetOffBy(k.EvaluatePatterns(), -(result.k + 2));
            k.LearnPatterns();
        }
        PlayRecordedMove(k, true, recorded);
    }
    return result;
}
