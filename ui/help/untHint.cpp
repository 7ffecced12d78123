#include "ui/help/untHint.h"

#include "analysis/untAnalysisWords.h"
#include "engine/untSquareNames.h"
#include "ui/board/untBoardView.h"
#include "ui/controls/untLanguage.h"
#include "ui/game/untAdviceSettings.h"
#include "ui/game/untMain.h"
#include "ui/game/untStatusLine.h"

namespace {

TDiscs DiscsOnTheBoard(const TForm1& form) {
    return BitsOf(form.Engine->Boards[0].Cells);
}

}  // namespace

THint::THint(TForm1& form, TBoardView& board, TStatusLine& status)
    : QObject(&form), form_(form), board_(board), status_(status) {
    connect(&form_, &TForm1::BoardStateChanged, this, &THint::FollowTheGame);
}

THint::~THint() = default;

void THint::Ask() {
    if (form_.HumanMayMove()) {
        Start();
    } else if (form_.Busy == 1) {
        Clear();
        waitingInGame_ = form_.GameNumber;
        status_.SetNotice(tr("ヒントはあなたの番に出します"), true);
    }
}

void THint::Start() {
    Clear();
    const TAsked asked{form_.GameNumber, form_.Engine->MoveNumber, DiscsOnTheBoard(form_),
                       form_.PersonWhite};
    asked_ = asked;
    status_.SetNotice(tr("ヒントを考えています…"), false);
    // The worker gets copies of the position and of the settings.
    TAnalysisSettings settings = WindowAdviceSettings(form_, EXACT_HINT_EMPTIES);
    job_ = std::make_unique<TBackgroundJob<TPositionValue>>(
        [settings, discs = asked.discs, white = form_.PersonWhite](const std::atomic<bool>& stop,
                                                                   const auto&) mutable {
            settings.stop = &stop;
            return ValuePosition(discs, white, settings);
        },
        TBackgroundJob<TPositionValue>::THandlers{
            [this](TPositionValue hint) { Show(hint); },
            [this](const QString& fault) {
                asked_.reset();
                status_.SetNotice(tr("ヒントを出せませんでした: ") + fault, true);
            },
            {}});
}

int THint::Square() const {
    return shown_ ? shown_->best : 0;
}

QString THint::Text(const TPositionValue& hint, bool white) {
    const TAnalysisWords& words =
        WordsOf(WindowLanguage() == TLanguage::Japanese ? TAnalysisLanguage::Japanese
                                                        : TAnalysisLanguage::English);
    const QString value = QString::fromStdString(Signed(hint.value, hint.exact));
    return tr("ヒント: %1（%2から見て %3 石、%4）")
        .arg(QString::fromStdString(SquareName(hint.best)), white ? tr("白") : tr("黒"), value,
             QString::fromUtf8(hint.exact ? words.exact : words.estimate));
}

bool THint::StillOnTheBoard(const TAsked& asked) const {
    const TDiscs now = DiscsOnTheBoard(form_);
    return form_.HumanMayMove() && form_.GameNumber == asked.gameNumber &&
           form_.PersonWhite == asked.white && form_.Engine->MoveNumber == asked.moveNumber &&
           now.black == asked.discs.black && now.white == asked.discs.white;
}

void THint::Show(const TPositionValue& hint) {
    if (!asked_ || !StillOnTheBoard(*asked_)) {
        Clear();  // the game has moved on: the answer is for another position
        return;
    }
    shown_ = hint;
    board_.SetHintSquare(hint.best);
    status_.SetNotice(Text(hint, form_.PersonWhite), true);
}

// A move, a take-back or a new game changes the position the hint was for. A hint asked for
// during the computer's turn is started when the human's turn comes in the same game.
void THint::FollowTheGame() {
    if (waitingInGame_) {
        if (form_.GameNumber != *waitingInGame_ || form_.Busy == 2)
            Clear();
        else if (form_.HumanMayMove())
            Start();
        return;
    }
    if (asked_ && !StillOnTheBoard(*asked_)) Clear();
}

void THint::Clear() {
    if (job_)
        job_->Stop();  // kept until the next hint, so that it is never destroyed from
                       // inside one of its own reports
    waitingInGame_.reset();
    asked_.reset();
    shown_.reset();
    board_.SetHintSquare(0);
    status_.SetNotice({}, false);
}
