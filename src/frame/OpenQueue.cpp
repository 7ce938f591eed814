#include "frame/OpenQueue.h"

void OpenQueue::Post(std::function<void()> job) {
    pending_.push_back(std::move(job));
    Drain();
}

void OpenQueue::Drain() {
    // A job that posts, or opens and closes a Busy of its own, must not run
    // the queue from inside itself.
    if (depth_ > 0 || draining_) {
        return;
    }
    draining_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{draining_};
    while (!pending_.empty() && depth_ == 0) {
        std::function<void()> job = std::move(pending_.front());
        pending_.pop_front();
        job();
    }
}
