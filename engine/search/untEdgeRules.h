#pragma once

#include <cstdint>
#include <vector>

// The edge rules of the type B evaluation. An edge is read as eight squares from one
// corner (square 0) to the other (square 7); its index adds 2^i for a white disc on
// square i and 1000 * 2^i for a black one. A rule gives one index its value.
struct TEdgeRule {
    uint32_t index;
    double value;
};

// The whole rule list in the order it is applied (a later rule for the same index wins).
// Every rule comes with the same edge read from the other corner (same value) and with
// the colours exchanged (value negated).
const std::vector<TEdgeRule>& EdgeRules();

// The index of an edge drawn as eight characters from square 0: 'O' white, 'X' black,
// '.' empty.
uint32_t EdgeIndexOf(const char* picture);

// The same edge read from the other corner, and with the colours exchanged.
uint32_t MirroredEdgeIndex(uint32_t index);
uint32_t ColourSwappedEdgeIndex(uint32_t index);
