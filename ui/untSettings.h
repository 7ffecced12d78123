#pragma once

#include <QString>
#include <array>
#include <memory>
#include <optional>

class QSettings;

// How the player likes the window: the view menu's options.
struct TViewOptions {
    bool showLegalMoves = false;
    bool showCoordinates = false;
    bool thinkingInCaption = true;  // the computer's comment in the window's caption
    int scalePercent = 100;         // takes effect at the next start
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
// missing, unreadable or out of range gives its default, and a file the toolkit cannot
// read at all is moved aside (NAME.damaged) and started afresh, so a damaged file costs the
// player their settings at most, and never the start of the game.
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

    const QString& File() const { return file_; }
    // The file was damaged and has been moved aside to this path; empty otherwise.
    const QString& DamagedCopy() const { return damagedCopy_; }

private:
    int Number(const char* key, int low, int high, int fallback) const;
    bool Flag(const char* key, bool fallback) const;

    QString file_;
    std::unique_ptr<QSettings> settings_;
    QString damagedCopy_;
};
