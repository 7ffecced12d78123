// Typed numbers: the pattern editor's value and stage boxes, the target of "学習２" and the
// lines of the results file all read a signed 32-bit decimal. The reading must accept
// exactly an optional minus sign and digits whose value fits, and give that value.
#include <algorithm>
#include <climits>
#include <string>

#include "FuzzCheck.h"
#include "engine/untTextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // The plain reading, digit by digit, the value held once it is far too large to fit.
    const bool negative = !text.empty() && text[0] == '-';
    const std::string digits = text.substr(negative ? 1 : 0);
    constexpr double kFarTooLarge = 1e12;
    bool wellFormed = !digits.empty();
    double value = 0;
    for (const char c : digits) {
        wellFormed = wellFormed && c >= '0' && c <= '9';
        value = std::min(value * 10 + (c - '0'), kFarTooLarge);
    }
    if (negative) value = -value;
    const bool fits = wellFormed && value >= INT32_MIN && value <= INT32_MAX;

    int32_t parsed = 12345;
    const bool accepted = ParseInt32(text, parsed);
    FUZZ_CHECK(accepted == fits);
    FUZZ_CHECK(accepted ? parsed == value : parsed == 12345);
    return 0;
}
