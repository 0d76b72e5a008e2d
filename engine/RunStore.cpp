#include "RunStore.h"

#include <cstring>
#include <type_traits>

#include "RunContext.h"

namespace keldar {

static_assert(std::is_trivially_copyable_v<RunStore>, "the run store must stay plain data");

RunStore& runStore() { return currentRun().store; }

void clearRunStore() { std::memset(&runStore(), 0, sizeof(RunStore)); }

}  // namespace keldar
