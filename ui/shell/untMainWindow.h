#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <memory>

#include "ui/game/untMain.h"
#include "ui/shell/untSettings.h"

class QAction;
class QActionGroup;
class QMenu;
class TAnalysisCommand;
class TAnnouncer;
class TBoardView;
class THelpWindow;
class THint;
class TSounds;
class TStatusLine;
class TWindowLooks;

// The program's window: the main window's client area (TForm1, drawn as designed and grown
// with the window as one picture) with a menu bar above it, the status line below, and the
// board view laid over its board. 表示倍率 sets the window's size and the size of its texts
// at once; the player may then make the window any size the screen has room for, never
// smaller than the design, and it opens next time as it was closed. The theme dresses the
// board and the rest of the window alike.
//
// Every menu command runs the handler of the matching button, so the controller's guards
// apply to both alike. The view options and the new-game choices are kept in the player's
// settings; the game that starts with the window is played with the kept choices.
class TMainWindow : public QMainWindow {
    Q_OBJECT
public:
    TMainWindow(TSettings& settings, std::unique_ptr<TDialogs> dialogs = nullptr,
                const std::filesystem::path& scoreFile = kScoreFileName);
    ~TMainWindow() override;

    TForm1* Form() const { return form_; }
    TBoardView* Board() const { return board_; }
    THint* Hint() const { return hint_; }
    TAnalysisCommand* Analysis() const { return analysis_; }
    TStatusLine* StatusLine() const { return statusLine_; }
    TAnnouncer* Announcer() const { return announcer_; }
    TSounds* Sounds() const { return sounds_; }

    // ゲーム
    QAction* NewGameAction;
    QAction* TakeBackAction;
    QAction* CopyRecordAction;
    QAction* ResultsAction;
    QAction* HintAction;
    QAction* AnalyseAction;
    QAction* QuitAction;
    // 表示
    QAction* LegalMovesAction;
    QAction* CoordinatesAction;
    QAction* CaptionAction;
    QAction* TurnableAction;
    QAction* TurnDiscsAction;
    std::array<QAction*, kTurningSpeeds> SpeedActions;
    QAction* SoundsAction;
    std::array<QAction*, kThemes> ThemeActions;
    std::array<QAction*, kScalePercents.size()> ScaleActions;
    std::array<QAction*, kLanguageChoices> LanguageActions;  // the desktop's, 日本語, English
    // ヘルプ
    QAction* HowToPlayAction;
    QAction* AboutAction;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateGameMenu();
    void CreateViewMenu();
    void CreateLooksMenu(QMenu* view);
    void CreateHelpMenu();
    void SetTabOrder();
    void OpenMenuBar();
    qreal Scale() const;  // 表示倍率 as a factor
    void ApplyTextScale();
    void ShowClientAtScale();
    void ApplyView(const TViewOptions& options);
    void SetTheme(TTheme theme);  // the board's and the window's
    void ApplyNewGameChoices(const std::optional<TNewGameChoices>& choices);
    TNewGameChoices ChoicesInDialog() const;
    void SaveView();
    void TellUnsavedSettings();
    void FollowCaption();
    void UpdateCommands();
    void ShowHowToPlay();
    void ShowAbout();
    QAction* Command(QMenu* menu, const QString& text, const QKeySequence& shortcut,
                     void (TForm1::*handler)());

    TSettings& settings_;
    std::filesystem::path scoreFile_;
    TForm1* form_;
    TBoardView* board_;
    std::unique_ptr<TWindowLooks> looks_;
    THelpWindow* help_ = nullptr;
    TAnnouncer* announcer_;
    TStatusLine* statusLine_;
    THint* hint_;
    TAnalysisCommand* analysis_;
    TSounds* sounds_;
    QActionGroup* scales_;
    bool applyingView_ = false;  // the kept options are being put on the menu, not chosen
    QString startCaption_;
};
