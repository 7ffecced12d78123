// The developer's commands of the main window: the pattern value editor, learning towards a
// typed target, learning from a typed game record, and saving the six tables.
#include <QLabel>
#include <QTimer>

#include "engine/eval/untPatterns.h"
#include "engine/untTextFile.h"
#include "learn/untLearn.h"
#include "results/untFaultText.h"
#include "ui/game/untMain.h"
#include "ui/game/untSubForm.h"

namespace {

// The target is tried at a move number four higher: the stage and the move-dependent terms
// of the evaluation see the later position.
constexpr int kTargetMoveOffset = 4;

}  // namespace

void TForm1::OnButton_TestClick() {
    if (EngineInUse()) return;
    PatternEditor->SetTable(Engine->PatternWeights);
    Dialogs().ShowModal(*PatternEditor);
}

void TForm1::OnButton_Test2Click() {
    if (EngineInUse()) return;
    const QString answer =
        Dialogs().Input(QStringLiteral("FMAX?"), QString(), QString::number(Engine->ChosenValue));
    int32_t target = 0;
    if (!ParseInt32(answer.toStdString(), target)) {
        Dialogs().Message(tr("「%1」は整数ではありません。").arg(answer));
        return;
    }
    Engine->ChosenValue = target;
    Engine->MoveNumber = static_cast<int16_t>(Engine->MoveNumber + kTargetMoveOffset);
    Engine->LearnPatterns();
    Engine->LearnPatterns();
    Engine->MoveNumber = static_cast<int16_t>(Engine->MoveNumber - kTargetMoveOffset);
}

// The replay replaces the engine, so it waits for the human's turn or the end of a game: a
// computer turn that is pending or running must not find its game gone.
bool TForm1::MayReplayRecord() const {
    return Busy != 1 && !EngineInUse();
}

void TForm1::On_Test3Click() {
    if (!MayReplayRecord()) return;
    LastSquare = 0;
    const QString answer = Dialogs().Input(tr("棋譜を入力してください"), tr("学習"), QString());
    if (answer.isEmpty() || answer.size() % 2 != 0) return;
    if (!MayReplayRecord()) return;  // a move was started while the box was open
    std::string error;
    const std::optional<std::vector<uint8_t>> moves =
        ParseTrainingRecord(answer.toStdString(), error);
    if (!moves) {
        Dialogs().Message(tr("学習できない棋譜です。\r\n\r\n") + QString::fromStdString(error));
        return;
    }
    auto trainee = std::make_unique<TKyokumen>();
    CarryPatternWeights(*Engine, *trainee);
    Engine = std::move(trainee);
    ++GameNumber;  // the game that was on the board is gone
    Engine->GameLevel = 4;
    Engine->ThinkType = 3;

    // The replay can take minutes: the window keeps repainting and shows the move being
    // trained, while Learning keeps every other command out.
    Learning = true;
    emit BoardStateChanged();
    const TTrainingResult result = TrainOnRecord(*Engine, *moves, [this](int moveNumber, int k) {
        Label_mes3->setText(tr("学習中 %1手目 k=%2").arg(moveNumber).arg(k));
        ProcessPendingEvents();
    });
    Learning = false;
    emit BoardStateChanged();
    LastSquare = result.lastChoice;
    Engine->ThinkType = 3;
    Label_mes3->setText(tr("カウンタ ") + QString::number(result.k));
}

void TForm1::On_Test4Click() {
    if (EngineInUse()) return;
    for (int kind = FIRST_PATTERN_KIND; kind <= LAST_PATTERN_KIND; ++kind) {
        try {
            Engine->SavePatternFile(kind);
        } catch (const std::exception& fault) {
            Dialogs().Message(QString::fromStdString(PatternSaveFaultText(fault)));
            return;
        }
    }
    Dialogs().MessageWithCaption(tr("すべて保存しました。"), tr("確認"));
}
