#include "results/untScore.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "engine/untEngineError.h"
#include "engine/untTextFile.h"
#include "results/untFaultText.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kPaddedLines = 11;  // a damaged file is filled up to this many lines
constexpr int kMostDamagedCopies = 999;
constexpr const char* kReadError = "成績データ読込みエラー";
constexpr const char* kHyphens = "-------------------------------";
const std::vector<std::string> kStartingLines = {"1500", "0", "0", "0", "0", "0", "0", "0", "0"};

std::string LinesText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// Reads lines 1 to 9 into values, up to the first that is missing or not a number; the
// number of values read.
int ReadValues(const std::vector<std::string>& lines,
               std::array<int32_t, TScore::kValueLines>& values) {
    int read = 0;
    while (read < static_cast<int>(values.size()) && read < static_cast<int>(lines.size()) &&
           ParseInt32(lines[read], values[read]))
        ++read;
    return read;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (const std::string_view line : SplitLines(text))
        lines.emplace_back(line);
    return lines;
}

int32_t AddClamped(int32_t value, int32_t added) {
    const int64_t sum = int64_t{value} + added;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

// The file as it was, byte for byte, under the first free name of 成績.dat.damaged,
// 成績.dat.damaged.2, ...; an earlier copy with the same contents is used again, and none is
// ever overwritten. Throws EFileError when no copy can be made.
fs::path KeepCopy(const fs::path& file, const std::string& text) {
    for (int number = 1; number <= kMostDamagedCopies; ++number) {
        fs::path copy = file;
        copy += number == 1 ? ".damaged" : ".damaged." + std::to_string(number);
        if (WriteNewFile(copy, text)) return copy;
        try {
            if (ReadTextFile(copy) == text) return copy;
        } catch (const EFileError&) {
            // Something unreadable holds the name: try the next.
        }
    }
    fs::path last = file;
    last += ".damaged." + std::to_string(kMostDamagedCopies);
    throw EFileError("Cannot keep a copy of " + file.string(), last, EFileError::TReason::System,
                     EEXIST);
}

const char* const kMemoryOnly =
    "今回の成績はメモリー上だけに記録され、「成績を見る」で見られますが、ゲームを終了すると消え"
    "ます。";

std::string PathLine(const fs::path& path) {
    return "\r\n" + path.string() + "\r\n";
}

}  // namespace

TScore::TScore(fs::path file, TReport report) : file_(FullPath(file)), report_(std::move(report)) {
    Load();
}

int32_t* TScore::Field(int line) {
    int32_t* fields[kValueLines] = {&PreservedValue,     &WinsRandom,     &LossesRandom,
                                    &WinsBeginner,       &LossesBeginner, &WinsIntermediate,
                                    &LossesIntermediate, &WinsAdvanced,   &LossesAdvanced};
    return fields[line - 1];
}

void TScore::Load() {
    const std::optional<std::string> text = ReadOrCreate();
    if (!text) return;
    known_ = *text;
    Lines = LinesOf(*text);
    if (ParseLines()) return;
    // The failing value and the ones after it stay 0; the padded list reaches the disk with
    // the next save, once the file as it was is safe.
    report_(kReadError, "Error");
    while (Lines.size() < kPaddedLines)
        Lines.emplace_back("0");
    KeepDamagedFile(*text);
}

// The file's text, made with the starting values when it is missing; nothing, with the
// player told, when it can be neither read nor made.
std::optional<std::string> TScore::ReadOrCreate() {
    std::error_code error;
    if (!fs::exists(file_, error) && !error) {
        try {
            TFileSave save(file_);  // another copy of the game may be making it too
            if (!fs::exists(file_, error)) save.Commit(LinesText(kStartingLines));
        } catch (const EFileError& fault) {
            memoryOnly_ = true;
            Lines = kStartingLines;
            ParseLines();
            report_("成績ファイルを作れませんでした。" + PathLine(file_) +
                        "理由: " + FileFaultReason(fault) + "\r\n\r\n" + kMemoryOnly,
                    "");
            return std::nullopt;
        }
    }
    try {
        return ReadTextFile(file_);
    } catch (const EFileError& fault) {
        memoryOnly_ = true;
        report_("成績ファイルを読めませんでした。" + PathLine(file_) +
                    "理由: " + FileFaultReason(fault) + "\r\n\r\nこのファイルには書き込みません。" +
                    kMemoryOnly,
                "");
        return std::nullopt;
    }
}

// Lines 1 to 9 into the nine fields in order, up to the first that is missing or not a
// number; false when there is one.
bool TScore::ParseLines() {
    std::array<int32_t, kValueLines> values{};
    const int read = ReadValues(Lines, values);
    for (int line = 1; line <= read; ++line)
        *Field(line) = values[line - 1];
    return read == kValueLines;
}

void TScore::KeepDamagedFile(const std::string& text) {
    try {
        const fs::path copy = KeepCopy(file_, text);
        report_("成績ファイルの一部が読めませんでした。" + PathLine(file_) +
                    "\r\n元のファイルは、そのまま次の名前で残しました。" + PathLine(copy) +
                    "\r\n読めなかった行とそれより後の成績は 0 "
                    "から数え直し、その前の成績は引き継ぎます。"
                    "元の値は残したファイルで確かめられます。"
                    "成績ファイルは次の対局の結果から書き直されます。",
                "");
    } catch (const EFileError& fault) {
        memoryOnly_ = true;
        report_("成績ファイルの一部が読めませんでした。" + PathLine(file_) +
                    "\r\n元のファイルを残せなかったため（" + FileFaultReason(fault) +
                    "）、このファイルには書き込みません。" + kMemoryOnly,
                "");
    }
}

// Another copy of the game may have saved the file since this record last read or wrote
// it: its values are taken, with the games recorded here since then added. A file that has
// become unreadable is kept beside the results first.
void TScore::TakeOverFileOnDisk() {
    std::error_code error;
    if (!fs::exists(file_, error) && !error) return;  // removed: these values are all there is
    const std::string current = ReadTextFile(file_);
    if (current == known_) return;
    const std::vector<std::string> lines = LinesOf(current);
    std::array<int32_t, kValueLines> values{};
    if (ReadValues(lines, values) == kValueLines) {
        Lines = lines;
        for (int line = 1; line <= kValueLines; ++line)
            *Field(line) = AddClamped(values[line - 1], unsaved_[line - 1]);
        return;
    }
    const fs::path copy = KeepCopy(file_, current);
    notices_ += "成績ファイルが、読めない内容に書き換えられていました。" + PathLine(file_) +
                "\r\nその内容はそのまま次の名前で残し、成績ファイルはこのゲームの成績で書き直し"
                "ました。" +
                PathLine(copy);
}

void TScore::Save() {
    if (memoryOnly_) return;
    try {
        TFileSave save(file_);
        TakeOverFileOnDisk();
        while (Lines.size() < kValueLines)
            Lines.emplace_back("0");
        for (int line = 1; line <= kValueLines; ++line)
            Lines[line - 1] = std::to_string(*Field(line));
        const std::string text = LinesText(Lines);
        save.Commit(text);
        known_ = text;
        unsaved_.fill(0);
    } catch (const EFileError& fault) {
        throw EEngineError("成績ファイルに書き込めませんでした。" + PathLine(file_) +
                           "理由: " + FileFaultReason(fault) +
                           "\r\n\r\nこの対局までの成績はメモリー上に残り、「成績を見る」で見ら"
                           "れます。次の対局が終わったときに、もう一度書き込みます。");
    }
}

std::string TScore::TakeNotices() {
    return std::exchange(notices_, std::string());
}

// A counter at the largest value it can hold stays there: a file can hold that value, and
// one more game must not turn it negative.
void TScore::Add(int32_t& counter) {
    if (counter < INT32_MAX) ++counter;
    for (int line = 2; line <= kValueLines; ++line)
        if (Field(line) == &counter) ++unsaved_[line - 1];
    Save();
}

void TScore::AddWinRandom() {
    Add(WinsRandom);
}
void TScore::AddLossRandom() {
    Add(LossesRandom);
}
void TScore::AddWinBeginner() {
    Add(WinsBeginner);
}
void TScore::AddLossBeginner() {
    Add(LossesBeginner);
}
void TScore::AddWinIntermediate() {
    Add(WinsIntermediate);
}
void TScore::AddLossIntermediate() {
    Add(LossesIntermediate);
}
void TScore::AddWinAdvanced() {
    Add(WinsAdvanced);
}
void TScore::AddLossAdvanced() {
    Add(LossesAdvanced);
}

void TScore::RecordGame(int gameLevel, int blackDiscs, int whiteDiscs) {
    if (blackDiscs == whiteDiscs) return;
    const bool humanWon = blackDiscs > whiteDiscs;
    switch (gameLevel) {
        case 1:
            humanWon ? AddWinRandom() : AddLossRandom();
            break;
        case 2:
            humanWon ? AddWinBeginner() : AddLossBeginner();
            break;
        case 3:
            humanWon ? AddWinIntermediate() : AddLossIntermediate();
            break;
        case 4:
            humanWon ? AddWinAdvanced() : AddLossAdvanced();
            break;
    }
}

std::string FormatCount(int32_t count) {
    const int blanks = count <= 9 ? 4 : count <= 99 ? 3 : count <= 999 ? 2 : count <= 9999 ? 1 : 0;
    return std::string(blanks, ' ') + std::to_string(count);
}

namespace {

std::string Row(const char* label, int32_t wins, int32_t losses) {
    return std::string(label) + FormatCount(wins) + "勝" + FormatCount(losses) + "敗\r\n";
}

std::string LevelRows(const TScore& s) {
    return Row("　ランダム　", s.WinsRandom, s.LossesRandom) +
           Row("　初級　　　", s.WinsBeginner, s.LossesBeginner) +
           Row("　中級　　　", s.WinsIntermediate, s.LossesIntermediate) +
           Row("　上級　　　", s.WinsAdvanced, s.LossesAdvanced);
}

// Plain 32-bit sums: they wrap like the counters' own arithmetic.
int32_t Sum32(std::initializer_list<int32_t> counters) {
    uint32_t sum = 0;
    for (const int32_t counter : counters)
        sum += static_cast<uint32_t>(counter);
    return static_cast<int32_t>(sum);
}
int32_t TotalWins(const TScore& s) {
    return Sum32({s.WinsRandom, s.WinsBeginner, s.WinsIntermediate, s.WinsAdvanced});
}
int32_t TotalLosses(const TScore& s) {
    return Sum32({s.LossesRandom, s.LossesBeginner, s.LossesIntermediate, s.LossesAdvanced});
}

}  // namespace

std::string ScoreSummaryText(const TScore& score) {
    return "■総合成績\r\n\r\n" + LevelRows(score) + "\r\n" +
           Row("　合計　　", TotalWins(score), TotalLosses(score));
}

std::string ScoreClipboardText(const TScore& score, const std::string& dateTime) {
    return std::string(kHyphens) + "\r\n■総合成績　" + dateTime + "\r\n\r\n" + LevelRows(score) +
           "\r\n" + Row("　合計　　　", TotalWins(score), TotalLosses(score)) + kHyphens + "\r\n";
}
