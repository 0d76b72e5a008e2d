#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <vector>

#include "ThreadCount.h"
#include "WorkInOrder.h"

namespace keldar {
namespace {

using test::settledThreadCount;
using test::threadCount;

TEST(WorkInOrder, EveryPieceSolvedOnceAndDeliveredInOrderNeverFarAhead) {
    for (int workers : {1, 2, 3, 8}) {
        for (int count : {0, 1, 5, 97}) {
            std::vector<std::atomic<int>> solved(static_cast<std::size_t>(count) + 1);
            std::vector<int> delivered;
            std::atomic<int> deliveredCount{0};
            std::atomic<bool> outOfRange{false}, farAhead{false};
            solveInOrder(
                count, workers,
                [&](int i, int worker) {
                    if (worker < 0 || worker >= workers) outOfRange = true;
                    // Texts waiting to be written stay few: no piece runs far ahead.
                    if (workers > 1 && i > deliveredCount.load() + 2 * workers) farAhead = true;
                    // Uneven pieces, so that later ones often finish first.
                    if (i % 7 == 0) std::this_thread::sleep_for(std::chrono::microseconds(300));
                    ++solved[static_cast<std::size_t>(i)];
                },
                [&](int i) {
                    EXPECT_EQ(solved[static_cast<std::size_t>(i)].load(), 1) << i;
                    delivered.push_back(i);
                    ++deliveredCount;
                });
            EXPECT_FALSE(outOfRange);
            EXPECT_FALSE(farAhead);
            ASSERT_EQ(static_cast<int>(delivered.size()), count);
            for (int i = 1; i <= count; ++i) {
                EXPECT_EQ(delivered[static_cast<std::size_t>(i - 1)], i);
                EXPECT_EQ(solved[static_cast<std::size_t>(i)].load(), 1);
            }
        }
    }
}

// A failure on any thread, or in a delivery, ends the work with that failure and no thread left.
TEST(WorkInOrder, FailureIsThrownAgainWithEveryThreadJoined) {
    const int before = threadCount();
    for (int failing : {1, 2, 30, 60}) {
        std::atomic<int> solved{0};
        EXPECT_THROW(solveInOrder(
                         60, 4,
                         [&](int i, int) {
                             if (i == failing) throw std::runtime_error("piece failed");
                             ++solved;
                         },
                         [](int) {}),
                     std::runtime_error)
            << failing;
        EXPECT_EQ(settledThreadCount(before), before);
    }
    int delivered = 0;
    EXPECT_THROW(solveInOrder(
                     60, 4, [](int, int) {},
                     [&](int i) {
                         if (i == 10) throw std::runtime_error("write failed");
                         ++delivered;
                     }),
                 std::runtime_error);
    EXPECT_EQ(delivered, 9);
    EXPECT_EQ(settledThreadCount(before), before);
}

TEST(WorkInOrder, WorkersForTheSizeOfTheRun) {
    EXPECT_EQ(workersFor(0, 9, 9 * 50), 1);  // a typical run: not worth a thread
    EXPECT_EQ(workersFor(3, 9, 9 * 50), 3);
    EXPECT_EQ(workersFor(5, 2, 2 * 500), 2);  // no more threads than pieces
    EXPECT_EQ(workersFor(64, 100, 100 * 500), kMaxWorkers);
    EXPECT_EQ(workersFor(0, 0, 0), 1);
    const int large = workersFor(0, 100, 100 * 500);
    EXPECT_GE(large, 1);
    EXPECT_LE(large, kMaxWorkers);
}

}  // namespace
}  // namespace keldar
