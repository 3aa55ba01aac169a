#include "base/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorex {
namespace {

// How often each task ran, counted by the tasks themselves (each touches only its own entry).
std::vector<int> RunCounted(WorkerPool& pool, int count) {
  std::vector<std::atomic<int>> runs(static_cast<std::size_t>(count));
  pool.Run(count, [&](int i) { runs[static_cast<std::size_t>(i)].fetch_add(1); });
  std::vector<int> seen;
  for (const std::atomic<int>& r : runs) seen.push_back(r.load());
  return seen;
}

TEST(WorkerPool, EveryTaskRunsExactlyOnce) {
  for (int threads = 1; threads <= 4; ++threads) {
    WorkerPool pool(threads);
    EXPECT_EQ(pool.Threads(), threads);
    // The same pool for every count: a round must not leak into the next one.
    for (int count : {0, 1, 2, 7, 100}) {
      EXPECT_EQ(RunCounted(pool, count), std::vector<int>(static_cast<std::size_t>(count), 1))
          << threads << " threads, " << count << " tasks";
    }
  }
}

TEST(WorkerPool, ManyShortRoundsInTurn) {
  // Rounds of one task leave the workers asleep; the next round of many must still wake them
  // and still wait for all of them.
  WorkerPool pool(3);
  long total = 0;
  for (int round = 0; round < 500; ++round) {
    const int count = round % 3 == 0 ? 1 : 5;
    std::vector<long> out(static_cast<std::size_t>(count), 0);
    pool.Run(count, [&](int i) { out[static_cast<std::size_t>(i)] = i + 1; });
    for (long v : out) total += v;
  }
  // 167 rounds of one task (1) and 333 of five (1 + ... + 5 = 15).
  EXPECT_EQ(total, 167 * 1 + 333 * 15);
}

TEST(WorkerPool, RethrowsTheLowestTasksExceptionAfterAllRan) {
  for (int threads = 1; threads <= 4; ++threads) {
    WorkerPool pool(threads);
    std::vector<std::atomic<int>> runs(20);
    try {
      pool.Run(20, [&](int i) {
        runs[static_cast<std::size_t>(i)].fetch_add(1);
        if (i == 5 || i == 3 || i == 17) throw std::runtime_error("task " + std::to_string(i));
      });
      ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
      // Of the three that threw, 3 is the lowest, whichever thread got there first.
      EXPECT_STREQ(e.what(), "task 3");
    }
    for (const std::atomic<int>& r : runs) EXPECT_EQ(r.load(), 1) << threads << " threads";
    // The pool goes on as before: every task of the next round runs once, nothing is rethrown.
    EXPECT_EQ(RunCounted(pool, 7), std::vector<int>(7, 1));
    EXPECT_NO_THROW(pool.Run(3, [](int) {}));
  }
}

TEST(WorkerPool, AnExceptionOtherThanAStandardOneComesBackAsItWas) {
  WorkerPool pool(2);
  struct Odd {
    int code;
  };
  try {
    pool.Run(4, [](int i) {
      if (i >= 2) throw Odd{i};
    });
    ADD_FAILURE() << "no exception";
  } catch (const Odd& odd) {
    EXPECT_EQ(odd.code, 2);
  }
}

}  // namespace
}  // namespace vorex
