// The results file 成績.dat, whatever it holds: it is loaded (bad contents reported, never
// thrown, and the file as it was kept beside it byte for byte), a game is recorded at a
// level from the input's first byte, and the saved file loads back without a complaint to
// exactly the values and lines that were saved. The summary texts are made from it as well.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "FuzzCheck.h"
#include "engine/untEngineError.h"
#include "results/untScore.h"

namespace {

namespace fs = std::filesystem;

// A folder of this process's own, in memory where the machine has that (saves are flushed
// to the disk, which a real disk makes slow); removed when the process ends.
class TScratchFolder {
public:
    TScratchFolder() {
        const fs::path base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
        path_ = base / ("tolvaney-fuzz-results-" + std::to_string(::getpid()));
        fs::create_directories(path_);
    }
    ~TScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

const fs::path& Folder() {
    static const TScratchFolder folder;
    return folder.path();
}

std::vector<int32_t> ValuesOf(const TScore& s) {
    return {s.PreservedValue,     s.WinsRandom,     s.LossesRandom,
            s.WinsBeginner,       s.LossesBeginner, s.WinsIntermediate,
            s.LossesIntermediate, s.WinsAdvanced,   s.LossesAdvanced};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path file = Folder() / "成績.dat";
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const int level = size > 0 ? data[0] % 6 : 1;
    const bool humanWins = size > 1 && data[1] % 2 == 0;
    const fs::path copy = Folder() / "成績.dat.damaged";
    fs::remove(copy);
    const std::string_view contents = input.substr(std::min<std::size_t>(size, 2));
    std::ofstream(file, std::ios::binary | std::ios::trunc) << contents;

    int complaints = 0;
    auto report = [&](const std::string&, const std::string&) { ++complaints; };
    TScore score(file, report);
    // A damaged file: the read error, then where the file as it was is kept.
    FUZZ_CHECK(complaints == 0 || complaints == 2);
    FUZZ_CHECK(!score.MemoryOnly());
    if (complaints > 0) {
        std::ifstream kept(copy, std::ios::binary);
        const std::string keptText{std::istreambuf_iterator<char>(kept),
                                   std::istreambuf_iterator<char>()};
        FUZZ_CHECK(keptText == contents);
    }
    score.RecordGame(level, humanWins ? 40 : 24, humanWins ? 24 : 40);
    score.Save();
    FormatCount(score.WinsRandom);
    ScoreSummaryText(score);
    ScoreClipboardText(score, "2026/12/08 12:00:00");

    complaints = 0;
    const TScore reloaded(file, report);
    FUZZ_CHECK(complaints == 0);
    FUZZ_CHECK(ValuesOf(reloaded) == ValuesOf(score));
    FUZZ_CHECK(reloaded.Lines == score.Lines);
    return 0;
}
