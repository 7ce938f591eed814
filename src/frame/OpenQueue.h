#pragma once
// Hand-overs and dropped files that arrive while a dialog runs or a document
// is being created wait here and run when that has ended, so no document is
// made inside another one's creation.

#include <deque>
#include <exception>
#include <functional>

class OpenQueue {
public:
    // Runs the job now when nothing is busy, else once the last Busy ends.
    void Post(std::function<void()> job);
    bool IsBusy() const { return depth_ > 0; }

    // Held around modal dialogs and document creation; may nest.
    class Busy {
    public:
        explicit Busy(OpenQueue& queue) : queue_(queue), unwinding_(std::uncaught_exceptions()) { ++queue_.depth_; }
        // A queued job may throw like any other handler; while unwinding,
        // the jobs wait for the next Post or Busy instead.
        ~Busy() noexcept(false) {
            --queue_.depth_;
            if (std::uncaught_exceptions() == unwinding_) {
                queue_.Drain();
            }
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        OpenQueue& queue_;
        int unwinding_;
    };

private:
    void Drain();

    std::deque<std::function<void()>> pending_;
    int depth_ = 0;
    bool draining_ = false;
};
