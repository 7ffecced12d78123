#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A file of counters kept over all runs of the game, as the results records keep theirs: one
// decimal integer a line in a fixed order, every line ended by CR LF, and any lines after the
// counters kept as they are. The counters themselves are the record's own fields; this keeps
// them in step with the file.
//
// Nothing counted is ever dropped without a word: a damaged file is kept beside the results
// (NAME.damaged, NAME.damaged.2, ...) before it is rewritten, two copies of the game saving
// one file add their games to each other's, a save replaces the file whole or not at all, and
// results that cannot reach the disk stay in memory.
class TCountsFile {
public:
    // Shows a message (text, caption) to the user; an empty caption means the program's own.
    using TReport = std::function<void(const std::string& text, const std::string& caption)>;

    static constexpr std::size_t kMostFields = 9;

    // `fields` are the record's counters in line order (at most kMostFields), `lines` the
    // record's copy of the file's lines, `startingLines` what a new file holds, and
    // `paddedLines` how many lines a damaged file is filled up to with "0". Nothing is read
    // until Load.
    TCountsFile(std::filesystem::path file, std::vector<int32_t*> fields,
                std::vector<std::string> startingLines, std::size_t paddedLines,
                std::vector<std::string>& lines, TReport report);

    // Reads the file, or creates it with the starting lines when it is missing. Bad contents
    // are reported ("成績データ読込みエラー") and leave the values read so far; the file as it
    // was is then kept beside it before anything rewrites it, and the player is told where. A
    // file that can be neither read nor made, or a damaged one that cannot be kept, leaves the
    // results in memory only, and the player is told so. Never throws because of the file.
    void Load();
    // Writes the counters into their lines and the whole list to the file. Should another
    // copy of the game have saved the file meanwhile, the games counted here since the last
    // save are added to what it holds. Throws EEngineError with a message for the player when
    // the file cannot be written; the games stay counted in memory for the next save.
    void Save();
    // One more on a counter (one of the fields), then Save. A counter at the largest value
    // it can hold stays there.
    void Add(int32_t& counter);

    // What saves have to tell the player (a damaged file found and kept), once.
    std::string TakeNotices();
    bool MemoryOnly() const { return memoryOnly_; }
    const std::filesystem::path& File() const { return file_; }

private:
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    std::optional<std::string> ReadOrCreate();
    bool ParseLines();
    void KeepDamagedFile(const std::string& text);
    void TakeOverFileOnDisk();

    std::filesystem::path file_;
    std::vector<int32_t*> fields_;
    std::vector<std::string> startingLines_;
    std::size_t paddedLines_;
    std::vector<std::string>& lines_;
    TReport report_;
    // Games added to each counter since the last save that reached the file.
    std::array<int32_t, kMostFields> unsaved_{};
    std::string known_;  // the file as this record last read or wrote it
    bool memoryOnly_ = false;
    std::string notices_;
};
