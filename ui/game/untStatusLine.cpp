#include "ui/game/untStatusLine.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <bit>
#include <utility>

#include "engine/untBitBoard.h"
#include "engine/untSquareNames.h"
#include "ui/controls/untWidgets.h"
#include "ui/game/untAnnouncer.h"
#include "ui/game/untInitialize.h"

namespace {

constexpr int kStatusPixelSize = 12;
constexpr int kTurnStretch = 3, kNoticeStretch = 2;  // the turn keeps the larger share

QString HowToPlay() {
    return QCoreApplication::translate(
        "TStatusLine",
        "打つマスをクリックしてください（キーボード: 矢印キーと Enter、または f 5）");
}
QString YourOwnTurn() {
    return QCoreApplication::translate("TStatusLine", "あなたの番です");
}
QString Thinking() {
    return QCoreApplication::translate("TStatusLine", "COM 思考中…");
}

// A name that ends in a Latin letter ("COM") stands a space apart from the particle after it.
bool EndsInLatin(const QString& name) {
    return name.back().isLetter() && name.back().unicode() < 0x80;
}

// A side's move as a sentence says it: "あなたは f5", "COM は f6", "COM（黒）は f5".
QString Played(const QString& name, const QString& square) {
    return (EndsInLatin(name) ? QCoreApplication::translate("TStatusLine", "%1 は %2")
                              : QCoreApplication::translate("TStatusLine", "%1は %2"))
        .arg(name, square);
}

// A side's pass as a sentence says it: "COM はパスしました", "COM（黒）はパスしました".
QString Passed(const QString& name) {
    return (EndsInLatin(name) ? QCoreApplication::translate("TStatusLine", "%1 はパスしました")
                              : QCoreApplication::translate("TStatusLine", "%1はパスしました"))
        .arg(name);
}

QString Square(int square) {
    return QString::fromStdString(SquareName(square));
}

// The black and white discs on the board as it is shown, counted from its squares: after a
// take-back the engine's own counts are still those of the position taken back.
std::pair<int, int> DiscCounts(const TForm1& form) {
    const TBitBoard discs = BitsOf(form.Engine->Boards[0].Cells);
    return {std::popcount(discs.black), std::popcount(discs.white)};
}

// A label of the status line: a text too long for it is cut rather than widening the
// window; the turn's line loses its beginning, so that the score at its end stays in view.
template <class Label = QLabel>
QLabel* StatusLabel(QWidget* parent) {
    auto* label = new Label(parent);
    label->setFont(GothicFont(kStatusPixelSize));
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

}  // namespace

TStatusLine::TStatusLine(TForm1& form, QStatusBar& bar, TAnnouncer& announcer)
    : QObject(&bar), form_(form), announcer_(announcer) {
    turn_ = StatusLabel<TEndFirstLabel>(&bar);
    turn_->setObjectName(QStringLiteral("turn"));
    notice_ = StatusLabel(&bar);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    notice_->hide();  // the turn takes the whole line while there is no notice
    bar.addWidget(turn_, kTurnStretch);
    bar.addPermanentWidget(notice_, kNoticeStretch);
    flashEnd_ = new QTimer(this);
    flashEnd_->setSingleShot(true);
    flashEnd_->setInterval(kFlashMilliseconds);
    connect(flashEnd_, &QTimer::timeout, this, [this] { SetNotice(standingNotice_, false); });
    connect(&form_, &TForm1::Happened, this, &TStatusLine::OnHappened);
    connect(&form_, &TForm1::BoardStateChanged, this, &TStatusLine::ShowTurn);
    ShowTurn();
}

void TStatusLine::SetTextScale(qreal scale) {
    for (QLabel* label : {turn_, notice_})
        label->setFont(GothicFont(qRound(kStatusPixelSize * scale)));
}

void TStatusLine::SetNotice(const QString& text, bool speak) {
    flashEnd_->stop();
    standingNotice_ = text;
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
    if (speak && !text.isEmpty()) Say(text + tr("。"));
}

void TStatusLine::Flash(const QString& text) {
    notice_->setText(text);
    notice_->show();
    flashEnd_->start();
    Say(text + tr("。"));
}

void TStatusLine::OnHappened(THappening what, int detail) {
    switch (what) {
        case THappening::HumanMoved:
            StartRun(true);
            ownName_ = form_.SideName(form_.PersonWhite);
            ownMove_ = Square(detail);
            moves_ << ownName_ + QStringLiteral(": ") + ownMove_;
            break;
        case THappening::IllegalSquare:
            Say(tr("合法手ではありません。"));
            break;
        case THappening::ComputerMoved:
            StartRun(false);
            moves_ << ComputerName() + QStringLiteral(": ") + Square(detail);
            replies_ << Played(ComputerName(), Square(detail));
            break;
        case THappening::ComputerPassed:
            StartRun(false);
            moves_ << ComputerPass();
            replies_ << ComputerPass();
            break;
        case THappening::HumanPassed: {
            // In a game of two the side to move stays, and the other side is the one passing.
            const QString passing = form_.SideName(form_.TwoPlayers() != form_.PersonWhite);
            moves_ << tr("%1はパス").arg(passing);
            passLast_ = true;
            SayTurn(tr("%1はパスです。").arg(passing) +
                    (form_.TwoPlayers() ? YourTurn() + tr("。") : QString()));
            break;
        }
        case THappening::HumanToMove:
            SayTurn(YourTurn() + tr("。"));
            break;
        case THappening::GameOver:
            // When neither side can move, the computer's "pass" only ends the game; the line
            // then still shows the human's move that ended it.
            if (!moves_.isEmpty() && moves_.last() == ComputerPass()) {
                moves_.removeLast();
                replies_.removeAll(ComputerPass());
                if (moves_.isEmpty() && !ownMove_.isEmpty())
                    moves_ << ownName_ + QStringLiteral(": ") + ownMove_;
            }
            SayTurn(EndSentence());
            break;
        case THappening::Halted:
            halted_ = true;
            ownMove_.clear();
            replies_.clear();
            break;
        case THappening::TakenBack:
            moves_ = QStringList{tr("待ったをしました")};
            passLast_ = false;
            humanRun_ = true;
            Say(tr("待ったをしました。%1。").arg(YourTurn()));
            break;
        case THappening::NewGame:
            moves_.clear();
            ownMove_.clear();
            replies_.clear();
            halted_ = false;
            passLast_ = false;
            Say(NewGameSentence());
            break;
        case THappening::RecordCopied:
            Flash(tr("棋譜（%1 手）をコピーしました").arg(detail));
            break;
        case THappening::ResultsShown:
            Say(ResultsSentence());
            break;
    }
    ShowTurn();
}

// The moves shown are those of one side's run: a human move starts a new run, and so does
// the computer's first move or pass after it.
void TStatusLine::StartRun(bool humanRun) {
    firstGame_ = false;
    passLast_ = false;
    if (humanRun || humanRun_) moves_.clear();
    humanRun_ = humanRun;
}

void TStatusLine::ShowTurn() {
    // While the human's click is being played, the computer's last run is over.
    const bool staleRun =
        form_.Busy == 1 && !humanRun_ && !moves_.isEmpty() && !passLast_ && !halted_;
    QStringList parts;
    if (!moves_.isEmpty() && !staleRun) parts << moves_.join(tr("、"));
    parts << WhoseTurn() << Score();
    turn_->setText(parts.join(QStringLiteral(" — ")));
}

QString TStatusLine::WhoseTurn() const {
    if (halted_) return tr("ゲームを中断しました（新規ゲームで始め直せます）");
    switch (form_.Busy) {
        case 2:
            return tr("ゲーム終了");
        case 1:
            return Thinking();
        default:
            if (!moves_.isEmpty() || form_.TwoPlayers()) return YourTurn();
            if (firstGame_) return HowToPlay();
            return form_.HumanIsWhite ? tr("白（あなた）の番です") : tr("黒（あなた）の番です");
    }
}

// Whose turn it is: the person's against the computer, a colour's in a game of two.
QString TStatusLine::YourTurn() const {
    return form_.TwoPlayers() ? tr("%1の番です").arg(form_.SideName(form_.PersonWhite))
                              : YourOwnTurn();
}

QString TStatusLine::ComputerName() const {
    return form_.SideName(form_.ComputerIsWhite());
}

QString TStatusLine::ComputerPass() const {
    return Passed(ComputerName());
}

QString TStatusLine::NewGameSentence() const {
    const TKyokumen& engine = *form_.Engine;
    // The level and the thinking type as the new-game dialog names them.
    const TForm2& dialog = *form_.NewGameDialog;
    if (form_.Opponent != TOpponent::Computer) {
        const QString opponent = dialog.RadioGroup4->Item(static_cast<int>(form_.Opponent))->text();
        if (form_.TwoPlayers()) return tr("新しいゲームです。%1。%2。").arg(opponent, YourTurn());
        return tr("新しいゲームです。%1。%2").arg(opponent, WhoBegins());
    }
    QString settings = dialog.RadioGroup2->Item(engine.GameLevel - 1)->text();
    if (engine.GameLevel > 1)
        settings += tr("、") + dialog.RadioGroup1->Item(engine.ThinkType - 1)->text();
    return tr("新しいゲームです。%1。%2").arg(settings, WhoBegins());
}

// Against the computer: who moves first.
QString TStatusLine::WhoBegins() const {
    if (form_.HumanIsWhite) return tr("あなたは白です。%1の番です。").arg(ComputerName());
    return tr("あなたの番です。");
}

QString TStatusLine::Score() const {
    const auto [black, white] = DiscCounts(form_);
    return tr("黒 %1・白 %2").arg(black).arg(white);
}

QString TStatusLine::EndSentence() const {
    const auto [black, white] = DiscCounts(form_);
    QString result = tr("引き分けです。");
    if (form_.TwoPlayers() && black != white) {
        result = tr("%1の勝ちです。").arg(form_.SideName(white > black));
    } else if (black != white) {
        const bool humanWon = (black > white) != form_.HumanIsWhite;
        result = humanWon ? tr("あなたの勝ちです。") : tr("COM の勝ちです。");
    }
    return tr("ゲーム終了。黒 %1、白 %2。").arg(black).arg(white) + result;
}

// The results in the message area as one sentence: its lines joined, the spacing that
// lines the columns up taken out.
QString TStatusLine::ResultsSentence() const {
    static const QRegularExpression kSpaces(QStringLiteral("[ 　]+"));
    QStringList parts;
    for (QString line : form_.Label_Message->text().split(QStringLiteral("\r\n"))) {
        line = line.remove(QChar(u'■')).replace(kSpaces, QStringLiteral(" ")).trimmed();
        if (!line.isEmpty()) parts << line;
    }
    return parts.join(tr("、")) + tr("。クリップボードにも出力しました。");
}

// The turn's sentence: the human's move and the computer's replies not said yet, then how
// the turn ends ("あなたは c3、COM は d6。" "あなたの番です。").
void TStatusLine::SayTurn(const QString& ending) {
    QStringList moves = replies_;
    if (!ownMove_.isEmpty()) moves.prepend(Played(ownName_, ownMove_));
    Say((moves.isEmpty() ? QString() : moves.join(tr("、")) + tr("。")) + ending);
    ownMove_.clear();
    replies_.clear();
}

void TStatusLine::Say(const QString& sentence) {
    announcer_.Say(sentence);
}
