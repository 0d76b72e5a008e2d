// The library's one entry point, exported as IKELDAR and _IKELDAR (the GUI resolves _IKELDAR).
// One 32-bit integer in, the run status out; the argument is a handshake value that must be 4.
#include <cstdint>

#include "RunDriver.h"
#include "RunStore.h"

#if defined(_WIN32)
#include <windows.h>
#if defined(_M_IX86) || defined(__i386__)
#define KELDAR_CALL __stdcall
#else
#define KELDAR_CALL
#endif
#define KELDAR_EXPORT  // the module definition file exports both names
#else
#define KELDAR_CALL
#define KELDAR_EXPORT __attribute__((visibility("default")))
#endif

namespace {
constexpr std::int32_t kHandshake = 4;
constexpr std::int32_t kWrongHandshake = 1;
}  // namespace

extern "C" KELDAR_EXPORT std::int32_t KELDAR_CALL IKELDAR(std::int32_t handshake);

extern "C" std::int32_t KELDAR_CALL IKELDAR(std::int32_t handshake) {
    if (handshake != kHandshake) return kWrongHandshake;
    std::int32_t status = 0;
    try {
        keldar::RUNPILE(status);
    } catch (...) {
        // RUNPILE catches what a run throws; this guards the host against anything left.
        status = keldar::kStatusInternalError;
    }
    return status;
}

#if !defined(_WIN32)
// The second export name leads to the same routine.
extern "C" KELDAR_EXPORT std::int32_t _IKELDAR(std::int32_t handshake)
    __attribute__((alias("IKELDAR")));
#else
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
#endif
