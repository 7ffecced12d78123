#pragma once

#include <cstdint>

#include "engine/untKyokumen.h"

// The three hand-tuned evaluations written out plainly, step after step, each step with
// the rule of every variant, squares by name and the features counted by the simplest
// loops. It is the yardstick the engine's table-driven evaluations are compared with over
// many positions; it sets the disc counts like the real ones and draws the same random
// numbers in the same order.
enum class TVariant { Evaluate, Patterns, EvaluateD };
int32_t ReferenceEvaluate(TKyokumen& k, TVariant variant = TVariant::Evaluate);

// The type B evaluation written out plainly, step by step, with Exposure and EmptyPull
// counted square by square. Edge values come from the engine's EdgeValue, whose rule list
// is tested on its own.
double ReferenceEvaluateB(TKyokumen& k);
