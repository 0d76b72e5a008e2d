#include "WorkInOrder.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace keldar {

// Below this many increments in all, a run takes well under a millisecond: starting threads
// would cost more than it saves.
static constexpr long kThreadedWork = 20000;

int workersFor(int requested, int count, long work) {
    int workers = requested;
    if (workers <= 0)
        workers = work < kThreadedWork ? 1 : static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(std::min(workers, count), 1, kMaxWorkers);
}

namespace {

class Pieces {
  public:
    Pieces(int count, const std::function<void(int, int)>& solve)
        : count_(count), solve_(solve), done_(static_cast<std::size_t>(count) + 1, 0) {}

    // Solves the next piece nobody has taken; false when none is left or the work has stopped.
    bool solveNext(int worker) {
        if (stopped_.load()) return false;
        const int i = next_.fetch_add(1);
        if (i > count_) return false;
        solve_(i, worker);
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            done_[static_cast<std::size_t>(i)] = 1;
        }
        changed_.notify_all();
        return true;
    }

    // A worker thread: pieces until none is left; its exception stops the others.
    void work(int worker) {
        try {
            while (solveNext(worker)) {
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (!error_) error_ = std::current_exception();
            stopped_.store(true);
            changed_.notify_all();
        }
    }

    // The calling thread: helps with the pieces not yet taken while piece i is still under way.
    void waitFor(int i) {
        for (;;) {
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                if (error_) std::rethrow_exception(error_);
                if (done_[static_cast<std::size_t>(i)] != 0) return;
            }
            if (solveNext(0)) continue;
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return error_ || done_[static_cast<std::size_t>(i)] != 0; });
        }
    }

    void stop() { stopped_.store(true); }

  private:
    const int count_;
    const std::function<void(int, int)>& solve_;
    std::atomic<int> next_{1};
    std::atomic<bool> stopped_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<char> done_;  // by piece, 1..count
    std::exception_ptr error_;
};

// Joins every worker thread when the work ends, however it ends.
class Workers {
  public:
    explicit Workers(Pieces& pieces) : pieces_(pieces) {}
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;
    ~Workers() {
        pieces_.stop();
        for (std::thread& t : threads_) t.join();
    }

    void start(int workers) {
        for (int w = 1; w < workers; ++w) {
            try {
                threads_.emplace_back([this, w] { pieces_.work(w); });
            } catch (const std::system_error&) {
                return;  // the threads already started and the calling thread do the work
            }
        }
    }

  private:
    Pieces& pieces_;
    std::vector<std::thread> threads_;
};

}  // namespace

void solveInOrder(int count, int workers, const std::function<void(int, int)>& solve,
                  const std::function<void(int)>& deliver) {
    if (workers <= 1) {
        for (int i = 1; i <= count; ++i) {
            solve(i, 0);
            deliver(i);
        }
        return;
    }
    Pieces pieces(count, solve);
    Workers threads(pieces);
    threads.start(std::min(workers, kMaxWorkers));
    for (int i = 1; i <= count; ++i) {
        pieces.waitFor(i);
        deliver(i);
    }
}

}  // namespace keldar
