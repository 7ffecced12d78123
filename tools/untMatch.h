#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/untKyokumen.h"
#include "tools/untToolArgs.h"

// Games of the engine against itself, without windows: each side is the game's computer
// player (player/untComputerPlayer.h) at its own level and thinking type.

// One side of a match: its level, thinking type and pattern tables.
struct TPlayerSettings {
    uint8_t gameLevel = 2;
    uint8_t thinkType = 1;
    std::shared_ptr<const TPatternTable> tables;  // null: the engine's own (all zeros)
    std::string Name() const;                     // "4:C"
};

// Parses "L:T" with a level 1-4 and a thinking type A-D.
std::optional<TPlayerSettings> ParsePlayer(const std::string& text);

// Parses an opening line in the game-record notation ("f5d6c3..."): the squares, checked
// to be a legal game from the standard start with black first (passes inferred).
std::optional<std::vector<uint8_t>> ParseOpening(const std::string& line, std::string& error);

// Openings of `plies` random legal moves from the standard start, all different, drawn by a
// generator of our own seeded with the seed (the same openings on every machine). An opening
// that begins with one of the avoided ones, or begins one of them, is drawn again, so that
// games from it never reach another set's openings. Throws EBadInput when fewer than `count`
// such openings exist.
std::vector<std::vector<uint8_t>> RandomOpenings(int count, int plies, uint32_t seed,
                                                 const std::vector<std::vector<uint8_t>>& avoided);

struct TGameResult {
    std::string record;  // the whole game in the game-record notation
    int blackDiscs = 0;
    int whiteDiscs = 0;
    bool aWasBlack = false;
    int aScore2 = 0;  // twice A's points: 2 a win, 1 a draw, 0 a loss
};

// Plays one game from the opening (possibly empty) with the two sides, A as black when
// aIsBlack; the book answers the white side where the program itself would consult it.
// Both sides draw from one generator seeded with the seed, whatever thread plays the game.
TGameResult PlayGame(const TPlayerSettings& a, const TPlayerSettings& b, bool aIsBlack,
                     const std::vector<uint8_t>& opening, const std::vector<std::string>& book,
                     uint32_t seed);

// The game as a line of a games file: "<moves> <black minus white>", the empty squares of a
// game that ends early given to the winner, as tournament results count them.
std::string GameLine(const TGameResult& result);

// The summary line: "A: W wins, L losses, D draws, score P%".
std::string MatchSummary(const std::vector<TGameResult>& results);

// The most games one match plays, and the most threads it uses.
inline constexpr int64_t MAX_MATCH_GAMES = 1000000;
inline constexpr int64_t MAX_MATCH_JOBS = 256;
inline constexpr int64_t MAX_RANDOM_OPENING_PLIES = 20;

// A match as the command line sets it up.
struct TMatchOptions {
    TPlayerSettings a, b;
    int games = 100;
    bool gamesGiven = false;
    std::string openingsFile;
    int randomOpeningPlies = 0;           // random openings instead of a file, when above 0
    std::vector<std::string> avoidFiles;  // openings the random ones keep away from
    std::filesystem::path recordFile;     // every game written as a games line, if given
    uint32_t seed = 1;
    std::filesystem::path tablesA, tablesB, book;
    unsigned jobs = 1;
};

// Reads the command line (without the program's name): --a L:T --b L:T [--games N]
// [--openings FILE | --random-openings PLIES [--avoid FILE ...]] [--seed S] [--tables-a DIR]
// [--tables-b DIR] [--book FILE] [--jobs J] [--record FILE].
// The tables and the book default to those in resources. Throws EBadInput.
TMatchOptions ParseMatchOptions(const std::vector<std::string>& args,
                                const std::filesystem::path& resources);

// The openings of an openings file: one a line in the game-record notation, anything from a
// blank or '#' on ignored. Throws EBadInput naming the file and line of the first bad one,
// or the file when it holds none.
std::vector<std::vector<uint8_t>> ParseOpenings(std::string_view text, const std::string& file);

// The lines of moves of an opening book (engine/search/untBook.h): besides blank lines and
// comment lines beginning with "//", every line is a legal game from the start beginning
// with f5, as the book is looked up. Throws EBadInput naming the file and line of the first
// other line, or the file when it holds no line of moves: then it is no opening book.
std::vector<std::string> ParseBook(std::string_view text, const std::string& file);
