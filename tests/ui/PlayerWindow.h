#pragma once

#include "MainWindowFixture.h"
#include "ui/game/untInitialize.h"
#include "ui/shell/untMainWindow.h"

// A window of its own in a folder of its own: results and settings files apart, scripted
// boxes, the computer's delays at 1 ms.
struct TPlayerWindow {
    explicit TPlayerWindow(const QString& folder)
        : settings(folder + "/tolvaney.conf"),
          window(settings, std::make_unique<TScriptedDialogs>(dialogs),
                 (folder + "/成績.dat").toStdString()),
          form(*window.Form()) {
        form.WaitPerMove = form.WaitOnPass = 1;
        form.Timer1->setInterval(1);
        form.NewGameDialog->ScrollBar1->setValue(1);
        form.NewGameDialog->ScrollBar2->setValue(1);
    }
    TScriptedDialogs::TShared dialogs;
    TSettings settings;
    TMainWindow window;
    TForm1& form;
};

// A test whose windows each get a folder of their own in one temporary folder.
class TPlayerFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }
    QString Folder(const QString& name) {
        QDir(folder_.path()).mkpath(name);
        return folder_.path() + '/' + name;
    }

private:
    QTemporaryDir folder_;
};

inline void WaitWhileBusy(TForm1& form) {
    ASSERT_TRUE(Eventually([&] { return form.Busy != 1; })) << "the computer's turn did not end";
}
