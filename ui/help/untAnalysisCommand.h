#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "ui/controls/untBackgroundJob.h"

class QProgressDialog;
class QWidget;
class TForm1;

// ゲーム → この対局を解析…: the moves of the current or last game, with its placement and
// the passes inferred, analysed off the interface thread behind a progress box that can
// cancel it. The page is written into the player's cache folder and opened in the default
// browser; where none opens, or the game runs as root, a box gives the page's path. A new game or
// the window closing cancels an analysis that is still running.
class TAnalysisCommand : public QObject {
    Q_OBJECT
public:
    // Opens a page in the desktop's browser; false when it cannot.
    using TOpenPage = std::function<bool(const QString& path)>;

    TAnalysisCommand(TForm1& form, QWidget& window);
    ~TAnalysisCommand() override;

    // How pages are opened: the desktop's browser unless set otherwise.
    void SetOpenPage(TOpenPage openPage) { openPage_ = std::move(openPage); }

    void Start();
    void Cancel();
    bool Running() const { return running_; }
    // The work of the last analysis is still running, also after it was cancelled.
    bool Working() const { return job_ && !job_->Finished(); }
    QProgressDialog* Progress() const { return progress_; }

    // The folder the pages are written to: ~/.cache/tolvaney (XDG_CACHE_HOME respected); it
    // keeps the newest KEPT_ANALYSIS_PAGES of them.
    static QString CacheFolder();
    // Opens the page in the desktop's browser; false where there is none, and for root.
    static bool OpenInBrowser(const QString& path);

signals:
    void Finished();

private:
    void ShowPage(const std::string& page);
    void Stopped();

    TForm1& form_;
    TOpenPage openPage_ = OpenInBrowser;
    QProgressDialog* progress_;
    bool running_ = false;
    std::unique_ptr<TBackgroundJob<std::string>> job_;
};
