#include "ui/shell/untMainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>

#include "ui/board/untBoardAccessible.h"
#include "ui/board/untBoardView.h"
#include "ui/board/untSounds.h"
#include "ui/controls/untScreenFit.h"
#include "ui/controls/untZoom.h"
#include "ui/game/untAnnouncer.h"
#include "ui/game/untInitialize.h"
#include "ui/game/untStatusLine.h"
#include "ui/help/untAnalysisCommand.h"
#include "ui/help/untHelp.h"
#include "ui/help/untHint.h"
#include "ui/shell/untWindowLooks.h"

TMainWindow::TMainWindow(TSettings& settings, std::unique_ptr<TDialogs> dialogs,
                         const std::filesystem::path& scoreFile)
    : settings_(settings), scoreFile_(std::filesystem::absolute(scoreFile)) {
    KeepWindowsOnScreen();
    InstallBoardAccessibility();  // before a screen reader can first ask about the window
    // Made as a window of its own, as it is when it runs alone; taking it in as the central
    // widget makes it a plain child, which must then be shown.
    form_ = new TForm1(std::move(dialogs), nullptr, scoreFile);
    startCaption_ = form_->windowTitle();
    // A screen reader names the window by the program, not by the computer's comment that
    // the caption may show, which is the search's own shorthand.
    setAccessibleName(QString::fromUtf8(kApplicationTitle));
    setCentralWidget(form_);  // it grows with the window, never smaller than its design
    form_->show();
    looks_ = std::make_unique<TWindowLooks>(*this, *form_);
    board_ = new TBoardView(*form_);
    // The status line below the client area, as the menu bar is above it.
    statusBar()->setSizeGripEnabled(false);
    announcer_ = new TAnnouncer(*statusBar());
    statusLine_ = new TStatusLine(*form_, *statusBar(), *announcer_);
    hint_ = new THint(*form_, *board_, *statusLine_);
    analysis_ = new TAnalysisCommand(*form_, *this);
    sounds_ = new TSounds(*form_);

    CreateGameMenu();
    CreateViewMenu();
    CreateHelpMenu();
    SetTabOrder();
    connect(form_, &QWidget::windowTitleChanged, this, &TMainWindow::FollowCaption);
    connect(form_, &TForm1::BoardStateChanged, this, &TMainWindow::UpdateCommands);
    connect(form_, &TForm1::NewGameStarted, this, [this] {
        settings_.SaveNewGame(ChoicesInDialog());
        TellUnsavedSettings();
        board_->setFocus();  // the first move is the player's
    });

    ApplyView(settings_.View());
    // The size and place the window had when it was last closed; the first time, the size
    // of the scale chosen. Either way it is fitted to the screen it opens on.
    if (!restoreGeometry(settings_.WindowGeometry())) ShowClientAtScale();
    ApplyNewGameChoices(settings_.NewGame());
    UpdateCommands();
    board_->setFocus();
    if (const QString notice = settings_.StartNotice(); !notice.isEmpty())
        form_->Dialogs().Message(notice);
}

TMainWindow::~TMainWindow() = default;

QAction* TMainWindow::Command(QMenu* menu, const QString& text, const QKeySequence& shortcut,
                              void (TForm1::*handler)()) {
    QAction* action = menu->addAction(text);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, form_, handler);
    return action;
}

void TMainWindow::CreateGameMenu() {
    QMenu* game = menuBar()->addMenu(tr("ゲーム(&G)"));
    NewGameAction =
        Command(game, tr("新規ゲーム(&N)…"), QKeySequence::New, &TForm1::OnButton_StartClick);
    TakeBackAction =
        Command(game, tr("待った(&U)"), QKeySequence::Undo, &TForm1::OnButton_MattaClick);
    game->addSeparator();
    CopyRecordAction =
        Command(game, tr("棋譜をコピー(&C)"), QKeySequence::Copy, &TForm1::OnButton_KifuClick);
    ResultsAction = Command(game, tr("成績を見る(&R)"), QKeySequence(), &TForm1::OnSeiseki_Click);
    game->addSeparator();
    HintAction = game->addAction(tr("ヒント(&H)"));
    HintAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(HintAction, &QAction::triggered, hint_, &THint::Ask);
    AnalyseAction = game->addAction(tr("この対局を解析(&A)…"));
    connect(AnalyseAction, &QAction::triggered, analysis_, &TAnalysisCommand::Start);
    connect(analysis_, &TAnalysisCommand::Finished, this, &TMainWindow::UpdateCommands);
    game->addSeparator();
    QuitAction = Command(game, tr("終了(&Q)"), QKeySequence(Qt::CTRL | Qt::Key_Q),
                         &TForm1::OnButton_ExitClick);
    connect(game, &QMenu::aboutToShow, this, &TMainWindow::UpdateCommands);
    // F10 opens the menu bar, as in the desktop's other programs.
    auto* menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, &TMainWindow::OpenMenuBar);
}

void TMainWindow::OpenMenuBar() {
    menuBar()->setActiveAction(menuBar()->actions().value(0));
}

void TMainWindow::CreateViewMenu() {
    QMenu* view = menuBar()->addMenu(tr("表示(&V)"));
    const auto option = [&](const QString& text) {
        QAction* action = view->addAction(text);
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, &TMainWindow::SaveView);
        return action;
    };
    LegalMovesAction = option(tr("打てる場所を表示(&L)"));
    connect(LegalMovesAction, &QAction::toggled, board_, &TBoardView::SetShowLegalMoves);
    CoordinatesAction = option(tr("盤に座標を表示(&O)"));
    connect(CoordinatesAction, &QAction::toggled, board_, &TBoardView::SetShowCoordinates);
    TurnableAction = option(tr("返る石を表示(&F)"));
    connect(TurnableAction, &QAction::toggled, board_, &TBoardView::SetShowTurnable);
    CaptionAction = option(tr("思考内容をタイトルに表示(&T)"));
    connect(CaptionAction, &QAction::toggled, this, &TMainWindow::FollowCaption);
    view->addSeparator();
    CreateLooksMenu(view);
    view->addSeparator();
    QMenu* scale = view->addMenu(tr("表示倍率(&S)"));
    scales_ = new QActionGroup(this);  // exactly one scale is checked
    for (size_t i = 0; i < kScalePercents.size(); ++i) {
        ScaleActions[i] = scale->addAction(QStringLiteral("%1 %").arg(kScalePercents[i]));
        ScaleActions[i]->setCheckable(true);
        scales_->addAction(ScaleActions[i]);
    }
    connect(scales_, &QActionGroup::triggered, this, [this] {
        SaveView();
        ApplyTextScale();
        ShowClientAtScale();
    });
    // The language is taken at the next start: the window's texts are made once.
    QMenu* language = view->addMenu(tr("言語(&G)"));
    auto* languages = new QActionGroup(this);
    const QString names[kLanguageChoices] = {tr("デスクトップに合わせる(&D)"), tr("日本語(&J)"),
                                             QStringLiteral("English(&E)")};
    for (int i = 0; i < kLanguageChoices; ++i) {
        LanguageActions[i] = language->addAction(names[i]);
        LanguageActions[i]->setCheckable(true);
        languages->addAction(LanguageActions[i]);
    }
    language->addSeparator();
    language->addAction(tr("次に起動したときから変わります"))->setEnabled(false);
    connect(languages, &QActionGroup::triggered, this, &TMainWindow::SaveView);
}

// The turning discs, the sounds and the theme.
void TMainWindow::CreateLooksMenu(QMenu* view) {
    TurnDiscsAction = view->addAction(tr("石が返る動き(&A)"));
    SoundsAction = view->addAction(tr("効果音(&N)"));
    for (QAction* action : {TurnDiscsAction, SoundsAction}) {
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, &TMainWindow::SaveView);
    }
    connect(TurnDiscsAction, &QAction::toggled, board_, &TBoardView::SetTurnDiscs);
    connect(SoundsAction, &QAction::toggled, sounds_, &TSounds::SetOn);
    // One item of each group is checked; choosing one applies it and keeps it.
    const auto choices = [&](const QString& title, const QStringList& items, auto& actions,
                             auto apply) {
        QMenu* menu = view->addMenu(title);
        auto* group = new QActionGroup(this);
        for (int i = 0; i < items.size(); ++i) {
            actions[i] = menu->addAction(items[i]);
            actions[i]->setCheckable(true);
            group->addAction(actions[i]);
            connect(actions[i], &QAction::toggled, this, [this, i, apply](bool checked) {
                if (!checked) return;
                apply(i);
                SaveView();
            });
        }
    };
    choices(tr("動きの速さ(&D)"), {tr("速い(&F)"), tr("普通(&N)"), tr("遅い(&S)")}, SpeedActions,
            [this](int i) { board_->SetTurningSpeed(static_cast<TTurningSpeed>(i)); });
    choices(tr("テーマ(&M)"), {tr("標準(&P)"), tr("ハイコントラスト(&H)"), tr("ダーク(&D)")},
            ThemeActions, [this](int i) { SetTheme(static_cast<TTheme>(i)); });
}

qreal TMainWindow::Scale() const {
    for (size_t i = 0; i < kScalePercents.size(); ++i)
        if (ScaleActions[i]->isChecked()) return kScalePercents[i] / 100.0;
    return 1;
}

// The texts outside the client area at the scale: the menus, the status line, the boxes and
// the windows the program opens. The toolkit's boxes and menus take the application's font.
void TMainWindow::ApplyTextScale() {
    static const QFont designFont = QApplication::font();
    QFont font = designFont;
    if (designFont.pixelSize() > 0)
        font.setPixelSize(qRound(designFont.pixelSize() * Scale()));
    else
        font.setPointSizeF(designFont.pointSizeF() * Scale());
    QApplication::setFont(font);
    setFont(font);  // the menu bar and the status bar at once, not when the toolkit gets to it
    statusLine_->SetTextScale(Scale());
    form_->NewGameDialog->SetScale(Scale());
    if (help_) help_->SetScale(Scale());
}

// The window as large as the client area at the scale, with the menu bar and the status
// line, as far as the screen has room; a maximised window stays as it is.
void TMainWindow::ShowClientAtScale() {
    if (isMaximized() || isFullScreen()) return;
    const QSize design = form_->ClientZoom().Design();
    // The menu bar and the status line may have new fonts: their sizes first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    layout()->invalidate();
    resize(layout()->totalSizeHint() - design + design * Scale());
    if (isVisible()) FitOnScreen(*this, screen()->availableGeometry());
}

void TMainWindow::CreateHelpMenu() {
    QMenu* help = menuBar()->addMenu(tr("ヘルプ(&H)"));
    HowToPlayAction = help->addAction(tr("遊び方(&P)"));
    HowToPlayAction->setShortcut(QKeySequence::HelpContents);
    connect(HowToPlayAction, &QAction::triggered, this, &TMainWindow::ShowHowToPlay);
    AboutAction = help->addAction(tr("バージョン情報(&A)"));
    connect(AboutAction, &QAction::triggered, this, &TMainWindow::ShowAbout);
}

// The board first, then the buttons as they stand, row by row.
void TMainWindow::SetTabOrder() {
    QWidget* order[] = {board_,
                        form_->Button_Matta,
                        form_->Button_Exit,
                        form_->Button_Start,
                        form_->Button_Touryo,
                        form_->Button2};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void TMainWindow::ApplyView(const TViewOptions& options) {
    // Each toggle saves the whole view, which must not save a mix of the kept options and the
    // defaults; the signals still run, so that the scale group keeps one item checked.
    applyingView_ = true;
    LegalMovesAction->setChecked(options.showLegalMoves);
    CoordinatesAction->setChecked(options.showCoordinates);
    CaptionAction->setChecked(options.thinkingInCaption);
    TurnableAction->setChecked(options.showTurnable);
    TurnDiscsAction->setChecked(options.turnDiscs);
    SoundsAction->setChecked(options.sounds);
    SpeedActions[static_cast<size_t>(options.turningSpeed)]->setChecked(true);
    ThemeActions[static_cast<size_t>(options.theme)]->setChecked(true);
    for (size_t i = 0; i < kScalePercents.size(); ++i)
        if (kScalePercents[i] == options.scalePercent) ScaleActions[i]->setChecked(true);
    LanguageActions[static_cast<size_t>(options.language)]->setChecked(true);
    applyingView_ = false;
    ApplyTextScale();
    board_->SetShowLegalMoves(options.showLegalMoves);
    board_->SetShowCoordinates(options.showCoordinates);
    board_->SetShowTurnable(options.showTurnable);
    board_->SetTurnDiscs(options.turnDiscs);
    board_->SetTurningSpeed(options.turningSpeed);
    SetTheme(options.theme);
    sounds_->SetOn(options.sounds);
    FollowCaption();
}

void TMainWindow::SetTheme(TTheme theme) {
    board_->SetTheme(theme);
    looks_->Apply(theme);
}

void TMainWindow::SaveView() {
    if (applyingView_) return;
    TViewOptions options;
    options.showLegalMoves = LegalMovesAction->isChecked();
    options.showCoordinates = CoordinatesAction->isChecked();
    options.thinkingInCaption = CaptionAction->isChecked();
    options.showTurnable = TurnableAction->isChecked();
    options.turnDiscs = TurnDiscsAction->isChecked();
    options.sounds = SoundsAction->isChecked();
    for (int i = 0; i < kTurningSpeeds; ++i)
        if (SpeedActions[i]->isChecked()) options.turningSpeed = static_cast<TTurningSpeed>(i);
    for (int i = 0; i < kThemes; ++i)
        if (ThemeActions[i]->isChecked()) options.theme = static_cast<TTheme>(i);
    for (size_t i = 0; i < kScalePercents.size(); ++i)
        if (scales_->checkedAction() == ScaleActions[i]) options.scalePercent = kScalePercents[i];
    for (int i = 0; i < kLanguageChoices; ++i)
        if (LanguageActions[i]->isChecked()) options.language = static_cast<TLanguageChoice>(i);
    settings_.SaveView(options);
    TellUnsavedSettings();
}

// A save of the settings that failed is told once; the settings stay for this run.
void TMainWindow::TellUnsavedSettings() {
    if (const QString notice = settings_.TakeSaveNotice(); !notice.isEmpty())
        form_->Dialogs().Message(notice);
}

// The dialog shows the kept choices; when they are not those a fresh start plays with,
// the first game is started with them at once.
void TMainWindow::ApplyNewGameChoices(const std::optional<TNewGameChoices>& choices) {
    if (!choices) return;
    TForm2& dialog = *form_->NewGameDialog;
    dialog.RadioGroup2->SetItemIndex(choices->levelIndex);
    dialog.RadioGroup1->SetItemIndex(choices->typeIndex);
    QRadioButton* placements[] = {dialog.RadioButton1, dialog.RadioButton2, dialog.RadioButton3,
                                  dialog.RadioButton4};
    placements[choices->placement - 1]->setChecked(true);
    dialog.ScrollBar1->setValue(choices->waitPerMove);
    dialog.ScrollBar2->setValue(choices->waitOnPass);
    dialog.RadioGroup3->SetItemIndex(choices->colourIndex);
    dialog.RadioGroup4->SetItemIndex(choices->opponentIndex);
    dialog.OnRadioGroup4_Click();
    if (*choices != TNewGameChoices{}) form_->StartNewGame();
}

TNewGameChoices TMainWindow::ChoicesInDialog() const {
    const TForm2& dialog = *form_->NewGameDialog;
    return {dialog.RadioGroup2->ItemIndex(),
            dialog.RadioGroup1->ItemIndex(),
            dialog.Placement(),
            dialog.ScrollBar1->value(),
            dialog.ScrollBar2->value(),
            dialog.RadioGroup3->ItemIndex(),
            dialog.RadioGroup4->ItemIndex()};
}

// With the option on, the caption is the controller's, which shows the computer's comment
// after its moves; with it off, the caption the window starts with.
void TMainWindow::FollowCaption() {
    setWindowTitle(CaptionAction->isChecked() ? form_->windowTitle() : startCaption_);
}

void TMainWindow::UpdateCommands() {
    TakeBackAction->setEnabled(form_->HumanMayMove());
    form_->Button_Matta->setEnabled(TakeBackAction->isEnabled());
    // Asked for while the computer thinks, the hint comes on the player's turn.
    HintAction->setEnabled(form_->Busy != 2);
    AnalyseAction->setEnabled(form_->GameRecord[1] != 0 && !analysis_->Running());
}

void TMainWindow::ShowHowToPlay() {
    if (!help_) {
        help_ = new THelpWindow(scoreFile_, settings_.File(), this);
        help_->SetScale(Scale());
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void TMainWindow::ShowAbout() {
    form_->Dialogs().MessageWithCaption(AboutText(), tr("バージョン情報"));
}

// Closing the window ends the game as the controller's own closing does; the controller
// may refuse (while a game record is replayed for learning).
void TMainWindow::closeEvent(QCloseEvent* event) {
    if (!form_->close()) {
        event->ignore();
        return;
    }
    settings_.SaveWindowGeometry(saveGeometry());
    TellUnsavedSettings();
    QMainWindow::closeEvent(event);
}
