#include "WorkInOrder.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "RunContext.h"

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
    // No piece is taken more than `window` pieces ahead of the last one handed on, so that the
    // texts waiting to be written stay few (a calling thread held up by the system would
    // otherwise let the others run far ahead).
    Pieces(int count, int window, const std::function<void(int, int)>& solve)
        : count_(count),
          window_(window),
          solve_(solve),
          done_(static_cast<std::size_t>(count) + 1, 0) {}

    // Solves the next piece nobody has taken; false when none is left, the work has stopped,
    // or (for the calling thread, which must not wait here) the window is full.
    bool solveNext(int worker) {
        int i = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            const auto open = [&] {
                return stopped_ || next_ > count_ || next_ <= handedOn_ + window_;
            };
            if (worker != 0)
                changed_.wait(lock, open);
            else if (!open())
                return false;  // the calling thread hands the pieces on: it never waits here
            if (stopped_ || next_ > count_) return false;
            i = next_++;
        }
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
            stopped_ = true;
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

    // Piece i has been handed on: the window moves on.
    void handedOn(int i) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            handedOn_ = i;
        }
        changed_.notify_all();
    }

    void stop() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
    }

  private:
    const int count_;
    const int window_;
    const std::function<void(int, int)>& solve_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int next_ = 1;
    int handedOn_ = 0;
    bool stopped_ = false;
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

    // The threads work for the calling thread's run.
    void start(int workers) {
        RunContext& run = currentRun();
        for (int w = 1; w < workers; ++w) {
            try {
                threads_.emplace_back([this, w, &run] {
                    const RunBinding binding(run);
                    pieces_.work(w);
                });
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
    workers = std::min(workers, kMaxWorkers);
    Pieces pieces(count, 2 * workers, solve);
    Workers threads(pieces);
    threads.start(workers);
    for (int i = 1; i <= count; ++i) {
        pieces.waitFor(i);
        deliver(i);
        pieces.handedOn(i);
    }
}

}  // namespace keldar
