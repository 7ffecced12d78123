// The engine's protocols: its move for either colour is the game's own computer move, exchanges
// replay line for line, a side without a move passes, and a hint gives way to the next line.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <thread>

#include "engine/eval/untPatterns.h"
#include "engine/search/untBook.h"
#include "engine/search/untEndgameSolver.h"
#include "engine/untRandom.h"
#include "engine/untTextFile.h"
#include "protocol/untGtpProtocol.h"
#include "protocol/untLineQueue.h"
#include "protocol/untNBoardProtocol.h"
#include "protocol/untProtocolWords.h"
#include "tools/untMatch.h"
#include "tools/untSeededGenerator.h"

namespace {

const std::filesystem::path kResources = TOLVANEY_RESOURCES;

std::vector<std::string> ShippedBook() {
    return ParseBook(ReadTextFile(kResources / "TEISEKI"), "TEISEKI");
}

// A game from the standard start with `plies` random legal moves (passes where needed).
TGameState RandomGame(int plies, uint32_t seed) {
    TSeededGenerator random(seed);
    TGameState game;
    for (int ply = 0; ply < plies && !game.Over(); ++ply) {
        if (game.MustPass()) game.Play(game.WhiteToMove(), PASS);
        uint64_t moves = game.LegalMoves(game.WhiteToMove());
        for (uint32_t skip = random.Below(std::popcount(moves)); skip > 0; --skip)
            moves &= moves - 1;
        game.Play(game.WhiteToMove(), static_cast<uint8_t>(SquareOfBit(std::countr_zero(moves))));
    }
    return game;
}

// The game's own computer turn in the position: the book where the game asks it, else
// ChooseMove on an engine made as a new game makes one (black's first, then white's), the
// generator seeded after it, and for black the colours exchanged.
uint8_t GamesOwnMove(const TGameState& game, const TPlayerSettings& settings, uint32_t seed,
                     const std::vector<std::string>& book) {
    const bool white = game.WhiteToMove();
    uint8_t record[61];
    game.GameRecord(record);
    if (white && settings.gameLevel == 4 && settings.thinkType >= 3) {
        if (const uint8_t square = FindBookMove(book, record)) return square;
    }
    RandSeed(seed);
    auto engines = std::make_unique<TKyokumen[]>(2);
    RandSeed(seed);
    TKyokumen& k = engines[white];
    k.GameLevel = settings.gameLevel;
    k.ThinkType = settings.thinkType;
    *k.PatternWeights = *settings.tables;
    const TDiscs& discs = game.Discs();
    k.Boards[0].SetCellsFrom(white ? discs : TDiscs{discs.white, discs.black});
    k.MoveNumber = static_cast<int16_t>(std::popcount(discs.black | discs.white) - 4);
    k.Placement = white ? 1 : 0;
    k.ChooseMove();
    return k.ChosenMove;
}

TEST(ComputerPlayer, PlaysTheGamesOwnMoveForEitherColourAtEveryLevelAndType) {
    const auto tables = LoadPatternTables(kResources);
    const std::vector<std::string> book = ShippedBook();
    int blackMoves = 0, whiteMoves = 0;
    for (uint8_t level = 1; level <= 4; ++level) {
        for (uint8_t type = 1; type <= 4; ++type) {
            TRandom generator;
            TComputerPlayer player(generator, tables, book);
            player.SetLevel(level);
            player.SetType(type);
            for (uint32_t seed = 1; seed <= 9; ++seed) {
                const TGameState game = RandomGame(static_cast<int>(seed * 7 % 57), seed * level);
                if (game.LegalMoves(game.WhiteToMove()) == 0) continue;
                player.NewGame(seed);
                const uint8_t move = player.Choose(game).square;
                const TPlayerSettings settings{level, type, tables};
                EXPECT_EQ(move, GamesOwnMove(game, settings, seed, book))
                    << "level " << int(level) << " type " << int(type) << " seed " << seed;
                ++(game.WhiteToMove() ? whiteMoves : blackMoves);
            }
        }
    }
    EXPECT_GT(blackMoves, 40);
    EXPECT_GT(whiteMoves, 40);
}

// Replays a recorded exchange: "> line" is sent, "< line" must come back as it stands,
// "~ pattern" must come back matching the pattern; '#' lines are notes.
template <typename Protocol>
void ReplayExchange(const std::string& file) {
    std::ifstream recorded(std::string(TOLVANEY_TEST_DATA) + "/protocol/" + file);
    ASSERT_TRUE(recorded) << file;
    TSessionOptions options;
    options.seed = 1;
    options.tables = LoadPatternTables(kResources);
    options.book = ShippedBook();
    Protocol protocol(options);
    std::istringstream answers;
    std::string line, sent, answer;
    int number = 0;
    while (std::getline(recorded, line)) {
        ++number;
        const std::string kind = line.substr(0, 1), text = line.size() > 2 ? line.substr(2) : "";
        if (kind == ">") {
            EXPECT_FALSE(std::getline(answers, answer)) << file << ": more after " << sent;
            std::ostringstream out;
            protocol.HandleLine(text, out);
            answers = std::istringstream(out.str());
            sent = text;
        } else if (kind == "<" || kind == "~") {
            ASSERT_TRUE(std::getline(answers, answer)) << file << ":" << number << " no answer";
            if (kind == "<")
                EXPECT_EQ(answer, text) << file << ":" << number << " after " << sent;
            else
                EXPECT_TRUE(std::regex_match(answer, std::regex(text)))
                    << file << ":" << number << " after " << sent << ": " << answer;
        }
    }
    EXPECT_FALSE(std::getline(answers, answer)) << file << ": more after " << sent;
}

TEST(Protocols, NBoardSessionsReplayLineForLine) {
    ReplayExchange<TNBoardProtocol>("nboard-session.txt");
    ReplayExchange<TNBoardProtocol>("nboard-faults.txt");
}

TEST(Protocols, GtpSessionsReplayLineForLine) {
    ReplayExchange<TGtpProtocol>("gtp-session.txt");
}

TEST(Protocols, APassIsTakenFromASideWithoutALegalMoveAfterTheLastMoveToo) {
    const char* const blackMustPass = "f5 f6 f7 g7 d3 f8 h8 h6";      // black to move
    const char* const blackHasNoMove = "f5 f4 g3 g4 h3 h2 c4 h4 g2";  // white to move
    const char* const gameOver = "f5 f4 g3 g6 g5 f6 d3 g4 g7";
    const struct {
        const char *moves, *side;
        std::string refused;
        bool sideToMove;  // NBoard's move PA is the side to move's pass
    } rows[] = {{"", "black", "black has a legal move and may not pass", true},
                {blackMustPass, "black", "", true},
                {blackMustPass, "white", "white has a legal move and may not pass", false},
                {blackHasNoMove, "black", "", false},
                {gameOver, "white", "", true},
                {gameOver, "black", "", false}};
    for (const auto& row : rows) {
        TGtpProtocol gtp({});
        TNBoardProtocol nboard({});
        std::ostringstream setUp, gtpAnswer, nboardAnswer;
        std::string ggf =
            "(;GM[Othello]BO[8 ---------------------------O*------*O--------------------------- *]";
        bool white = false;
        for (const std::string_view move : Words(row.moves)) {
            gtp.HandleLine((white ? "play white " : "play black ") + std::string(move), setUp);
            ggf += (white ? "W[" : "B[") + std::string(move) + "]";
            white = !white;
        }
        nboard.HandleLine("set game " + ggf + ";)", setUp);
        gtp.HandleLine(std::string("play ") + row.side + " pass", gtpAnswer);
        EXPECT_EQ(gtpAnswer.str(),
                  row.refused.empty() ? "=\n\n" : "? illegal move: " + row.refused + "\n\n")
            << row.moves << ", " << row.side;
        if (!row.sideToMove) continue;
        nboard.HandleLine("move PA", nboardAnswer);
        EXPECT_EQ(nboardAnswer.str(),
                  row.refused.empty()
                      ? ""
                      : "status move PA refused, the board is as it was: " + row.refused + "\n")
            << row.moves;
    }
}

// What the engine writes, a line at a time onto a queue, as a front end reads it.
struct TLineSink : std::streambuf {
    TLineQueue* lines;
    std::string line;
    int overflow(int c) override {
        if (c == '\n') lines->Push(std::exchange(line, {}));
        if (c != '\n' && c != traits_type::eof()) line += static_cast<char>(c);
        return traits_type::not_eof(c);
    }
};

TEST(Protocols, NBoardHintGivesWayToTheNextLineAndAMoveToTheFrontEndsGoing) {
    TLineQueue commands, answers;
    std::atomic<bool> unread = false;
    TSessionOptions options;
    options.exactHintEmpties = 22;  // solving every move takes a minute or more
    options.stopHint = &commands.Waiting();
    options.stopMove = &unread;
    TNBoardProtocol nboard(options);
    TLineSink sink;
    sink.lines = &answers;
    std::ostream out(&sink);
    std::thread engine([&] { AnswerLines(nboard, commands, out); });
    const auto next = [&] { return answers.PopWithin(std::chrono::minutes(5)).value_or("-"); };
    commands.Push(
        "set game (;GM[Othello]BO[8 -O*-O-*---***O-******O*---OOO*O--OOO*OO--*OO*O**-"
        "O*OO--OO*-O---- *];)");
    commands.Push("hint 3");
    std::vector<std::string> answered = {next()};
    commands.Push("ping 1");
    while (answered.back() != "pong 1" && answered.back() != "-")
        answered.push_back(next());
    // The advice's move is given up in the middle of its solve once nobody reads the answers.
    for (const char* line : {"set player advice", "go"})
        commands.Push(line);
    answered.insert(answered.end(), {next(), next()});  // the name, then "thinking"
    unread = true;
    answered.push_back(next());
    // The end of the input stops a hint as a next line does, and ends the engine.
    commands.Push("hint 3");
    answered.push_back(next());
    commands.Close();
    answered.push_back(next());
    engine.join();
    // Stopped before a move was solved: no search line, the hints' ends, the pong; no move.
    EXPECT_EQ(answered, (std::vector<std::string>{"status solving 22 empty squares", "status ",
                                                  "pong 1", "set myname Tolvaney-Advice",
                                                  "status Tolvaney-Advice thinking",
                                                  "status error: the search was stopped",
                                                  "status solving 22 empty squares", "status "}));
}

// Lopsided positions near a wipe-out, where evaluations overshoot: the game's and the advice's
// estimates stay within the board's 64 discs, and exact hints are the solver's values.
TEST(Protocols, EstimatesStayWithinTheBoardsDiscsAndExactHintsAreTheSolvers) {
    TSessionOptions options;
    options.seed = 1;
    options.exactHintEmpties = 10;
    options.tables = LoadPatternTables(kResources);
    options.advice = TAdviceWeights::Load(kResources / ADVICE_WEIGHTS_FILE);
    TEngineSession session(options);
    TEndgameSolver solver;
    std::mt19937_64 random(1);
    for (int i = 0; i < 300; ++i) {  // about 8 or 16 empty squares, 4 discs of one side
        const uint64_t empty = random() & random() & (i % 3 ? random() : ~0ull);
        const uint64_t few = random() & random() & random() & random() & ~empty;
        const bool white = i % 2;
        session.NewGame(
            TGameState(i % 4 < 2 ? TDiscs{few, ~empty & ~few} : TDiscs{~empty & ~few, few}, white));
        if (session.Game().LegalMoves(white) == 0) continue;
        EXPECT_LE(std::abs(session.ChooseMove().discs.value_or(0)), 64);
        for (const TMoveValue& hint : session.Hints({})) {
            const TDiscs a = BitsAfterMove(session.Game().Discs(), hint.square, white).after;
            const bool exact = std::popcount(a.Empty()) < 10;
            const double expected =
                exact ? -solver.Solve(white ? a.black : a.white, white ? a.white : a.black).score
                      : std::clamp(hint.value, -64.0, 64.0);
            EXPECT_EQ(std::pair(hint.exact, hint.value), std::pair(exact, expected));
        }
    }
}

}  // namespace
