#include "results/untCountsFile.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "catalogue/untCatalogue.h"
#include "engine/untEngineError.h"
#include "engine/untTextFile.h"
#include "results/untFaultText.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMostDamagedCopies = 999;
constexpr const char* kReadError = N_("成績データ読込みエラー");

using TValues = std::array<int32_t, TCountsFile::kMostFields>;

std::string LinesText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// Reads the first `count` lines into values, up to the first that is missing or not a
// number; the number of values read.
int ReadValues(const std::vector<std::string>& lines, int count, TValues& values) {
    int read = 0;
    while (read < count && read < static_cast<int>(lines.size()) &&
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

// The file as it was, byte for byte, under the first free name of NAME.damaged,
// NAME.damaged.2, ...; an earlier copy with the same contents is used again, and none is
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
    N_("今回の成績はメモリー上だけに記録され、「成績を見る」で見られますが、ゲームを終了すると消え"
       "ます。");

std::string PathLine(const fs::path& path) {
    return "\r\n" + path.string() + "\r\n";
}

}  // namespace

TCountsFile::TCountsFile(fs::path file, std::vector<int32_t*> fields,
                         std::vector<std::string> startingLines, std::size_t paddedLines,
                         std::vector<std::string>& lines, TReport report)
    : file_(FullPath(file)),
      fields_(std::move(fields)),
      startingLines_(std::move(startingLines)),
      paddedLines_(paddedLines),
      lines_(lines),
      report_(std::move(report)) {
    if (fields_.size() > kMostFields) throw EEngineError("TCountsFile: too many counters");
}

void TCountsFile::Load() {
    for (int32_t* field : fields_)
        *field = 0;
    lines_.clear();
    const std::optional<std::string> text = ReadOrCreate();
    if (!text) return;
    known_ = *text;
    lines_ = LinesOf(*text);
    if (ParseLines()) return;
    // The failing value and the ones after it stay 0; the padded list reaches the disk with
    // the next save, once the file as it was is safe.
    report_(Tr(kReadError), "Error");
    while (lines_.size() < paddedLines_)
        lines_.emplace_back("0");
    KeepDamagedFile(*text);
}

// The file's text, made with the starting values when it is missing; nothing, with the
// player told, when it can be neither read nor made.
std::optional<std::string> TCountsFile::ReadOrCreate() {
    std::error_code error;
    if (!fs::exists(file_, error) && !error) {
        try {
            TFileSave save(file_);  // another copy of the game may be making it too
            if (!fs::exists(file_, error)) save.Commit(LinesText(startingLines_));
        } catch (const EFileError& fault) {
            memoryOnly_ = true;
            lines_ = startingLines_;
            ParseLines();
            report_(Tr("成績ファイルを作れませんでした。") + PathLine(file_) + Tr("理由: ") +
                        FileFaultReason(fault) + "\r\n\r\n" + Tr(kMemoryOnly),
                    "");
            return std::nullopt;
        }
    }
    try {
        return ReadTextFile(file_);
    } catch (const EFileError& fault) {
        memoryOnly_ = true;
        report_(Tr("成績ファイルを読めませんでした。") + PathLine(file_) + Tr("理由: ") +
                    FileFaultReason(fault) + std::string("\r\n\r\n") +
                    Tr("このファイルには書き込みません。") + Tr(kMemoryOnly),
                "");
        return std::nullopt;
    }
}

// The counters' lines into the fields in order, up to the first that is missing or not a
// number; false when there is one.
bool TCountsFile::ParseLines() {
    TValues values{};
    const int read = ReadValues(lines_, FieldCount(), values);
    for (int field = 0; field < read; ++field)
        *fields_[field] = values[field];
    return read == FieldCount();
}

void TCountsFile::KeepDamagedFile(const std::string& text) {
    try {
        const fs::path copy = KeepCopy(file_, text);
        report_(Tr("成績ファイルの一部が読めませんでした。") + PathLine(file_) +
                    std::string("\r\n") + Tr("元のファイルは、そのまま次の名前で残しました。") +
                    PathLine(copy) + std::string("\r\n") +
                    Tr("読めなかった行とそれより後の成績は 0 "
                       "から数え直し、その前の成績は引き継ぎます。元の値は残したファイルで確かめら"
                       "れます。成績ファイルは次の対局の結果から書き直されます。"),
                "");
    } catch (const EFileError& fault) {
        memoryOnly_ = true;
        report_(Tr("成績ファイルの一部が読めませんでした。") + PathLine(file_) +
                    std::string("\r\n") + Tr("元のファイルを残せなかったため（") +
                    FileFaultReason(fault) + Tr("）、このファイルには書き込みません。") +
                    Tr(kMemoryOnly),
                "");
    }
}

// Another copy of the game may have saved the file since this record last read or wrote
// it: its values are taken, with the games counted here since then added. A file that has
// become unreadable is kept beside the results first.
void TCountsFile::TakeOverFileOnDisk() {
    std::error_code error;
    if (!fs::exists(file_, error) && !error) return;  // removed: these values are all there is
    const std::string current = ReadTextFile(file_);
    if (current == known_) return;
    const std::vector<std::string> lines = LinesOf(current);
    TValues values{};
    if (ReadValues(lines, FieldCount(), values) == FieldCount()) {
        lines_ = lines;
        for (int field = 0; field < FieldCount(); ++field)
            *fields_[field] = AddClamped(values[field], unsaved_[field]);
        return;
    }
    const fs::path copy = KeepCopy(file_, current);
    notices_ +=
        Tr("成績ファイルが、読めない内容に書き換えられていました。") + PathLine(file_) +
        std::string("\r\n") +
        Tr("その内容はそのまま次の名前で残し、成績ファイルはこのゲームの成績で書き直しました。") +
        PathLine(copy);
}

void TCountsFile::Save() {
    if (memoryOnly_) return;
    try {
        TFileSave save(file_);
        TakeOverFileOnDisk();
        while (lines_.size() < fields_.size())
            lines_.emplace_back("0");
        for (int field = 0; field < FieldCount(); ++field)
            lines_[field] = std::to_string(*fields_[field]);
        const std::string text = LinesText(lines_);
        save.Commit(text);
        known_ = text;
        unsaved_.fill(0);
    } catch (const EFileError& fault) {
        throw EEngineError(Tr("成績ファイルに書き込めませんでした。") + PathLine(file_) +
                           Tr("理由: ") + FileFaultReason(fault) + std::string("\r\n\r\n") +
                           Tr("この対局までの成績はメモリー上に残り、「成績を見る」で見られます。次"
                              "の対局が終わったときに、もう一度書き込みます。"));
    }
}

std::string TCountsFile::TakeNotices() {
    return std::exchange(notices_, std::string());
}

// A counter at the largest value it can hold stays there: a file can hold that value, and
// one more game must not turn it negative.
void TCountsFile::Add(int32_t& counter) {
    if (counter < INT32_MAX) ++counter;
    for (int field = 0; field < FieldCount(); ++field)
        if (fields_[field] == &counter) ++unsaved_[field];
    Save();
}
