#include "protocol/untGtpProtocol.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <stdexcept>

#include "engine/untSquareNames.h"
#include "protocol/untProtocolWords.h"

namespace {

constexpr int kBoardSize = 8;

// A command the engine cannot carry out; its message is the answer after "? ".
class EGtpRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A line as GTP reads it: a comment from '#' left out, control characters other than tabs
// dropped, tabs read as spaces.
std::string Cleaned(std::string_view line) {
    std::string cleaned;
    for (const char c : line.substr(0, line.find('#'))) {
        if (c == '\t')
            cleaned += ' ';
        else if (static_cast<unsigned char>(c) >= ' ' && c != '\x7f')
            cleaned += c;
    }
    return cleaned;
}

bool ColourOf(std::string_view word) {
    const std::string colour = Lower(word);
    if (colour == "b" || colour == "black") return false;
    if (colour == "w" || colour == "white") return true;
    throw EGtpRefusal("invalid color");
}

uint8_t VertexOf(std::string_view word) {
    const std::string vertex = Lower(word);
    if (vertex == "pass") return PASS;
    const std::optional<uint8_t> square = SquareFromName(vertex);
    if (!square) throw EGtpRefusal("invalid coordinate");
    return *square;
}

std::string VertexName(uint8_t square) {
    return square == PASS ? "pass" : Upper(SquareName(square));
}

void NeedArguments(const std::vector<std::string_view>& args, std::size_t count) {
    if (args.size() != count) throw EGtpRefusal("syntax error");
}

}  // namespace

const std::vector<std::string_view>& TGtpProtocol::Commands() {
    static const std::vector<std::string_view> commands = {
        "protocol_version", "name",        "version",    "known_command", "list_commands", "quit",
        "boardsize",        "clear_board", "komi",       "play",          "genmove",       "undo",
        "showboard",        "final_score", "list_games", "set_game"};
    return commands;
}

bool TGtpProtocol::HandleLine(std::string_view line, std::ostream& out) {
    const std::string cleaned = Cleaned(line);
    std::vector<std::string_view> words = Words(cleaned);
    if (words.empty()) return true;
    std::string id;
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    if (std::all_of(words[0].begin(), words[0].end(), digit)) {
        id = std::string(words[0]);
        words.erase(words.begin());
    }
    if (words.empty()) {
        out << "?" << id << " no command\n\n" << std::flush;
        return true;
    }
    const std::string_view command = words[0];
    words.erase(words.begin());
    try {
        const std::string answer = Answer(command, words);
        out << "=" << id << (answer.empty() ? "" : " ") << answer << "\n\n";
    } catch (const std::exception& error) {
        out << "?" << id << " " << error.what() << "\n\n";
    }
    out << std::flush;
    return command != "quit";
}

std::string TGtpProtocol::Answer(std::string_view command,
                                 const std::vector<std::string_view>& args) {
    if (command == "protocol_version") return "2";
    if (command == "name") return "Tolvaney";
    if (command == "version") return TOLVANEY_VERSION;
    if (command == "known_command") {
        NeedArguments(args, 1);
        const auto& known = Commands();
        return std::find(known.begin(), known.end(), args[0]) != known.end() ? "true" : "false";
    }
    if (command == "list_commands") {
        std::string list;
        for (const std::string_view name : Commands())
            list += (list.empty() ? "" : "\n") + std::string(name);
        return list;
    }
    if (command == "quit") return "";
    if (command == "boardsize") {
        NeedArguments(args, 1);
        if (WholeNumberOf(args[0]) != kBoardSize) throw EGtpRefusal("unacceptable size");
        return "";
    }
    if (command == "clear_board") {
        session_.NewGame(TGameState());
        return "";
    }
    if (command == "komi") {
        NeedArguments(args, 1);
        double komi = 0;
        const auto [end, error] =
            std::from_chars(args[0].data(), args[0].data() + args[0].size(), komi);
        if (error != std::errc() || end != args[0].data() + args[0].size())
            throw EGtpRefusal("syntax error");
        return "";  // a handicap in discs has no place in this game
    }
    if (command == "play") return Play(args);
    if (command == "genmove") return GenMove(args);
    if (command == "undo") {
        if (!session_.Undo()) throw EGtpRefusal("cannot undo");
        return "";
    }
    // Board-game front ends ask which games an engine plays before they offer it for one.
    if (command == "list_games") return "Othello";
    if (command == "set_game") {
        NeedArguments(args, 1);
        const std::string game = Lower(args[0]);
        if (game != "othello" && game != "reversi") throw EGtpRefusal("unsupported game");
        return "";
    }
    if (command == "showboard") return ShowBoard();
    if (command == "final_score") return FinalScoreText();
    throw EGtpRefusal("unknown command");
}

std::string TGtpProtocol::Play(const std::vector<std::string_view>& args) {
    NeedArguments(args, 2);
    const bool white = ColourOf(args[0]);
    const std::string refused = session_.Play(white, VertexOf(args[1]));
    if (!refused.empty()) throw EGtpRefusal("illegal move: " + refused);
    return "";
}

std::string TGtpProtocol::GenMove(const std::vector<std::string_view>& args) {
    NeedArguments(args, 1);
    const bool white = ColourOf(args[0]);
    const TGameState& game = session_.Game();
    if (game.Over()) {
        session_.Play(white, PASS);  // a closing pass, played as the other passes are
        return "pass";
    }
    if (white != game.WhiteToMove()) {
        if (!game.MustPass())
            throw EGtpRefusal(std::string("it is ") + (white ? "black" : "white") + "'s turn");
        session_.Play(game.WhiteToMove(), PASS);  // the side to move had to pass
    }
    return VertexName(session_.PlayComputerMove().square);
}

std::string TGtpProtocol::ShowBoard() const {
    const TGameState& game = session_.Game();
    const TDiscs& discs = game.Discs();
    std::string board = "\n   a b c d e f g h\n";
    for (char row = '1'; row <= '8'; ++row) {
        board += std::string(" ") + row;
        for (char column = 'a'; column <= 'h'; ++column) {
            const uint64_t mask = MaskOf(*SquareFromName(std::string{column, row}));
            board += (discs.black & mask) ? " X" : (discs.white & mask) ? " O" : " .";
        }
        board += std::string(" ") + row + "\n";
    }
    board += "   a b c d e f g h\n";
    board += game.Over() ? "game over" : game.WhiteToMove() ? "white to move" : "black to move";
    return board;
}

std::string TGtpProtocol::FinalScoreText() const {
    if (!session_.Game().Over()) throw EGtpRefusal("the game is not over");
    const TDiscs& discs = session_.Game().Discs();
    const int black = ::FinalScore(discs.black, discs.white);
    if (black == 0) return "0";
    return (black > 0 ? "B+" : "W+") + std::to_string(std::abs(black));
}
