#pragma once

#include "engine/eval/untEvalSquares.h"
#include "engine/eval/untEvalTerms.h"

// One edge rule or one corner rule summed over the four edges or corners of a board, as
// the evaluations add them (at weight 1, white's point of view).
inline int SumOverEdges(const uint8_t* cells, int (*rule)(const Features::TEdgeLine&)) {
    int sum = 0;
    for (const TEdge edge : kAllEdges)
        sum += rule(Features::LineOf(cells, edge));
    return sum;
}

inline int SumOverCorners(const uint8_t* cells, int (*rule)(const EvalTerms::TCornerContents&)) {
    int sum = 0;
    for (const TCorner corner : kAllCorners)
        sum += rule(EvalTerms::CornerOf(cells, corner));
    return sum;
}
