// Game-record notation, the way the program reads and writes it: a record replayed with its
// passes inferred, the stricter record the learning command "学習３" takes, the record the
// analysis replays (which must read every game the others read, move for move), and the
// record written back from the moves. Whatever the text, each either reads a real game or names
// the first bad move; what reads back as a game writes back as the same text.
#include <string>

#include "FuzzCheck.h"
#include "analysis/untAnalysis.h"
#include "engine/untGameRecord.h"
#include "learn/untLearn.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    std::string error;
    const auto replayed = ReplayGameRecord(text, error);
    if (replayed) {
        FUZZ_CHECK(replayed->size() * 2 == text.size() && replayed->size() <= 60);
        uint8_t record[GAME_RECORD_SIZE] = {};
        for (std::size_t n = 0; n < replayed->size(); ++n)
            record[n + 1] = (*replayed)[n].square;
        FUZZ_CHECK(GameRecordText(record) == text);
        if (!text.empty()) {  // an empty record is no game to analyse
            std::string analysisError;
            const auto analysed = ReplayRecord(text, analysisError);
            FUZZ_CHECK(analysed && analysed->size() == replayed->size());
            for (std::size_t n = 0; n < replayed->size(); ++n)
                FUZZ_CHECK((*analysed)[n].square == (*replayed)[n].square &&
                           (*analysed)[n].white == (*replayed)[n].white);
        }
    } else {
        FUZZ_CHECK(!error.empty());
    }

    std::string learningError;
    const auto training = ParseTrainingRecord(text, learningError);
    if (training) {
        // A record the learning command takes is a game without passes, black first.
        FUZZ_CHECK(replayed && training->size() == replayed->size());
        for (std::size_t n = 0; n < training->size(); ++n)
            FUZZ_CHECK((*training)[n] == (*replayed)[n].square &&
                       (*replayed)[n].white == (n % 2 == 1));
    } else {
        FUZZ_CHECK(!learningError.empty());
    }

    // Any bytes in the game record's entries: the text is up to the first empty entry, or
    // nothing when an entry cannot be a square.
    uint8_t raw[GAME_RECORD_SIZE] = {};
    for (std::size_t i = 0; i < size && i + 1 < GAME_RECORD_SIZE; ++i)
        raw[i + 1] = data[i];
    if (const auto written = GameRecordText(raw))
        FUZZ_CHECK(written->size() % 2 == 0 && written->size() <= 120);
    return 0;
}
