#include "protocol/untLineQueue.h"

#include <thread>

void TLineQueue::Push(std::string line) {
    const std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
    waiting_ = true;
    changed_.notify_all();
}

void TLineQueue::Close() {
    const std::lock_guard lock(mutex_);
    closed_ = true;
    waiting_ = true;
    changed_.notify_all();
}

bool TLineQueue::Ended() {
    const std::lock_guard lock(mutex_);
    return closed_;
}

std::optional<std::string> TLineQueue::Pop() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !lines_.empty() || closed_; });
    return Take();
}

std::optional<std::string> TLineQueue::PopWithin(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [this] { return !lines_.empty() || closed_; });
    return Take();
}

std::optional<std::string> TLineQueue::Take() {
    if (lines_.empty()) return std::nullopt;
    std::string line = std::move(lines_.front());
    lines_.pop_front();
    waiting_ = !lines_.empty() || closed_;
    return line;
}

std::shared_ptr<TLineQueue> ReadLinesInBackground(std::istream& in) {
    in.tie(nullptr);
    auto lines = std::make_shared<TLineQueue>();
    std::thread([&in, lines] {
        std::string line;
        while (std::getline(in, line))
            lines->Push(line);
        lines->Close();
    }).detach();
    return lines;
}
