// Everything one run changes as it goes: its run store, its output files, where its results in
// numbers go and what its run notes have seen. Each run has its own, so that runs on different
// threads never meet; the engine's routines reach it through currentRun().
#pragma once

#include "OutputFile.h"
#include "RunResults.h"
#include "RunStore.h"

namespace keldar {

struct RunContext {
    RunStore store;  // cleared by each run as it starts
    RunFiles files;
    RunResults* results = nullptr;  // filled as the run goes, when the caller asked for it
    bool anyUnconverged = false;    // a case or head load of the run notes did not converge
    bool consoleErrors = true;      // error messages also go to standard error
};

// The run of the calling thread: the one bound to it, or else the thread's own (which tests
// that call a single stage use).
RunContext& currentRun();

// Binds a run to the calling thread for the binding's lifetime (the run driver for a whole run,
// a worker thread for the cases it solves); the binding before it comes back afterwards.
class RunBinding {
  public:
    explicit RunBinding(RunContext& run);
    ~RunBinding();
    RunBinding(const RunBinding&) = delete;
    RunBinding& operator=(const RunBinding&) = delete;

  private:
    RunContext* previous_;
};

}  // namespace keldar
