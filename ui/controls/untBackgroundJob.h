#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <thread>

#include "engine/untEngineError.h"

// Work that takes too long for the interface thread (an exact endgame, a whole game's
// analysis) on a thread of its own. The work gets a stop flag and a way to report its
// progress; its answer, or the fault it threw, comes back as a call on the interface thread,
// and progress reports too. A stopped job reports nothing more.
//
// The work must not touch the windows or the game: give it copies of what it needs.
// Destroying the job stops the work and waits for it to end; what it would still have
// reported is dropped with the job.
template <class TAnswer>
class TBackgroundJob {
public:
    using TProgress = std::function<void(int done, int total)>;
    using TWork = std::function<TAnswer(const std::atomic<bool>& stop, const TProgress& progress)>;

    struct THandlers {
        std::function<void(TAnswer)> done;
        std::function<void(const QString& fault)> failed;
        TProgress progress;  // may be empty
    };

    TBackgroundJob(TWork work, THandlers handlers)
        : mailbox_(std::make_unique<QObject>()), handlers_(std::move(handlers)) {
        QObject* mailbox = mailbox_.get();
        thread_ = std::thread([this, mailbox, work = std::move(work)] {
            const TProgress progress = [this, mailbox](int done, int total) {
                Post(mailbox, [this, done, total] {
                    if (handlers_.progress) handlers_.progress(done, total);
                });
            };
            try {
                auto answer = std::make_shared<TAnswer>(work(stop_, progress));
                Post(mailbox, [this, answer] { handlers_.done(std::move(*answer)); });
            } catch (const ESearchStopped&) {
                // Stopped on purpose: nothing to report.
            } catch (const std::exception& fault) {
                const QString text = QString::fromStdString(fault.what());
                Post(mailbox, [this, text] { handlers_.failed(text); });
            }
            finished_ = true;
        });
    }

    ~TBackgroundJob() {
        Stop();
        thread_.join();
    }

    TBackgroundJob(const TBackgroundJob&) = delete;
    TBackgroundJob& operator=(const TBackgroundJob&) = delete;

    // Asks the work to stop; from then on nothing of it is reported.
    void Stop() { stop_ = true; }
    // The work has ended: its answer, if it was not stopped, is on its way to the handlers.
    bool Finished() const { return finished_; }

private:
    // Runs the call on the interface thread, unless the job was stopped by then.
    template <class TCall>
    void Post(QObject* mailbox, TCall call) {
        QMetaObject::invokeMethod(
            mailbox,
            [this, call = std::move(call)] {
                if (!stop_) call();
            },
            Qt::QueuedConnection);
    }

    std::atomic<bool> stop_ = false;
    std::atomic<bool> finished_ = false;
    std::unique_ptr<QObject> mailbox_;  // lives on the interface thread; takes the calls
    THandlers handlers_;
    std::thread thread_;
};
