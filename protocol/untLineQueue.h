#pragma once

// The lines a front end sends, read on a thread of their own and handed to the protocol in
// order. A command that takes long (a hint solving the endgame) can so see that the front end
// has moved on: Waiting() is true as soon as the next line is there, or the input has ended.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>

class TLineQueue {
public:
    // Adds a line behind the others.
    void Push(std::string line);
    // No line comes after those pushed: the input has ended.
    void Close();

    // The next line, as soon as it is there; nothing once the input has ended and every line
    // was taken.
    std::optional<std::string> Pop();
    // The same, waiting at most `limit`: nothing when no line came meanwhile.
    std::optional<std::string> PopWithin(std::chrono::milliseconds limit);

    // True while a line waits to be taken, and once the input has ended: a front end that
    // closed its end of the pipe waits for nothing more.
    const std::atomic<bool>& Waiting() const { return waiting_; }
    // The input has ended; lines pushed before may still wait to be taken.
    bool Ended();

private:
    std::optional<std::string> Take();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> lines_;
    bool closed_ = false;
    std::atomic<bool> waiting_ = false;
};

// Reads the lines of `in` onto a queue on a thread of its own, and closes the queue at the end
// of the input. The thread is let go: a protocol may end (quit) while it waits for a line.
// `in` is untied from its output stream, which the reading thread must not flush.
std::shared_ptr<TLineQueue> ReadLinesInBackground(std::istream& in);

// Answers the lines of the queue one after the other until quit or the end of the input.
template <typename Protocol>
void AnswerLines(Protocol& protocol, TLineQueue& lines, std::ostream& out) {
    while (const std::optional<std::string> line = lines.Pop())
        if (!protocol.HandleLine(*line, out)) return;
}
