#include "RunStore.h"

#include <cstring>
#include <type_traits>

namespace keldar {

static_assert(std::is_trivially_copyable_v<RunStore>, "the run store must stay plain data");

static RunStore store;

RunStore& runStore() { return store; }

void clearRunStore() { std::memset(&store, 0, sizeof store); }

}  // namespace keldar
