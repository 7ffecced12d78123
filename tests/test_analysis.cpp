// The post-game analysis: reading and refusing records, the replay with its passes against
// the plain reference board, the values of every move (exact ones chained through passes to
// the final result, estimates at a wipe-out), the loss arithmetic, the HTML page, the same
// figures in English and Japanese, the value of a single position, and stopping.
#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <thread>

#include "BoardPicture.h"
#include "ReferenceBoard.h"
#include "advice/untAdviceWeights.h"
#include "analysis/untAnalysis.h"
#include "analysis/untAnalysisPage.h"
#include "analysis/untPageCache.h"
#include "engine/untBitBoard.h"
#include "engine/untEngineError.h"
#include "engine/untSquareNames.h"
#include "tools/untAnalyzeOptions.h"

namespace {

struct TGame {
    std::string record;
    int difference = 0;  // recorded black minus white, empties to the winner
};

std::vector<TGame> SampleGames() {
    std::ifstream in(std::string(TOLVANEY_TEST_DATA) + "/games-sample.txt");
    std::vector<TGame> games;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t blank = line.find(' ');
        games.push_back({line.substr(0, blank), std::stoi(line.substr(blank + 1))});
    }
    return games;
}

// Two games of the sample that end early with passes near the end: 59 moves with black
// passing three times in a row at the end, and 56 moves with passes after moves 38, 43, 44
// and 51.
const TGame& GameWithLatePasses() {
    static const TGame game = SampleGames().at(30);
    return game;
}
const TGame& GameWithManyPasses() {
    static const TGame game = SampleGames().at(166);
    return game;
}

// A tournament game of 1977-2019 in which black takes white's last disc on move 11.
const TGame kWipeOut{"f5d6c5f4e7c6c7f6g5e6e3", 64};

TAnalysisSettings QuickSettings(int exactEmpties) {
    static const std::shared_ptr<const TPatternTable> tables =
        LoadPatternTables(TOLVANEY_RESOURCES);
    TAnalysisSettings settings;
    settings.exactEmpties = exactEmpties;
    settings.gameLevel = 2;
    settings.tables = tables;
    return settings;
}

TGameAnalysis Analyse(const TGame& game, const TAnalysisSettings& settings) {
    std::string error;
    std::optional<std::vector<TRecordMove>> moves = ReplayRecord(game.record, error);
    EXPECT_TRUE(moves) << error;
    return AnalyseGame(std::move(*moves), settings);
}

TEST(AnalysisRecord, RefusesABadRecordNamingTheFirstBadMove) {
    struct TCase {
        const char* record;
        const char* message;
    };
    const TCase cases[] = {
        {"", "the record holds no move"},
        {" \r\n", "the record holds no move"},
        {"f5f6e9", "move 3 'e9' is not a square name"},
        {"f5f6e", "move 3 'e' is not a square name"},
        {"f5 f6", "move 2 ' f' is not a square name"},
        {"f5i6", "move 2 'i6' is not a square name"},
        {"f5\x1b[", "move 2 '\\x1b[' is not a square name"},
        {"f5\xef\xbd\x86", "move 2 '\\xef\\xbd' is not a square name"},
        {"f5f5", "move 2 (f5) is not legal for white"},
        {"c6", "move 1 (c6) is not legal for black"},
        {"f5d6c3d3c4f4f6f3e6e7d7a1", "move 12 (a1) is not legal for white"},
        {"f5d6c5f4e7c6c7f6g5e6e3d3", "move 12 (d3) is not legal: the game is over"},
    };
    for (const TCase& c : cases) {
        std::string error;
        EXPECT_FALSE(ReplayRecord(c.record, error)) << c.record;
        EXPECT_EQ(error, c.message) << c.record;
    }
}

TEST(AnalysisRecord, AcceptsAPastedRecordWithBlanksAndCapitals) {
    std::string error;
    const auto moves = ReplayRecord("  F5d6C3\r\n", error);
    ASSERT_TRUE(moves) << error;
    ASSERT_EQ(moves->size(), 3u);
    EXPECT_EQ(SquareName(moves->at(0).square) + SquareName(moves->at(1).square) +
                  SquareName(moves->at(2).square),
              "f5d6c3");
}

TEST(AnalysisRecord, ReplaysFromTheChosenPlacementOfTheCentreDiscs) {
    // Placement 3 puts black on d4 and e4, white on d5 and e5: c6 takes d5.
    std::string error;
    const auto moves = ReplayRecord("c6", error, 3);
    ASSERT_TRUE(moves) << error;
    const TDiscs& start = moves->front().before;
    EXPECT_EQ(start.black, MaskOf(SquareOf("d4")) | MaskOf(SquareOf("e4")));
    EXPECT_EQ(start.white, MaskOf(SquareOf("d5")) | MaskOf(SquareOf("e5")));
    EXPECT_EQ(moves->front().after.black,
              start.black | MaskOf(SquareOf("c6")) | MaskOf(SquareOf("d5")));
}

TEST(AnalysisRecord, ReplaysEverySampleGameWithItsPassesToTheRecordedResult) {
    int passes = 0;
    for (const TGame& game : SampleGames()) {
        std::string error;
        const auto moves = ReplayRecord(game.record, error);
        ASSERT_TRUE(moves) << game.record << ": " << error;
        TReferenceBoard board = TReferenceBoard::Standard();
        bool white = false;
        for (const TRecordMove& move : *moves) {
            ASSERT_TRUE(board.PlayRecordedMove(move.square));
            // A side moves again exactly when the other one had to pass.
            EXPECT_EQ(move.white, white) << game.record << " move " << move.number;
            white = move.passFollows ? move.white : !move.white;
            passes += move.passFollows;
            const TBitBoard expected = BitsOf(board);
            ASSERT_EQ(move.after.black, expected.black) << game.record << " move " << move.number;
            ASSERT_EQ(move.after.white, expected.white) << game.record << " move " << move.number;
        }
        EXPECT_TRUE(moves->back().gameOver) << game.record;
        EXPECT_EQ(FinalDifference(moves->back().after), game.difference) << game.record;
    }
    EXPECT_GT(passes, 100);
}

// The exact values chain from move to move: the value of the move played is the value of
// the next position for the same side (after a pass) or for the other side, and the last
// move's is the final result.
void ExpectExactValuesChain(const TGameAnalysis& analysis, int recordedDifference) {
    ASSERT_NE(analysis.exactFrom, 0);
    for (std::size_t i = analysis.exactFrom - 1; i < analysis.values.size(); ++i) {
        const TMoveAnalysis& v = analysis.values[i];
        ASSERT_TRUE(v.exact);
        EXPECT_EQ(v.playedValue, std::round(v.playedValue));
        if (i + 1 < analysis.values.size()) {
            const TMoveAnalysis& next = analysis.values[i + 1];
            const double nextForMover = next.white == v.white ? next.bestValue : -next.bestValue;
            EXPECT_EQ(v.playedValue, nextForMover) << "move " << v.number;
        } else {
            EXPECT_EQ(v.playedValue, v.white ? -recordedDifference : recordedDifference);
        }
    }
}

// Every move: the best is at least the played, the loss is their difference, and a move
// without loss is its own best.
void ExpectLossArithmetic(const TGameAnalysis& analysis) {
    double totals[2] = {0, 0};
    for (const TMoveAnalysis& v : analysis.values) {
        EXPECT_GE(v.bestValue, v.playedValue) << "move " << v.number;
        EXPECT_LE(std::abs(v.playedValue), 64) << "move " << v.number;
        EXPECT_LE(std::abs(v.bestValue), 64) << "move " << v.number;
        EXPECT_DOUBLE_EQ(v.loss, v.bestValue - v.playedValue) << "move " << v.number;
        EXPECT_EQ(v.best == v.played, v.loss == 0) << "move " << v.number;
        totals[v.white] += v.loss;
    }
    for (const bool white : {false, true}) {
        EXPECT_DOUBLE_EQ(analysis.totalLoss[white], totals[white]);
        const std::vector<int> costliest = analysis.Costliest(white, 3);
        for (std::size_t i = 0; i < costliest.size(); ++i) {
            const TMoveAnalysis& v = analysis.values[costliest[i] - 1];
            EXPECT_EQ(v.white, white);
            EXPECT_GT(v.loss, 0);
            if (i > 0) {
                EXPECT_LE(v.loss, analysis.values[costliest[i - 1] - 1].loss);
            }
        }
        // No move of the side is costlier than the first one named.
        for (const TMoveAnalysis& v : analysis.values) {
            if (v.white == white && !costliest.empty()) {
                EXPECT_LE(v.loss, analysis.values[costliest[0] - 1].loss);
            }
        }
    }
}

TEST(AnalysisValues, ExactValuesHoldThroughPassesToTheRecordedResult) {
    for (const TGame* game : {&GameWithLatePasses(), &GameWithManyPasses()}) {
        SCOPED_TRACE(game->record);
        const TGameAnalysis analysis = Analyse(*game, QuickSettings(14));
        EXPECT_EQ(analysis.exactFrom, 47);
        EXPECT_TRUE(analysis.Finished());
        EXPECT_EQ(FinalDifference(analysis.FinalBoard()), game->difference);
        ExpectExactValuesChain(analysis, game->difference);
        ExpectLossArithmetic(analysis);
        const std::string report = AnalysisReport(analysis);
        EXPECT_NE(report.find("exact from move 47 (14 empty squares)"), std::string::npos);
        const std::string result = (game->difference >= 0 ? "(black +" : "(black ") +
                                   std::to_string(game->difference) + ", empty squares";
        EXPECT_NE(report.find(result), std::string::npos) << report;
    }
}

TEST(AnalysisValues, TheEnginesSearchReadToTheEndCountsDiscsAsTheSolverDoes) {
    // From move 50 the engine's search reads to the end of the game and scores finished games
    // in discs: its values are taken as they are, and match the exact ones.
    const std::vector<TGame> games = SampleGames();
    for (std::size_t g = 0; g < 6; ++g) {
        SCOPED_TRACE(games[g].record);
        const TGameAnalysis estimated = Analyse(games[g], QuickSettings(0));
        const TGameAnalysis exact = Analyse(games[g], QuickSettings(10));
        ASSERT_EQ(estimated.values.size(), exact.values.size());
        for (std::size_t i = 50; i < exact.values.size(); ++i) {
            EXPECT_FALSE(estimated.values[i].exact);
            ASSERT_TRUE(exact.values[i].exact);
            EXPECT_EQ(estimated.values[i].playedValue, exact.values[i].playedValue) << i + 1;
            EXPECT_EQ(estimated.values[i].bestValue, exact.values[i].bestValue) << i + 1;
        }
    }
}

TEST(AnalysisValues, AWipeOutIsWorthAllSixtyFourDiscs) {
    const TGameAnalysis analysis = Analyse(kWipeOut, QuickSettings(20));
    EXPECT_EQ(analysis.exactFrom, 0);
    ASSERT_EQ(analysis.values.size(), 11u);
    const TMoveAnalysis& last = analysis.values.back();
    EXPECT_FALSE(last.white);
    EXPECT_EQ(last.playedValue, 64);
    EXPECT_EQ(last.loss, 0);
    // White's last move let black take every disc; the search sees it.
    EXPECT_EQ(analysis.values[9].playedValue, -64);
    EXPECT_EQ(FinalDifference(analysis.FinalBoard()), 64);
    ExpectLossArithmetic(analysis);
}

// The tags of a page, each opened one closed in order (the void elements excepted). The
// text of scripts and styles is not markup and is skipped.
void ExpectBalancedTags(const std::string& html) {
    static const std::set<std::string> voidElements = {"meta", "br", "input", "img", "link"};
    std::vector<std::string> open;
    std::size_t at = 0;
    while ((at = html.find('<', at)) != std::string::npos) {
        const std::size_t end = html.find('>', at);
        ASSERT_NE(end, std::string::npos) << "a tag is never ended";
        const std::string tag = html.substr(at + 1, end - at - 1);
        at = end + 1;
        if (tag.empty() || tag[0] == '!') continue;  // the document type
        const bool closing = tag[0] == '/';
        const std::size_t nameStart = closing ? 1 : 0;
        std::size_t nameEnd = nameStart;
        while (nameEnd < tag.size() && std::isalnum(static_cast<unsigned char>(tag[nameEnd])))
            ++nameEnd;
        const std::string name = tag.substr(nameStart, nameEnd - nameStart);
        ASSERT_FALSE(name.empty()) << "<" << tag << ">";
        if (closing) {
            ASSERT_FALSE(open.empty()) << "</" << name << "> closes nothing";
            ASSERT_EQ(open.back(), name) << "</" << name << "> closes <" << open.back() << ">";
            open.pop_back();
        } else if (tag.back() != '/' && !voidElements.count(name)) {
            open.push_back(name);
            if (name == "script" || name == "style") {
                at = html.find("</" + name + ">", at);
                ASSERT_NE(at, std::string::npos) << "<" << name << "> is never closed";
            }
        }
    }
    EXPECT_TRUE(open.empty()) << "<" << open.back() << "> is never closed";
}

// The cache keeps the page just written and the newest others by their times, whatever their
// names say (here the times run against the names, as after the clock was set back); a file
// of another name never goes.
TEST(AnalysisPage, TheCacheKeepsItsNewestPagesAndNoOtherFileGoes) {
    namespace fs = std::filesystem;
    char name[] = "/tmp/tolvaney-pages-XXXXXX";
    const fs::path folder = ::mkdtemp(name);
    std::set<fs::path> kept;
    const auto put = [&](const fs::path& file, int hoursOld, bool stays) {
        std::ofstream(folder / file) << "page";
        fs::last_write_time(folder / file,
                            fs::file_time_type::clock::now() - std::chrono::hours(hoursOld));
        if (stays) kept.insert(folder / file);
    };
    for (const char* other :
         {"analysis-notes.html", "notes.txt", "analysis-20261210-101010-000.htm"})
        put(other, 200, true);
    const auto now = std::chrono::system_clock::now();
    for (int i = 0; i <= KEPT_ANALYSIS_PAGES + 5; ++i)
        put(AnalysisPageName(now + std::chrono::minutes(i)), i, i < KEPT_ANALYSIS_PAGES - 1);
    const std::string written = AnalysisPageName(now + std::chrono::minutes(99));
    put(written, 99, true);
    RemoveOldAnalysisPages(folder / written);
    EXPECT_EQ(std::set<fs::path>(fs::directory_iterator(folder), {}), kept);
    fs::remove_all(folder);
}

TEST(AnalysisPage, IsOneWellFormedPageWithEveryMoveAndNothingFromOutside) {
    const TGameAnalysis analysis = Analyse(GameWithManyPasses(), QuickSettings(14));
    const std::string page = AnalysisPage(analysis);
    ASSERT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    ExpectBalancedTags(page);
    for (std::size_t i = 0; i < page.size(); ++i)
        if (page[i] == '\n') {
            ASSERT_TRUE(i > 0 && page[i - 1] == '\r') << "line ends CR LF";
        }
    for (const char* outside : {"http:", "https:", "src=", "<link", "@import", "url("})
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    for (const TMoveAnalysis& v : analysis.values) {
        const std::string n = std::to_string(v.number);
        EXPECT_NE(page.find("id=\"board-" + n + "\""), std::string::npos) << n;
        EXPECT_NE(page.find("id=\"row-" + n + "\""), std::string::npos) << n;
        EXPECT_NE(
            page.find("Move " + n + ": " + (v.white ? "white " : "black ") + SquareName(v.played)),
            std::string::npos)
            << n;
    }
    EXPECT_NE(page.find("id=\"board-0\""), std::string::npos);
    EXPECT_EQ(page.find("id=\"board-" + std::to_string(analysis.values.size() + 1) + "\""),
              std::string::npos);
    // The chart: one mark for each of the costliest moves, and the exact part shaded.
    const std::size_t marks =
        analysis.Costliest(false, 3).size() + analysis.Costliest(true, 3).size();
    std::size_t found = 0;
    for (std::size_t at = page.find("class=\"mark "); at != std::string::npos;
         at = page.find("class=\"mark ", at + 1))
        ++found;
    EXPECT_EQ(found, marks);
    EXPECT_NE(page.find("exact from move 47"), std::string::npos);
    EXPECT_NE(page.find(" passes"), std::string::npos);
}

// Over whole games the chart plots the values the table lists, row by row, and a loss is in
// tenths when estimated and in whole discs when exact, on the page and in the report alike.
TEST(AnalysisPage, TheChartPlotsTheTablesValuesAndLossesShowTheirKind) {
    const std::regex value(R"re(<tr[^>]*>(?:<td>[^<]*</td>){4}<td>([^<]*)</td>)re"),
        point(R"(([\d.]+),([\d.]+) )"), loss(R"(loss ([\d.]+)(?:, | &middot; | )(\w+))"),
        axis(R"re(y1="([\d.]+)"[^>]*class="(?:rule|zero)"/><text[^>]*>([-+]\d+)<)re"),
        whole("\\d+"), tenths("\\d+\\.\\d");
    const auto all = [](const std::string& text, const std::regex& r) {
        return std::vector<std::smatch>(std::sregex_iterator(text.begin(), text.end(), r), {});
    };
    for (const int g : {1, 2, 3, 166}) {  // a side's total mixes both there: tenths
        const TGameAnalysis analysis = Analyse(SampleGames()[g], QuickSettings(8));
        const std::string page = AnalysisPage(analysis), text = page + AnalysisReport(analysis);
        const auto rows = all(page, value), at = all(page, point), axes = all(page, axis);
        ASSERT_TRUE(rows.size() == analysis.values.size() && at.size() == rows.size() + 1);
        const double y0 = std::stod(axes[0][1]), v0 = std::stod(axes[0][2]),
                     perPixel = (std::stod(axes.back()[2]) - v0) / (std::stod(axes.back()[1]) - y0);
        for (std::size_t n = 1; n < at.size(); ++n)
            EXPECT_NEAR(v0 + (std::stod(at[n][2]) - y0) * perPixel, std::stod(rows[n - 1][1]), 0.15)
                << n;
        for (const std::smatch& m : all(text, loss))
            EXPECT_TRUE(regex_match(m.str(1), m[2] == "exact" ? whole : tenths)) << m[0];
    }
}

// The numbers of a text in order, signs and decimals included.
std::vector<std::string> NumbersOf(const std::string& text) {
    std::vector<std::string> numbers;
    for (std::size_t i = 0; i < text.size();) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() &&
               (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.'))
            ++end;
        const bool sign = i > 0 && (text[i - 1] == '-' || text[i - 1] == '+');
        numbers.push_back(text.substr(sign ? i - 1 : i, end - i + sign));
        i = end;
    }
    return numbers;
}

TEST(AnalysisLanguages, JapaneseTellsEveryNumberOfTheEnglishInTheSameOrder) {
    const std::vector<TGame> games = SampleGames();
    for (const TGame* game : {&GameWithManyPasses(), &GameWithLatePasses(), &games[7], &kWipeOut}) {
        SCOPED_TRACE(game->record);
        const TGameAnalysis analysis = Analyse(*game, QuickSettings(14));
        const std::string english = AnalysisReport(analysis);
        const std::string japanese = AnalysisReport(analysis, TAnalysisLanguage::Japanese);
        EXPECT_GT(NumbersOf(english).size(), 6 * analysis.values.size());
        EXPECT_EQ(NumbersOf(japanese), NumbersOf(english));
        const std::string page = AnalysisPage(analysis, TAnalysisLanguage::Japanese);
        EXPECT_EQ(NumbersOf(page), NumbersOf(AnalysisPage(analysis)));
        EXPECT_NE(page.find("<html lang=\"ja\">"), std::string::npos);
        for (const char* word : {"black", "white", "loss", "estimate", "move"}) {
            EXPECT_EQ(japanese.find(word), std::string::npos) << word;
            EXPECT_NE(english.find(word), std::string::npos) << word;
        }
        for (const char* word : {"黒", "白", "損失", "推定", "手目"})
            EXPECT_NE(japanese.find(word), std::string::npos) << word;
    }
}

TEST(AnalysisLanguages, TheLocaleChoosesJapaneseByItsFirstSetVariable) {
    struct TCase {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        TAnalysisLanguage language;
    };
    const auto ja = TAnalysisLanguage::Japanese, en = TAnalysisLanguage::English;
    const TCase cases[] = {
        {nullptr, nullptr, "ja_JP.UTF-8", ja},
        {nullptr, nullptr, "en_GB.UTF-8", en},
        {nullptr, nullptr, nullptr, en},
        {"C", nullptr, "ja_JP.UTF-8", en},
        {"", "ja_JP", "C", ja},
        {nullptr, "", "ja", ja},
        {"ja_JP.UTF-8", "C", "C", ja},
        {nullptr, "de_DE", "ja_JP", en},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(LanguageOfLocale(c.lcAll, c.lcMessages, c.lang), c.language)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
}

// A position alone is valued as the analysis values it before each move of the game, and the
// move it names is worth that value, as the analysis finds when that move is played.
TEST(AnalysisValues, APositionAloneIsValuedAsInTheGame) {
    struct TCase {
        const TGame* game;
        uint8_t level;
        uint8_t thinkType;
    };
    const std::vector<TGame> games = SampleGames();
    const TCase cases[] = {
        {&GameWithManyPasses(), 2, 3}, {&GameWithLatePasses(), 4, 3}, {&games[11], 3, 4}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.game->record);
        TAnalysisSettings settings = QuickSettings(14);
        settings.gameLevel = c.level;
        settings.thinkType = c.thinkType;
        const TGameAnalysis analysis = Analyse(*c.game, settings);
        for (const TRecordMove& move : analysis.moves) {
            const TMoveAnalysis& v = analysis.values[move.number - 1];
            const TPositionValue position = ValuePosition(move.before, move.white, settings);
            ASSERT_EQ(position.value, v.bestValue) << "move " << move.number;
            EXPECT_EQ(position.exact, v.exact);
            TRecordMove best = move;
            best.square = position.best;
            best.after = BitsAfterMove(move.before, position.best, move.white).after;
            EXPECT_EQ(AnalyseGame({best}, settings).values[0].playedValue, v.bestValue)
                << "move " << move.number << " " << SquareName(position.best);
            // Every move valued, best first: the best is the position's value, the move
            // played is worth what the analysis found for it.
            const std::vector<TMoveValue> all = ValueMoves(move.before, move.white, settings);
            const TDiscs& b = move.before;
            const uint64_t legal =
                move.white ? LegalMovesOf(b.white, b.black) : LegalMovesOf(b.black, b.white);
            EXPECT_EQ(all.size(), std::popcount(legal));
            EXPECT_EQ(all.front().value, position.value);
            EXPECT_TRUE(std::is_sorted(all.begin(), all.end(),
                                       [](auto& a, auto& b) { return a.value > b.value; }));
            for (const TMoveValue& each : all) {
                if (each.square == move.square) {
                    EXPECT_EQ(each.value, v.playedValue);
                }
            }
            if (move.passFollows) {
                EXPECT_THROW(ValuePosition(move.after, !move.white, settings), EEngineError);
            }
        }
    }
}

// Threads that each take the next position, with searches of their own, give what one thread
// gives to the last bit, with the engine's estimates and the advice's, and exact values from
// far enough out for the advice to order the solver's moves.
TEST(AnalysisValues, ThreadsGiveWhatOneThreadGives) {
    TAnalysisSettings advice = QuickSettings(16);
    advice.advice =
        TAdviceWeights::Load(std::string(TOLVANEY_RESOURCES) + "/" + ADVICE_WEIGHTS_FILE);
    advice.adviceDepth = 4;
    const std::vector<TGame> games = SampleGames();
    for (TAnalysisSettings settings : {QuickSettings(14), advice}) {
        for (const TGame* game : {&games[3], &games[7], &games[11], &games[19], &games[23],
                                  &GameWithLatePasses(), &GameWithManyPasses()}) {
            settings.threads = 1;
            const TGameAnalysis one = Analyse(*game, settings);
            settings.threads = 3;
            const TGameAnalysis three = Analyse(*game, settings);
            ASSERT_EQ(one.values.size(), three.values.size());
            for (std::size_t i = 0; i < one.values.size(); ++i) {
                const TMoveAnalysis &a = one.values[i], &b = three.values[i];
                EXPECT_TRUE(a.number == b.number && a.best == b.best && a.exact == b.exact &&
                            a.playedValue == b.playedValue && a.bestValue == b.bestValue &&
                            a.loss == b.loss)
                    << game->record << ", move " << a.number;
            }
            EXPECT_EQ(one.exactFrom, three.exactFrom);
            // The moves of the first exact position, each solved on a thread of its own.
            const TRecordMove& first = one.moves.at(one.exactFrom - 1);
            settings.threads = 1;
            const std::vector<TMoveValue> alone = ValueMoves(first.before, first.white, settings);
            settings.threads = 3;
            const std::vector<TMoveValue> shared = ValueMoves(first.before, first.white, settings);
            ASSERT_EQ(alone.size(), shared.size());
            for (std::size_t i = 0; i < alone.size(); ++i)
                EXPECT_TRUE(alone[i].square == shared[i].square &&
                            alone[i].value == shared[i].value);
            EXPECT_EQ(one.totalLoss[0], three.totalLoss[0]);
            EXPECT_EQ(one.totalLoss[1], three.totalLoss[1]);
        }
    }
}

TEST(AnalysisValues, AStoppedAnalysisSaysSoAtOnce) {
    std::string error;
    const auto moves = ReplayRecord(GameWithLatePasses().record, error);
    ASSERT_TRUE(moves) << error;
    std::atomic<bool> stop = true;
    TAnalysisSettings settings = QuickSettings(14);
    settings.stop = &stop;
    EXPECT_THROW(AnalyseGame(*moves, settings), ESearchStopped);
    EXPECT_THROW(ValuePosition(moves->front().before, false, settings), ESearchStopped);
    // Stopped between moves: the analysis goes no further.
    stop = false;
    int done = 0;
    EXPECT_THROW(AnalyseGame(*moves, settings,
                             [&](int move, int) {
                                 done = move;
                                 stop = move == 50;
                             }),
                 ESearchStopped);
    EXPECT_EQ(done, 50);
    // Stopped inside a solve that would take hours: the solver gives up.
    stop = false;
    settings.exactEmpties = MAX_EXACT_EMPTIES;
    const std::vector<TRecordMove> late(moves->begin() + 30, moves->end());
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        stop = true;
    });
    EXPECT_THROW(AnalyseGame(late, settings), ESearchStopped);
    stopper.join();
}

}  // namespace
