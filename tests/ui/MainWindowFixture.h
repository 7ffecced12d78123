#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "BoardPicture.h"
#include "ScriptedDialogs.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"
#include "engine/untTextFile.h"
#include "ui/game/untMain.h"

// Lets events run until the condition holds; gives up after a limit far beyond what any
// wait takes on a quiet machine, so that a loaded machine or a sanitizer's build still
// passes and only a wait that never ends fails.
inline bool Eventually(const std::function<bool()>& condition) {
    constexpr qint64 kPatience = 300000;  // milliseconds
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < kPatience)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
}

// The main window started in a fresh temporary folder (where it keeps its results file),
// with the toolkit's boxes replaced by scripted ones and the computer's delays at 1 ms.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = QDir::currentPath();
        ASSERT_TRUE(folder_.isValid());
        QDir::setCurrent(folder_.path());
        StartProgram();
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(previousFolder_);
    }

    void StartProgram() {
        form.reset();
        form = std::make_unique<TForm1>(std::make_unique<TScriptedDialogs>(dialogs));
        form->WaitPerMove = 1;
        form->WaitOnPass = 1;
        form->Timer1->setInterval(1);
        RandSeed(1);
    }

    void Click(const char* square) { form->OnBan_Click(form->Ban[SquareOf(square)]); }

    // Lets the timer fire until the human may act again or the game is over; watch runs
    // after every round of events.
    void WaitForTheComputer(const std::function<void()>& watch = {}) {
        ASSERT_TRUE(Eventually([&] {
            if (watch) watch();
            return form->Busy != 1;
        })) << "the computer's turn did not end";
    }

    void SetPosition(const TPicture& picture, int moveNumber) {
        SetGameBoard(*form->Engine, picture, moveNumber);
        form->DrawBoard();
    }

    std::string ScoreFile() const {
        return ReadTextFile((folder_.path() + "/成績.dat").toStdString());
    }
    void WriteScoreFile(const std::string& text) {
        WriteFileAtomically((folder_.path() + "/成績.dat").toStdString(), text);
    }

    bool ShowsDisc(const char* square) const {
        return !form->Ban[SquareOf(square)]->pixmap().isNull();
    }

    QString Folder() const { return folder_.path(); }

    TScriptedDialogs::TShared dialogs;
    std::unique_ptr<TForm1> form;

private:
    QTemporaryDir folder_;
    QString previousFolder_;
};
