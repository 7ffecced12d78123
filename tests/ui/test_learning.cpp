// The developer's tools: the pattern value editor and the four learning commands.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "BoardPicture.h"
#include "ScriptedDialogs.h"
#include "engine/eval/untPatterns.h"
#include "engine/untSquareNames.h"
#include "engine/untTextFile.h"
#include "ui/game/untMain.h"
#include "ui/game/untSubForm.h"

namespace {

class LearningTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
        form = std::make_unique<TForm1>(std::make_unique<TScriptedDialogs>(dialogs));
        editor = form->PatternEditor;
        editor->SetTable(form->Engine->PatternWeights);
        // The tests count steps from empty tables, whatever the shipped tables hold.
        for (auto& kind : Table())
            for (auto& index : kind)
                index.fill(0);
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(previousFolder_);
    }

    void ClickCell(TImage* image, int times = 1) {
        for (int i = 0; i < times; ++i)
            editor->OnImage_Click(image);
    }
    void Type(TEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);  // every key release runs the box's handler
    }
    TPatternTable& Table() { return *form->Engine->PatternWeights; }
    std::string File(const std::string& name) {
        return ReadTextFile(folder_.path().toStdString() + "/" + name);
    }

    TScriptedDialogs::TShared dialogs;
    std::unique_ptr<TForm1> form;
    TForm3* editor = nullptr;

private:
    QTemporaryDir folder_;
    QString previousFolder_;
};

TEST_F(LearningTest, EditorCellsGiveThePatternIndex) {
    for (int cell = 1; cell <= 8; ++cell)
        ClickCell(editor->LINE3_[cell]);
    EXPECT_EQ(editor->Label1->text(), "3280");
    for (int cell = 1; cell <= 8; ++cell)
        ClickCell(editor->LINE3_[cell]);
    EXPECT_EQ(editor->Label1->text(), "6560");
    for (int cell = 1; cell <= 7; ++cell)
        ClickCell(editor->CORNER_[cell], 2);
    EXPECT_EQ(editor->Label4->text(), "6558");
    for (int cell = 1; cell <= 7; ++cell)
        ClickCell(editor->CORNER_[cell]);  // back to empty
    ClickCell(editor->CORNER_[7]);
    EXPECT_EQ(editor->Label4->text(), "3");
    ClickCell(editor->CORNER_[7], 2);
    ClickCell(editor->CORNER_[1], 2);
    EXPECT_EQ(editor->Label4->text(), "4374");
    // Three clicks bring a cell back to empty.
    ClickCell(editor->EDGE_[3], 3);
    EXPECT_EQ(editor->Label3->text(), "0");
    EXPECT_TRUE(editor->EDGE_[3]->pixmap().isNull());
}

TEST_F(LearningTest, ATypedValueReachesTheNextEvaluation) {
    // Before any cell click the boxes edit index 0; all four LINE3 instances of the start
    // position read 0, so a value there counts four times at stage 0.
    EXPECT_EQ(form->Engine->EvaluatePatterns(), 1);  // a sum of 0 shows as 1
    Type(editor->Edit5, "0");
    Type(editor->Edit1, "-5");
    EXPECT_EQ(Table()[LINE3][0][0], -5);
    EXPECT_EQ(form->Engine->EvaluatePatterns(), -4 * 5);
    Type(editor->Edit1, "1a");
    EXPECT_EQ(Table()[LINE3][0][0], 1);  // stored when "1" was released, not after "1a"
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown.value(0), "「1a」は整数ではありません。値は保存されません。");
}

TEST_F(LearningTest, TheStageBoxTakesOnlyStagesZeroToTwo) {
    Type(editor->Edit5, "1");
    EXPECT_EQ(editor->ShownStage, 1);
    Type(editor->Edit5, "3");
    EXPECT_EQ(editor->ShownStage, 1);
    Type(editor->Edit5, "x");
    EXPECT_EQ(editor->ShownStage, 1);
    EXPECT_EQ(dialogs.shown.size(), 2);
    Type(editor->Edit1, "7");  // index 0 of LINE3, stage 1
    EXPECT_EQ(Table()[LINE3][0][1], 7);
}

TEST_F(LearningTest, SavingWritesTheFilesAndSaysSo) {
    Table()[CORNER][3][2] = -9;
    editor->Button5->click();
    EXPECT_EQ(dialogs.shown.value(0), "確認|学習_4.datを保存しました。");
    EXPECT_EQ(File("学習_4.dat"), form->Engine->PatternFileText(CORNER));
    form->On_Test4Click();
    EXPECT_EQ(dialogs.shown.value(1), "確認|すべて保存しました。");
    for (int kind = 1; kind <= 6; ++kind)
        EXPECT_EQ(File(PatternFileName(kind)), form->Engine->PatternFileText(kind));
    // A file that cannot be replaced is reported by its full path and why, in Japanese, and
    // the success message does not follow.
    QFile::remove(QString::fromStdString(PatternFileName(2)));
    QDir().mkpath(QString::fromStdString(PatternFileName(2)) + "/inside");
    form->On_Test4Click();
    const QString fault = dialogs.shown.value(2);
    EXPECT_TRUE(fault.startsWith("パターンの値を保存できませんでした。")) << fault.toStdString();
    EXPECT_TRUE(fault.contains(QDir::current().absoluteFilePath("学習_2.dat")));
    EXPECT_TRUE(fault.contains("同じ名前のフォルダーがあります"));
    EXPECT_EQ(dialogs.shown.size(), 3);
}

TEST_F(LearningTest, OneLearningPassMovesEachValueOneStep) {
    TKyokumen& k = *form->Engine;
    k.ChosenValue = 1000;  // far above: every instance is raised
    k.LearnPatterns();
    EXPECT_EQ(Table()[BLOCK][171][0], 2);  // two BLOCK instances read 171
    EXPECT_EQ(Table()[BLOCK][99][0], 2);
    EXPECT_EQ(Table()[CENTER][612][0], 1);
    EXPECT_EQ(Table()[LINE3][0][0], 0);  // the all-empty instances never move

    // The target is reached at the second CENTER instance, but the first BLOCK instance
    // still moves the same way; the next one turns back, and then nothing moves.
    for (auto& kind : Table())
        for (auto& index : kind)
            index.fill(0);
    k.ChosenValue = k.EvaluatePatterns() + 1;  // 2: the CENTER instances 612 and 468 close it
    k.LearnPatterns();
    EXPECT_EQ(Table()[CENTER][612][0], 1);
    EXPECT_EQ(Table()[CENTER][468][0], 1);
    EXPECT_EQ(Table()[BLOCK][171][0], 1);
    EXPECT_EQ(Table()[BLOCK][99][0], -1);
}

TEST_F(LearningTest, TheTargetCommandWritesTheStageOfFourMovesLater) {
    SetGameBoard(*form->Engine,
                 {"........", "........", "..XXX...", "..XOX...", "..XOX...", "...O....",
                  "........", "........"},
                 17);
    dialogs.inputAnswers = {"500"};
    form->OnButton_Test2Click();
    EXPECT_EQ(dialogs.shown.value(0), "FMAX?>");
    EXPECT_EQ(form->Engine->ChosenValue, 500);
    EXPECT_EQ(form->Engine->MoveNumber, 17);
    int stage0 = 0, stage1 = 0;
    for (const auto& kind : Table())
        for (const auto& index : kind) {
            stage0 += index[0] != 0;
            stage1 += index[1] != 0;
        }
    EXPECT_EQ(stage0, 0);
    EXPECT_GT(stage1, 5);
    EXPECT_EQ(
        Table()[BLOCK][PatternIndexOf(form->Engine->Boards[0].Cells, kPatternInstances[18])][1], 2);

    dialogs.inputAnswers = {"12x"};
    form->OnButton_Test2Click();
    EXPECT_EQ(form->Engine->ChosenValue, 500);
    EXPECT_EQ(dialogs.shown.value(2), "「12x」は整数ではありません。");
}

TEST_F(LearningTest, AGameRecordIsReplayedAndBadRecordsAreRefused) {
    TKyokumen* before = form->Engine.get();
    for (const char* bad : {"f5f5", "f5z9", "f5d6c3d3c4f4f6f3e6e7c6d8", "f5f6e6f4e3f5"}) {
        dialogs.inputAnswers = {bad};
        form->On_Test3Click();
        EXPECT_EQ(form->Engine.get(), before) << bad;
        EXPECT_TRUE(dialogs.shown.last().startsWith("学習できない棋譜です。")) << bad;
    }
    EXPECT_TRUE(dialogs.shown.last().contains("6手目")) << dialogs.shown.last().toStdString();
    dialogs.inputAnswers = {"f5f6e"};  // odd length: nothing at all
    const int shown = dialogs.shown.size();
    form->On_Test3Click();
    EXPECT_EQ(form->Engine.get(), before);
    EXPECT_EQ(dialogs.shown.size(), shown + 1);  // only the input box itself

    // The computer already answers f5 with f6, so the first try agrees and k stays 1.
    Table()[EDGE][100][1] = 9;
    dialogs.inputAnswers = {"f5f6e6"};
    form->On_Test3Click();
    EXPECT_NE(form->Engine.get(), before);
    EXPECT_EQ(form->Label_mes3->text(), "カウンタ 1");
    EXPECT_EQ(form->Engine->MoveNumber, 3);
    EXPECT_EQ(form->Engine->StackDepth, 1);
    EXPECT_EQ(form->Engine->GameLevel, 4);
    EXPECT_EQ(form->Engine->ThinkType, 3);
    EXPECT_EQ((*form->Engine->PatternWeights)[EDGE][100][1], 9);  // carried over
    EXPECT_FALSE(form->Learning);
}

TEST_F(LearningTest, NothingElseStartsWhileARecordIsReplayed) {
    form->Learning = true;
    form->OnBan_Click(form->Ban[SquareOf("f5")]);
    form->OnButton_MattaClick();
    form->OnButton_StartClick();
    form->On_Test4Click();
    dialogs.inputAnswers = {"1"};
    form->OnButton_Test2Click();
    EXPECT_EQ(form->Engine->MoveNumber, 0);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    form->show();
    form->close();
    EXPECT_TRUE(form->isVisible());
    form->Learning = false;
}

}  // namespace
