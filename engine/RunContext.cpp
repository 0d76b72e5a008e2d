#include "RunContext.h"

#include <memory>

namespace keldar {

static thread_local RunContext* bound = nullptr;

RunContext& currentRun() {
    if (bound != nullptr) return *bound;
    // Made on first use only: most threads that run the engine bind a run of their own.
    static thread_local std::unique_ptr<RunContext> own;
    if (!own) own = std::make_unique<RunContext>();
    return *own;
}

RunBinding::RunBinding(RunContext& run) : previous_(bound) { bound = &run; }

RunBinding::~RunBinding() { bound = previous_; }

}  // namespace keldar
