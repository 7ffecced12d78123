#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/untBoard_Data.h"

// The four edges, each read from one corner to the next (see EdgeSquares).
enum class TEdge : uint8_t { Row1, ColumnH, Row8, ColumnA };
// The four corners, in the order the evaluations visit them.
enum class TCorner : uint8_t { H1, H8, A1, A8 };

struct TPatternInstance;
struct TPatternIndexes;

inline constexpr int PATTERN_KINDS = 7;       // kind 0 is unused; 1..6 are the pattern kinds
inline constexpr int PATTERN_INDICES = 6561;  // 3^8 configurations of eight squares
inline constexpr int STAGES = 3;              // moves 1-20, 21-40, 41-60
using TPatternTable =
    std::array<std::array<std::array<int32_t, STAGES>, PATTERN_INDICES>, PATTERN_KINDS>;

inline constexpr int SNAPSHOTS = 16;            // Boards[0..15]
inline constexpr int STACK_LEVELS = 15;         // levels 1..15 are Boards[0..14]
inline constexpr int TAKE_BACK_BOARD = 15;      // Boards[15] holds the take-back copy
inline constexpr int KEY_TABLE_SIZE = 65536;    // indexed by the low 16 bits of a key
inline constexpr int PLY_SLOTS = 21;            // per-ply tables of the searches, plies 0..20
inline constexpr uint32_t NODE_LIMIT = 800000;  // positions one computer move may generate
// The value of a position where black has no disc left, for white; -WIPE_OUT where white has
// none. Larger than any disc difference, so that a wipe-out outweighs every other outcome.
inline constexpr int16_t WIPE_OUT = 9999;

// The engine of one game: the game position, the stack of position snapshots on which moves
// are played and searched, the game's settings, the counters the window shows, and the
// data of evaluation and search. Its fields are read and written directly by the window.
//
// The game board is Boards[0] (stack level 1). Playing a move pushes a level: the parent
// snapshot is copied into the next one and the disc is played there. A game move is
// played at level 2 and committed back into Boards[0]; a search nests at most 14 moves
// above the game board. Boards[15] keeps the game board as it was before the human's
// last move, for take-back.
class TKyokumen {
public:
    // An engine drawing from the program-wide generator, for the game's window and
    // single-threaded programs.
    TKyokumen();
    // An engine drawing its position keys, its evaluation noise and its random moves from the
    // generator, which must outlive it.
    explicit TKyokumen(TRandom& generator);
    virtual ~TKyokumen() = default;
    TKyokumen(const TKyokumen&) = delete;
    TKyokumen& operator=(const TKyokumen&) = delete;

    // --- Board geometry: the eight directions and the square list every scan uses.
    int16_t DirX[9] = {};
    int16_t DirY[9] = {};
    uint8_t SquareOrder[65] = {};
    uint8_t CornerFirstOrder[65] = {};  // the searches' visiting order: corners first

    // --- Where the position keys, the evaluation noise and the random moves are drawn.
    TRandom& Generator;

    // --- Position keys remembered by the type D search, by the low 16 bits of the key.
    std::vector<uint64_t> KeyTable;

    // --- The game's settings, fixed for the whole game.
    uint8_t GameLevel = 2;  // 1 random, 2 初級, 3 中級, 4 上級
    uint8_t Placement = 1;  // initial placement 1..4
    uint8_t ThinkType = 1;  // thinking type 1..4 (A..D)

    // --- The snapshot stack and the game position.
    TBoard_Data Boards[SNAPSHOTS];
    uint8_t BlackCount = 2;  // discs on the current snapshot, as the last evaluation counted
    uint8_t WhiteCount = 2;
    uint8_t StackDepth = 1;               // current stack level, 1..15
    TBoard_Data* CurrentBoard = nullptr;  // always &Boards[StackDepth - 1]
    int16_t MoveNumber = 0;               // moves played since the initial position
    int16_t SavedMoveNumber = 0;          // MoveNumber before the human's last move
    bool WhiteOut = false;                // white has no disc left (or no move at all)
    bool BlackOut = false;                // black has no disc left
    bool WhiteToMove = false;             // the side of every scan: false = black moves

    // --- What the computer's turn reports to the window.
    bool ShowComment = true;   // copy ThinkComment into the window caption after a turn
    std::string ThinkComment;  // how the move was chosen (UTF-8)
    uint32_t EvalCount = 0;    // positions generated during one computer turn
    uint8_t ChosenMove = 0;    // square chosen for the computer, 0 = none

    // --- Pattern values of the pattern evaluation, shared with the pattern editor.
    std::shared_ptr<TPatternTable> PatternWeights;

    // --- The search in progress: its ply, depth limit, line and per-ply bounds.
    int8_t SearchPly = 0;               // ply of the node being searched; 0 before the root
    int8_t MaxPly = 0;                  // depth limit in plies
    uint8_t Tejun[PLY_SLOTS] = {};      // Tejun[d] is the square played at ply d of the line
    int16_t PlyMax[PLY_SLOTS] = {};     // largest child value at ply d; 0 = none yet
    int16_t PlyMin[PLY_SLOTS] = {};     // smallest child value at ply d; 0 = none yet
    double PlyMaxReal[PLY_SLOTS] = {};  // the same for the real-valued search
    double PlyMinReal[PLY_SLOTS] = {};
    int8_t PlyMobility[PLY_SLOTS] = {};  // capped move count at ply d, negative for black
    int16_t BestValue = 0;               // best root value so far (searches A, C and D)
    double BestValueReal = 0;            // best root value so far (search B)
    int32_t ChosenValue = 0;             // value of the chosen move (searches A and C)
    uint8_t EdgeRunsWhite = 0;           // five-disc edge runs seen by one type B evaluation
    uint8_t EdgeRunsBlack = 0;

    // Board set-up.
    void Reset();
    void SetPlacement2();
    void SetPlacement3();
    void SetPlacement4();

    // Moves, passes and undo.
    bool IsLegal(uint8_t square) const;
    bool HasLegalMove() const;
    void MakeMove(uint8_t square);
    // MakeMove for a position that is only evaluated (a leaf of a search): only the bit sets
    // of the next snapshot are written, not its cells, key or pass marker. Returns the
    // squares that changed (the placed disc and the turned ones); undone by UndoMove.
    uint64_t MakeMoveOnBits(uint8_t square) {
        if (StackDepth >= STACK_LEVELS) StackFull();
        const TMoveBits move = BitsAfterMove(CurrentBits(), square, WhiteToMove);
        ++MoveNumber;
        ++StackDepth;
        CurrentBoard = &Boards[StackDepth - 1];
        // Field by field: a copy of the whole pair would go through the stack and stall
        // on reading back the two halves just written.
        CurrentBoard->Bits.black = move.after.black;
        CurrentBoard->Bits.white = move.after.white;
        return move.changed;
    }
    void UndoMove() {
        if (StackDepth <= 1) NothingToUndo();
        --MoveNumber;
        --StackDepth;
        CurrentBoard = &Boards[StackDepth - 1];
    }
    int16_t Commit();
    void RestoreTakeBack();
    void SwitchSide() { WhiteToMove = !WhiteToMove; }
    void CheckWhiteOut() { WhiteOut = WhiteCount == 0; }
    void CheckBlackOut() { BlackOut = BlackCount == 0; }
    void CountDiscs();  // recounts BlackCount and WhiteCount on the current snapshot
    static void CopyCells(const TBoard_Data& source, TBoard_Data& target);
    static void CopyKey(const TBoard_Data& source, TBoard_Data& target);
    static void SplitSquare(uint8_t square, uint8_t& x, uint8_t& y);

    // Edge and frontier features of the current snapshot.
    uint8_t OpenNeighbours(uint8_t square) const;
    uint8_t CornerExposure(TEdge edge, uint8_t colour) const;
    uint8_t CornerRun(TCorner corner, uint8_t colour) const;
    uint8_t FullEdgeCount(TEdge edge, uint8_t colour) const;

    // Pattern values: the six tables' texts (TEXTDATA1..6) are loaded into PatternWeights;
    // a bad or missing entry stops the loading with an EEngineError naming the table and
    // line, and the entries not yet loaded stay 0.
    void LoadPatternWeights(const std::array<std::string_view, 6>& tableTexts);
    // One kind's table in the file format: 19,683 lines, stage by stage, CR LF after each.
    std::string PatternFileText(int kind) const;
    // Writes 学習_k.dat into the folder, replacing it whole or not at all.
    void SavePatternFile(int kind, const std::filesystem::path& folder = ".") const;
    // The learning step: moves one value by delta, kept within -20..+20; index 0 never moves.
    void AdjustPatternValue(uint8_t kind, int32_t delta, uint8_t stage, uint16_t index);
    // The base-3 index of a pattern instance on the current snapshot.
    uint16_t PatternIndex(const TPatternInstance& instance) const;
    // One learning pass: each of the 22 instances' values moves one step towards making
    // EvaluatePatterns of the current snapshot equal ChosenValue.
    void LearnPatterns();

    // The evaluations of the current snapshot, from white's point of view. Each recounts
    // BlackCount and WhiteCount.
    int16_t Evaluate();          // the hand-tuned rules
    int32_t EvaluatePatterns();  // fewer rules plus the 22 pattern values
    // The same with the instances' indexes known (the type C search keeps them move by move).
    int32_t EvaluatePatterns(const TPatternIndexes& indexes);
    int16_t EvaluateD();                     // the hand-tuned rules retuned for thinking type D
    double EvaluateB();                      // the real-valued evaluation of thinking type B
    double EdgeValue(uint32_t edgeIndex);    // one edge's value inside EvaluateB
    uint8_t Exposure(uint8_t square) const;  // open or opponent neighbours of a disc (type B)
    int EmptyPull(uint8_t square) const;     // white minus black orthogonal neighbours

    // Move choice and the four searches. ChooseMove leaves the computer's move in
    // ChosenMove and its explanation in ThinkComment; the position is left as it was.
    void ChooseMove();
    // The thinking type's search from the current position for white, to the given depth,
    // from an empty line and per-ply values: its move in ChosenMove (unchanged when it finds
    // none), its value in BestValue (BestValueReal for type B).
    void SearchToDepth(int depth);
    int16_t SearchA();  // minimax on Evaluate
    int32_t SearchC();  // minimax on EvaluatePatterns
    int16_t SearchD();  // minimax on EvaluateD with mobility terms and position keys
    double SearchB();   // real-valued minimax on EvaluateB with mobility terms

    uint8_t MoverColour() const { return WhiteToMove ? WHITE : BLACK; }

    // The discs of the current snapshot as bit sets: kept by MakeMove above the game board,
    // read from the cells on the game board itself.
    TBitBoard CurrentBits() const {
        return StackDepth > 1 ? CurrentBoard->Bits : BitsOf(CurrentBoard->Cells);
    }

private:
    // Every snapshot draws its key numbers from the generator in turn, the game board first.
    template <std::size_t... Snapshot>
    TKyokumen(TRandom& generator, std::index_sequence<Snapshot...>)
        : Generator(generator), Boards{((void)Snapshot, TBoard_Data(generator))...} {}
    void SetCentre(uint8_t d4, uint8_t e4, uint8_t d5, uint8_t e5);
    [[noreturn]] static void StackFull();      // a move at stack level 15
    [[noreturn]] static void NothingToUndo();  // an undo at stack level 1
};
