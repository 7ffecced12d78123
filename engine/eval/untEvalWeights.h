#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

// Weights of the hand-tuned evaluation terms. Most of them change with the move number
// in bands; each evaluation lists its bands in one function that returns the weights for
// one move number, and the engine reads them from a table built from that function at
// compile time.

// A band of move numbers ending at lastMove (inclusive) with its weight.
struct TBand {
    int lastMove;
    int weight;
};

// The weight of the first band that contains the move number; 0 after the last band.
constexpr int16_t ByMove(int mv, std::initializer_list<TBand> bands) {
    for (const TBand& band : bands)
        if (mv <= band.lastMove) return static_cast<int16_t>(band.weight);
    return 0;
}

// Weights at one move number. A weight of 0 switches its term off.
struct TEvalWeights {
    int16_t xSquareNextToEmptyCorner = 0;  // disc on an X square beside an empty corner
    int16_t xSquareOnLine = 0;             // X square played on the searched line
    int16_t loneXSquareOnLine = 0;         // the only X-square disc, just played at ply 1
    int16_t cornerOnLine[5] = {};          // corner played at ply 1..4 of the line (signed)
    int16_t cornerHeld = 0;                // corner held
    int16_t cSquareOnLine = 0;             // C square played on the searched line
    int16_t splitEdgeMiddle = 0;           // edge middle reading x o o x
    int16_t cornerNextToOpponentC = 0;     // own corner beside an opponent's C square
    int16_t cornerNextToEmptyC = 0;        // own corner beside an empty C square
    int16_t innerSquare = 0;               // white discs on the inner squares
    int16_t earlyEdgeMiddle = 0;           // discs on the middle four of an edge early on
    int16_t triangle = 0;                  // six squares along both edges of an empty corner
    int16_t cornerExposure = 0;            // an edge run that hands a corner to the opponent
    int16_t cornerRun = 0;                 // discs hanging on a corner along its edges
    int16_t fullEdge = 0;                  // discs on a completely filled edge
    int16_t wedge = 0;                     // X square inside the opponent's corner triangle
    int16_t cornerBlock = 0;               // corner with its C and X squares
    int16_t filledEdge = 0;                // L2..L7 of an edge in one colour
    int16_t loneCSquare = 0;               // C square not backed by the square beyond it
    int16_t fiveOnEdge = 0;                // five in a row on an edge with empty corners
    int16_t fourInEdgeMiddle = 0;          // the middle four alone on an edge
};

inline constexpr int LAST_MOVE = 60;

// The weights of each evaluation at every move number, built at compile time.
namespace EvalWeightTables {
extern const std::array<TEvalWeights, LAST_MOVE + 1> kEvaluate;
extern const std::array<TEvalWeights, LAST_MOVE + 1> kEvaluatePatterns;
extern const std::array<TEvalWeights, LAST_MOVE + 1> kEvaluateD;
}  // namespace EvalWeightTables

// The weights of each evaluation at a move number (move numbers outside 0..60 read the
// nearest one). Read at every leaf of a search, so defined here to be inlined.
inline int WeightRowOf(int mv) {
    return mv < 0 ? 0 : mv > LAST_MOVE ? LAST_MOVE : mv;
}
inline const TEvalWeights& EvaluateWeightsAt(int mv) {
    return EvalWeightTables::kEvaluate[WeightRowOf(mv)];
}
inline const TEvalWeights& EvaluatePatternsWeightsAt(int mv) {
    return EvalWeightTables::kEvaluatePatterns[WeightRowOf(mv)];
}
inline const TEvalWeights& EvaluateDWeightsAt(int mv) {
    return EvalWeightTables::kEvaluateD[WeightRowOf(mv)];
}
