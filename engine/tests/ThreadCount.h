// The number of threads of this process, as the system lists them: a run must leave none behind.
#pragma once

#if defined(_WIN32)
#include <windows.h>
// tlhelp32.h needs the types of windows.h first.
#include <tlhelp32.h>
#else
#include <filesystem>
#endif

#include <chrono>
#include <thread>

namespace keldar::test {

inline int threadCount() {
    int n = 0;
#if defined(_WIN32)
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    const DWORD self = GetCurrentProcessId();
    if (Thread32First(snapshot, &entry)) {
        do {
            if (entry.th32OwnerProcessID == self) ++n;
        } while (Thread32Next(snapshot, &entry));
    }
    CloseHandle(snapshot);
#else
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
#endif
    return n;
}

// The thread count once it has come down to `expected`, or as it stands after two seconds. A
// joined thread can stay listed for a moment while the system reaps it, longer on a busy machine,
// so a count taken at once may see it; one that never goes away is a thread left behind.
inline int settledThreadCount(int expected) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int n = threadCount();
    while (n != expected && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        n = threadCount();
    }
    return n;
}

}  // namespace keldar::test
