#include "engine/untGameRecord.h"

#include "engine/untSquareNames.h"

std::optional<std::string> GameRecordText(const uint8_t (&record)[GAME_RECORD_SIZE]) {
    std::string text;
    for (int n = 1; n <= 60 && record[n] != 0; ++n) {
        if (record[n] <= 10) return std::nullopt;
        // The tens digit becomes the column letter, the units digit stays as the row.
        const int square = record[n];
        text += static_cast<char>('h' - (square / 10 - 1));
        text += static_cast<char>('0' + square % 10);
    }
    return text;
}
