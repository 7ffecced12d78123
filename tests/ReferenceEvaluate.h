#pragma once

#include <cstdint>

#include "engine/untKyokumen.h"

// The hand-tuned evaluation written out plainly, step after step, with squares by name
// and the features counted by the simplest loops. It is the yardstick the engine's
// table-driven evaluation is compared with over many positions; it sets the disc counts
// like the real one and draws the same random numbers in the same order.
int16_t ReferenceEvaluate(TKyokumen& k);
