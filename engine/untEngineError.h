#pragma once

#include <stdexcept>

// The one exception type the engine throws. Its message names the failing operation,
// so the game controller can show it as it stands.
class EEngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
