#include "ui/help/untAnalysisCommand.h"

#include <unistd.h>

#include <QDesktopServices>
#include <QDir>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QUrl>

#include "analysis/untAnalysis.h"
#include "analysis/untAnalysisPage.h"
#include "analysis/untPageCache.h"
#include "engine/untGameRecord.h"
#include "engine/untTextFile.h"
#include "ui/controls/untLanguage.h"
#include "ui/game/untAdviceSettings.h"
#include "ui/game/untMain.h"
#include "ui/help/untHint.h"

namespace {

// The progress box shows only for an analysis that takes longer than this.
constexpr int kProgressDelay = 400;  // milliseconds

}  // namespace

TAnalysisCommand::TAnalysisCommand(TForm1& form, QWidget& window) : QObject(&window), form_(form) {
    progress_ =
        new QProgressDialog(tr("この対局を解析しています…"), tr("キャンセル"), 0, 1, &window);
    progress_->setWindowTitle(tr("対局の解析"));
    progress_->setWindowModality(Qt::NonModal);  // the game goes on meanwhile
    progress_->setMinimumDuration(kProgressDelay);
    progress_->setAutoReset(false);
    progress_->setAutoClose(false);
    progress_->cancel();  // a progress box shows itself after its delay once made
    connect(progress_, &QProgressDialog::canceled, this, &TAnalysisCommand::Cancel);
    connect(&form_, &TForm1::NewGameStarted, this, &TAnalysisCommand::Cancel);
}

TAnalysisCommand::~TAnalysisCommand() = default;

QString TAnalysisCommand::CacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/tolvaney");
}

// A browser started by root either refuses to run (Chromium does) or runs with rights that
// no web page should have, and the desktop cannot say which: root is shown the page's path.
bool TAnalysisCommand::OpenInBrowser(const QString& path) {
    if (::geteuid() == 0) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TAnalysisCommand::Start() {
    if (running_) return;
    const std::optional<std::string> record = GameRecordText(form_.GameRecord);
    if (!record || record->empty()) {
        form_.Dialogs().Message(tr("解析する手がまだありません。"));
        return;
    }
    std::string error;
    std::optional<std::vector<TRecordMove>> moves =
        ReplayRecord(*record, error, form_.Engine->Placement);
    if (!moves) {
        form_.Dialogs().Message(tr("この対局の棋譜を読めませんでした。\r\n\r\n") +
                                QString::fromStdString(error));
        return;
    }
    // Valued as the hint values positions, so that both tell the same.
    TAnalysisSettings settings = WindowAdviceSettings(form_, THint::EXACT_HINT_EMPTIES);
    const TAnalysisLanguage language = WindowLanguage() == TLanguage::Japanese
                                           ? TAnalysisLanguage::Japanese
                                           : TAnalysisLanguage::English;
    running_ = true;
    progress_->setRange(0, static_cast<int>(moves->size()));
    progress_->setValue(0);
    job_ = std::make_unique<TBackgroundJob<std::string>>(
        [settings, language, moves = std::move(*moves)](const std::atomic<bool>& stop,
                                                        const auto& progress) mutable {
            settings.stop = &stop;
            const TGameAnalysis analysis = AnalyseGame(std::move(moves), settings, progress);
            return AnalysisPage(analysis, language);
        },
        TBackgroundJob<std::string>::THandlers{
            [this](std::string page) { ShowPage(page); },
            [this](const QString& fault) {
                Stopped();
                form_.Dialogs().Message(tr("対局を解析できませんでした。\r\n\r\n") + fault);
            },
            [this](int done, int) { progress_->setValue(done); }});
}

void TAnalysisCommand::Cancel() {
    if (!running_) return;
    job_->Stop();  // kept until the next analysis: it may be reporting right now
    Stopped();
}

void TAnalysisCommand::Stopped() {
    running_ = false;
    progress_->reset();
    progress_->hide();
    emit Finished();
}

void TAnalysisCommand::ShowPage(const std::string& page) {
    Stopped();
    const QString path = CacheFolder() + '/' +
                         QString::fromStdString(AnalysisPageName(std::chrono::system_clock::now()));
    try {
        QDir().mkpath(CacheFolder());
        WriteFileAtomically(path.toStdString(), page);
        RemoveOldAnalysisPages(path.toStdString());
    } catch (const std::exception& fault) {
        form_.Dialogs().Message(tr("解析のページを書けませんでした。\r\n\r\n") +
                                QString::fromStdString(fault.what()));
        return;
    }
    if (!openPage_(path))
        form_.Dialogs().Message(
            tr("ブラウザーを開けませんでした。解析のページはここにあります:\r\n\r\n") + path);
}
