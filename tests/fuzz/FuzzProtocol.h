#pragma once

// A session of a text protocol from fuzzing input, one command a line. Whatever the lines,
// the engine answers every one without failing, its board always holds a real position, and
// a refused command (a "?" answer, a status line that says so) leaves the game as it was.
// The engine plays at random, with hints exact only in the last ten empty squares, and a
// session is cut after its first lines, so that an input runs in milliseconds.
#include <sstream>

#include "FuzzCheck.h"
#include "protocol/untEngineSession.h"

inline bool SameGame(const TGameState& a, const TGameState& b) {
    return a.Discs().black == b.Discs().black && a.Discs().white == b.Discs().white &&
           a.WhiteToMove() == b.WhiteToMove() && a.Moves() == b.Moves();
}

template <typename Protocol>
void FuzzProtocolSession(const uint8_t* data, size_t size, std::string_view refusal) {
    TSessionOptions options;
    options.gameLevel = 1;
    options.seed = 1;
    options.exactHintEmpties = 10;
    options.tables = std::make_shared<TPatternTable>();
    options.book = {"f5f6e6d6c5e3f3f4", "f5d6c3d3c4f4f6f3"};
    Protocol protocol(options);
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    constexpr int kMostLines = 64;
    int lines = 0;
    for (const std::string_view line : SplitInput(input, '\n')) {
        if (++lines > kMostLines) return;
        const TGameState before = protocol.Session().Game();
        std::ostringstream out;
        if (!protocol.HandleLine(line, out)) return;
        const TGameState& after = protocol.Session().Game();
        FUZZ_CHECK((after.Discs().black & after.Discs().white) == 0);
        if (out.str().find(refusal) != std::string::npos) FUZZ_CHECK(SameGame(before, after));
    }
}
