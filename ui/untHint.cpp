#include "ui/untHint.h"

#include <QLabel>

#include "analysis/untAnalysisWords.h"
#include "engine/untSquareNames.h"
#include "ui/untBoardView.h"
#include "ui/untMain.h"

namespace {

TDiscs DiscsOnTheBoard(const TForm1& form) {
    return BitsOf(form.Engine->Boards[0].Cells);
}

}  // namespace

THint::THint(TForm1& form, TBoardView& board, QLabel& status)
    : QObject(&form), form_(form), board_(board), status_(status) {
    connect(&form_, &TForm1::BoardStateChanged, this, &THint::FollowTheGame);
}

THint::~THint() = default;

void THint::Ask() {
    if (!form_.HumanMayMove()) return;
    Clear();
    const TAsked asked{form_.GameNumber, form_.Engine->MoveNumber, DiscsOnTheBoard(form_)};
    asked_ = asked;
    status_.setText(QStringLiteral("ヒントを考えています…"));
    // The worker gets copies: the position, and the pattern values as they are now.
    TAnalysisSettings settings;
    settings.exactEmpties = EXACT_HINT_EMPTIES;
    settings.tables = std::make_shared<const TPatternTable>(*form_.Engine->PatternWeights);
    job_ = std::make_unique<TBackgroundJob<TPositionValue>>(
        [settings, discs = asked.discs](const std::atomic<bool>& stop, const auto&) mutable {
            settings.stop = &stop;
            return ValuePosition(discs, false, settings);
        },
        TBackgroundJob<TPositionValue>::THandlers{
            [this](TPositionValue hint) { Show(hint); },
            [this](const QString& fault) {
                asked_.reset();
                status_.setText(QStringLiteral("ヒントを出せませんでした: ") + fault);
            },
            {}});
}

int THint::Square() const {
    return shown_ ? shown_->best : 0;
}

QString THint::Text(const TPositionValue& hint) {
    const TAnalysisWords& words = WordsOf(TAnalysisLanguage::Japanese);
    const QString value = QString::fromStdString(Signed(hint.value, hint.exact));
    return QStringLiteral("ヒント: %1（黒から見て %2 石、%3）")
        .arg(QString::fromStdString(SquareName(hint.best)), value,
             QString::fromUtf8(hint.exact ? words.exact : words.estimate));
}

bool THint::StillOnTheBoard(const TAsked& asked) const {
    const TDiscs now = DiscsOnTheBoard(form_);
    return form_.HumanMayMove() && form_.GameNumber == asked.gameNumber &&
           form_.Engine->MoveNumber == asked.moveNumber && now.black == asked.discs.black &&
           now.white == asked.discs.white;
}

void THint::Show(const TPositionValue& hint) {
    if (!asked_ || !StillOnTheBoard(*asked_)) {
        Clear();  // the game has moved on: the answer is for another position
        return;
    }
    shown_ = hint;
    board_.SetHintSquare(hint.best);
    status_.setText(Text(hint));
}

// A move, a take-back or a new game changes the position the hint was for.
void THint::FollowTheGame() {
    if (asked_ && !StillOnTheBoard(*asked_)) Clear();
}

void THint::Clear() {
    if (job_)
        job_->Stop();  // kept until the next hint, so that it is never destroyed from
                       // inside one of its own reports
    asked_.reset();
    shown_.reset();
    board_.SetHintSquare(0);
    status_.clear();
}
