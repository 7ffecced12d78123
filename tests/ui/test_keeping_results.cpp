// Nothing the player does loses a game or the results: the new-game dialog closed without
// 新規開始！, a damaged results file, and results that cannot be written.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QPushButton>
#include <QTest>
#include <cstring>
#include <filesystem>

#include "MainWindowFixture.h"
#include "results/untScore.h"
#include "ui/game/untInitialize.h"

namespace {

namespace fs = std::filesystem;

// Black's d1 takes white's last discs: a win at the game's level.
const TPicture kWinningMove = {"XOO.....", "........", "........", "........",
                               "........", "........", "........", "........"};

// The game as the player sees and plays it: the board, the record, whose turn, the timer.
std::string StateOf(const TForm1& form) {
    const uint8_t* cells = form.Engine->Boards[0].Cells;
    return std::string(cells, cells + 100) +
           std::string(form.GameRecord, form.GameRecord + GAME_RECORD_SIZE) +
           char(form.Engine->MoveNumber) + char(form.Busy) + char(form.Timer1->isActive());
}

// Escape and the window's close box, at every moment the dialog can be opened: before any
// game was started from it, and after an earlier 新規開始！ with the human to move, the
// computer's turn pending, and the game over. Each leaves the game exactly as it was.
TEST_F(MainWindowTest, TheNewGameDialogClosedWithoutStartingKeepsTheGame) {
    auto startNewGame = [&] {
        dialogs.modalScripts.push_back(
            [](QDialog& dialog) { static_cast<TForm2&>(dialog).Button1->click(); });
        form->OnButton_StartClick();
    };
    const std::pair<const char*, std::function<void()>> moments[] = {
        {"at start-up", [] {}},
        {"the human to move",
         [&] {
             startNewGame();
             Click("f5");
             WaitForTheComputer();
         }},
        {"the computer's turn pending",
         [&] {
             startNewGame();
             form->Timer1->setInterval(INT32_MAX);
             Click("f5");
         }},
        {"the game over",
         [&] {
             startNewGame();
             SetPosition(kWinningMove, 10);
             Click("d1");
         }},
    };
    const std::pair<const char*, std::function<void(QDialog&)>> closings[] = {
        {"Escape",
         [](QDialog& dialog) {
             dialog.show();
             QTest::keyClick(&dialog, Qt::Key_Escape);
         }},
        {"the close box",
         [](QDialog& dialog) {
             dialog.show();
             dialog.close();
         }},
    };
    for (const auto& [moment, reach] : moments)
        for (const auto& [closing, close] : closings) {
            SCOPED_TRACE(std::string(moment) + ", " + closing);
            StartProgram();
            reach();
            const std::string before = StateOf(*form);
            const QString message = form->Label_Message->text();
            dialogs.modalScripts.push_back(close);
            form->OnButton_StartClick();
            EXPECT_TRUE(form->NewGameDialog->Cancelled);
            EXPECT_FALSE(form->NewGameDialog->isVisible());
            EXPECT_EQ(StateOf(*form), before);
            EXPECT_EQ(form->Label_Message->text(), message);
        }
}

// One field after another made unreadable: the file as it was is kept byte for byte under
// a name of its own, never over an earlier copy, and the player is told both full paths.
// What was read before the bad field survives the next save; the same damage met again
// uses its copy again.
TEST_F(MainWindowTest, ADamagedResultsFileIsKeptBesideItAndThePlayerToldWhere) {
    const fs::path file = fs::absolute(Folder().toStdString()) / "成績.dat";
    auto damaged = [](int field) {
        std::string text;
        for (int line = 1; line <= 9; ++line)
            text += (line == field ? "xx" : std::to_string(line == 1 ? 1500 : line)) + "\r\n";
        return text + "a line of the player's own\r\n";
    };
    auto copyName = [&](int number) {
        fs::path copy = file;
        copy += number == 1 ? ".damaged" : ".damaged." + std::to_string(number);
        return copy;
    };
    for (int field = 1; field <= 9; ++field) {
        SCOPED_TRACE("field " + std::to_string(field));
        WriteScoreFile(damaged(field));
        dialogs.shown.clear();
        StartProgram();
        ASSERT_EQ(dialogs.shown.size(), 2) << dialogs.shown.join("; ").toStdString();
        EXPECT_EQ(dialogs.shown[0], "Error|成績データ読込みエラー");
        EXPECT_TRUE(dialogs.shown[1].contains(QString::fromStdString(file.string())));
        EXPECT_TRUE(dialogs.shown[1].contains(QString::fromStdString(copyName(field).string())));
        form->Score->AddWinAdvanced();
        EXPECT_EQ(ReadTextFile(copyName(field)), damaged(field));
        const std::string text = ScoreFile();
        const std::vector<std::string_view> saved = SplitLines(text);
        for (int line = 2; line < field; ++line)
            EXPECT_EQ(saved[line - 1], std::to_string(line + (line == 8)));
    }
    for (int field = 1; field <= 9; ++field)
        EXPECT_EQ(ReadTextFile(copyName(field)), damaged(field));
    WriteScoreFile(damaged(4));
    dialogs.shown.clear();
    StartProgram();
    EXPECT_TRUE(dialogs.shown.value(1).contains(QString::fromStdString(copyName(4).string())));
    EXPECT_FALSE(fs::exists(copyName(10)));
}

// A folder no new file can be made in, also for root: a read-only file system where one can
// be mounted, a folder without write permission otherwise, and a path through a file where
// neither binds.
fs::path UnwritableFolder(const fs::path& under) {
    const fs::path folder = under / "read-only";
    fs::create_directory(folder);
    if (::mount("tmpfs", folder.c_str(), "tmpfs", MS_RDONLY, "size=64k") == 0) return folder;
    if (::geteuid() != 0) {
        fs::permissions(folder, fs::perms(0555));
        return folder;
    }
    WriteFileAtomically(under / "a-file", "");
    return under / "a-file";
}

bool SummaryShowsOneBeginnerWin(TForm1& form) {
    form.OnSeiseki_Click();
    return form.Label_Message->text().contains("　初級　　　    1勝    0敗");
}

// Results that cannot reach the disk: where the file cannot be made at start-up, the player
// is told so, in Japanese with the full path, once; when the file turns read-only during the
// session, each failed save says so. Either way 成績を見る counts the games from memory, and
// the games not written go to the file with the first save that succeeds.
TEST_F(MainWindowTest, ResultsThatCannotBeWrittenStayInMemoryAndAreShown) {
    const fs::path folder = UnwritableFolder(fs::absolute(Folder().toStdString()));
    const fs::path unwritable = folder / "成績.dat";
    form.reset();
    dialogs.shown.clear();
    form =
        std::make_unique<TForm1>(std::make_unique<TScriptedDialogs>(dialogs), nullptr, unwritable);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].startsWith("成績ファイルを作れませんでした。"));
    EXPECT_TRUE(dialogs.shown[0].contains(QString::fromStdString(unwritable.string())));
    EXPECT_TRUE(dialogs.shown[0].contains("メモリー上だけに記録"));
    SetPosition(kWinningMove, 10);
    Click("d1");
    EXPECT_EQ(dialogs.shown.size(), 1);  // told once, at start-up
    EXPECT_TRUE(SummaryShowsOneBeginnerWin(*form));
    ::umount(folder.c_str());

    StartProgram();
    const fs::path file = fs::absolute(Folder().toStdString()) / "成績.dat";
    fs::permissions(file, fs::perms(0444));
    SetPosition(kWinningMove, 10);
    Click("d1");
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(dialogs.shown[1].startsWith("成績ファイルに書き込めませんでした。"));
    EXPECT_TRUE(dialogs.shown[1].contains(QString::fromStdString(file.string())));
    EXPECT_TRUE(dialogs.shown[1].contains("読み取り専用"));
    EXPECT_TRUE(SummaryShowsOneBeginnerWin(*form));
    fs::permissions(file, fs::perms(0644));
    form->Score->AddLossBeginner();
    EXPECT_EQ(ScoreFile(), "1500\r\n0\r\n0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n");
}

}  // namespace
