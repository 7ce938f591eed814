#include "frame/OpenQueue.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

TEST(OpenQueueTest, JobsWaitUntilTheLastBusyEnds) {
    OpenQueue queue;
    std::vector<std::string> log;
    queue.Post([&] { log.push_back("now"); });
    EXPECT_EQ(log, std::vector<std::string>{"now"});
    {
        OpenQueue::Busy dialog(queue);
        queue.Post([&] { log.push_back("hand-over"); });
        {
            OpenQueue::Busy creation(queue);
            queue.Post([&] { log.push_back("drop"); });
        }
        EXPECT_EQ(log.size(), 1u);
        EXPECT_TRUE(queue.IsBusy());
    }
    EXPECT_EQ(log, (std::vector<std::string>{"now", "hand-over", "drop"}));
    EXPECT_FALSE(queue.IsBusy());
}

TEST(OpenQueueTest, AJobThatCreatesADocumentDefersWhatArrivesMeanwhile) {
    OpenQueue queue;
    std::vector<std::string> log;
    std::optional<OpenQueue::Busy> dialog;
    dialog.emplace(queue);
    queue.Post([&] {
        OpenQueue::Busy creation(queue);
        log.push_back("create a");
        // Arrives while a's password prompt is up.
        queue.Post([&] { log.push_back("create b"); });
        log.push_back("a done");
    });
    queue.Post([&] { log.push_back("create c"); });
    dialog.reset();
    EXPECT_EQ(log, (std::vector<std::string>{"create a", "a done", "create c", "create b"}));
}

TEST(OpenQueueTest, AThrowingJobLeavesTheQueueUsable) {
    OpenQueue queue;
    std::vector<std::string> log;
    EXPECT_THROW(
        {
            OpenQueue::Busy busy(queue);
            queue.Post([] { throw std::runtime_error("kaputt"); });
            queue.Post([&] { log.push_back("next"); });
        },
        std::runtime_error);
    EXPECT_FALSE(queue.IsBusy());
    queue.Post([&] { log.push_back("later"); });
    EXPECT_EQ(log, (std::vector<std::string>{"next", "later"}));
}
