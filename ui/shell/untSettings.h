#pragma once

#include <QMap>
#include <QString>
#include <QVariant>
#include <array>
#include <memory>
#include <optional>

#include "ui/board/untBoardTheme.h"
#include "ui/board/untDiscTurning.h"

class QSettings;

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
    bool operator==(const TViewOptions&) const = default;
};

// The new-game dialog's choices, as its controls hold them.
struct TNewGameChoices {
    int levelIndex = 1;  // 最弱, 初級, 中級, 上級
    int typeIndex = 0;   // TypeA .. TypeD
    int placement = 1;   // 1 .. 4
    int waitPerMove = 800;
    int waitOnPass = 3000;
    bool operator==(const TNewGameChoices&) const = default;
};

// The scale factors the window offers, in percent.
inline constexpr std::array<int, 4> kScalePercents = {100, 125, 150, 200};

// The player's settings kept from one run to the next, in the toolkit's settings file
// (~/.config/tolvaney/tolvaney.conf). Every value is checked as it is read: one that is
// missing, unreadable or out of range gives its default. A damaged file (one that is not a
// plain text file of sections and key=value lines, or that the toolkit cannot read) is
// moved aside (NAME.damaged) before anything is written, and the run starts from the
// defaults; when it cannot be moved, it is left untouched and this run's settings live in
// memory only. Either way DamageNotice() has the words for the player, so a damaged file
// costs the player their settings at most, never silently and never the start of the game.
class TSettings {
public:
    // The settings in the given file; by default the player's own.
    explicit TSettings(const QString& file = DefaultFile());
    ~TSettings();

    static QString DefaultFile();

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
    // Changes reach the file. False only when a damaged file could not be moved aside: it is
    // never written over, and the settings of this run are kept in memory.
    bool SavesToFile() const { return settings_ != nullptr; }
    // What to tell the player about a damaged file, with its full path; empty when the file
    // was sound or missing.
    QString DamageNotice() const;

private:
    QVariant Value(const char* key) const;
    void Store(const char* key, const QVariant& value);
    void Sync();
    int Number(const char* key, int low, int high, int fallback) const;
    bool Flag(const char* key, bool fallback) const;

    QString file_;
    std::unique_ptr<QSettings> settings_;  // none while a damaged file stays in place
    QVariantMap unsaved_;                  // the settings of this run, when there is no file
    bool damaged_ = false;
    QString damagedCopy_;
};
