#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/board/untBoardTheme.h"
#include "ui/board/untDiscTurning.h"
#include "ui/controls/untLanguage.h"

// How the player likes the window: the view menu's options.
struct TViewOptions {
    bool showLegalMoves = false;
    bool showCoordinates = false;
    bool thinkingInCaption = true;  // the computer's comment in the window's caption
    int scalePercent = 100;         // the window and its texts, at once
    TTheme theme = TTheme::Pictures;
    bool turnDiscs = false;  // the discs of each move turn over before the player's eyes
    TTurningSpeed turningSpeed = TTurningSpeed::Normal;
    bool showTurnable = false;  // the discs a move would turn, under the pointer or the frame
    bool sounds = false;
    TLanguageChoice language = TLanguageChoice::Desktop;  // taken at the next start
    bool operator==(const TViewOptions&) const = default;
};

// The new-game dialog's choices, as its controls hold them.
struct TNewGameChoices {
    int levelIndex = 1;  // 最弱, 初級, 中級, 上級
    int typeIndex = 0;   // TypeA .. TypeD
    int placement = 1;   // 1 .. 4
    int waitPerMove = 800;
    int waitOnPass = 3000;
    int colourIndex = 0;    // the person plays 黒（先手）, 白（後手）
    int opponentIndex = 0;  // COM, 最強の COM, 二人で対戦
    bool operator==(const TNewGameChoices&) const = default;
};

// The scale factors the window offers, in percent.
inline constexpr std::array<int, 4> kScalePercents = {100, 125, 150, 200};

// The player's settings kept from one run to the next, in a settings file of the toolkit's
// format (~/.config/tolvaney/tolvaney.conf). Every value is checked as it is read: one that is
// missing, unreadable or out of range gives its default.
//
// The file as found at the start: a damaged one (not a plain text file of sections and
// key=value lines of a sane size) is moved aside (NAME.damaged) before anything is written,
// and the run starts from the defaults; when it cannot be moved, or when the file cannot be
// read at all, it is left untouched and this run's settings live in memory only. Either way
// StartNotice() has the words for the player.
//
// A save writes only the values this copy of the game changed, merged under the file's lock
// into the file as it is then, so that a second copy running beside it loses nothing. A save
// that does not reach the disk (a read-only file or folder, a full disk, a file another
// program keeps locked) is not retried: from then on the settings live in memory for the rest
// of the run, and TakeSaveNotice() has the words for the player, once.
class TSettings {
public:
    // How a save reaches the disk: the edit turns the file's text as it is (empty when there
    // is none) into the text to write. Throws EFileError when it cannot be done.
    using TEdit = std::function<std::string(std::string_view)>;
    using TWriter = std::function<void(const std::filesystem::path&, const TEdit&)>;

    // The settings in the given file; by default the player's own.
    explicit TSettings(const QString& file = DefaultFile(), TWriter writer = EditUnderLock);
    ~TSettings();

    static QString DefaultFile();
    // Reads and rewrites the file in one save under its lock.
    static void EditUnderLock(const std::filesystem::path& file, const TEdit& edit);

    TViewOptions View() const;
    void SaveView(const TViewOptions& options);
    // The choices of the last new game the player confirmed; none before the first.
    std::optional<TNewGameChoices> NewGame() const;
    void SaveNewGame(const TNewGameChoices& choices);
    // The main window's size and place as the toolkit saves them; empty before the first.
    QByteArray WindowGeometry() const;
    void SaveWindowGeometry(const QByteArray& geometry);

    const QString& File() const { return file_; }
    // The file was found damaged at the start of this run.
    bool WasDamaged() const { return damaged_; }
    // The damaged file's full path after it was moved aside; empty when nothing was damaged
    // or it could not be moved.
    const QString& DamagedCopy() const { return damagedCopy_; }
    // Changes reach the file: false once a file that could not be read or moved aside was
    // left in place, or once a save failed. The settings of this run are then kept in memory.
    bool SavesToFile() const { return savesToFile_; }
    // What to tell the player about the file as found at the start, with its full path;
    // empty when it was sound or missing.
    QString StartNotice() const;
    // What to tell the player about the save that did not reach the file: what was not kept,
    // where and why. Given once; empty before a failed save and after it was taken.
    QString TakeSaveNotice();

private:
    using TEntries = std::vector<std::pair<QString, QString>>;  // "section/key" and its text
    void Open();
    QString Value(const char* key) const;
    void SaveChanged(const TEntries& was, const TEntries& now, const char* what);
    int Number(const char* key, int low, int high, int fallback) const;
    bool Flag(const char* key, bool fallback) const;

    QString file_;
    TWriter writer_;
    QMap<QString, QString> values_;  // as read at the start and saved since by this copy
    bool savesToFile_ = true;
    bool damaged_ = false;
    QString damagedCopy_;
    QString unreadableReason_;  // why the file could not be read at the start
    QString saveNotice_;        // for the player, until taken
};
