// Independent pieces of work (the tip-movement cases, the head-load searches) solved on several
// threads and handed on in their order, so that the files read as from one thread.
#pragma once

#include <functional>

namespace keldar {

// More threads than this gain nothing on the sizes the engine allows.
inline constexpr int kMaxWorkers = 8;

// Threads for `count` pieces that solve about `work` pile increments in all: `requested` when
// above 0 (at most kMaxWorkers and count), otherwise one for a small run and as many as the
// processor runs at once for a large one.
int workersFor(int requested, int count, long work);

// Calls solve(i, worker) for i = 1..count on `workers` threads (the calling thread is worker 0;
// the others are 1..workers-1, bound to the calling thread's run) and deliver(i) on the calling
// thread for i = 1..count in order, each as soon as solve(i) has returned. Every thread started is
// joined before it returns, also when solve or deliver throws; the first exception is then thrown
// again. When a thread cannot be started, the work goes on with those that could.
void solveInOrder(int count, int workers, const std::function<void(int, int)>& solve,
                  const std::function<void(int)>& deliver);

}  // namespace keldar
