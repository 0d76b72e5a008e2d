/* Runs one analysis through the engine library the way the GUI does: the library loaded with
 * LoadLibraryA, _IKELDAR resolved with GetProcAddress and called once with 4, names.dat in the
 * current directory. Prints the status and ends with it (125 when the library cannot be used).
 *
 *   keldar_entry_host LIBRARY.dll
 */
#include <stdio.h>
#include <windows.h>

typedef INT32(WINAPI* EntryPoint)(INT32);

enum { kHandshake = 4, kHostFailed = 125 };

#if defined(__i386__)
/* Calls entry(value) as a stdcall caller does: pushes the argument, calls, and leaves removing it
 * to the callee. Gives the bytes that the callee left on the stack: 0 for stdcall, 4 for a
 * routine that leaves its argument to the caller. */
static int bytesLeftOnStack(FARPROC entry, INT32 value, INT32* result) {
    int left;
    __asm__ volatile(
        "movl %%esp, %%esi\n\t"
        "pushl %[value]\n\t"
        "call *%[entry]\n\t"
        "movl %%esi, %%ecx\n\t"
        "subl %%esp, %%ecx\n\t"
        "movl %%esi, %%esp"
        : "=a"(*result), "=c"(left)
        : [entry] "r"(entry), [value] "r"(value)
        : "esi", "edx", "memory", "cc");
    return left;
}
#endif

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: keldar_entry_host LIBRARY.dll\n");
        return kHostFailed;
    }
    HMODULE library = LoadLibraryA(argv[1]);
    if (library == NULL) {
        fprintf(stderr, "cannot load %s (error %lu)\n", argv[1], (unsigned long)GetLastError());
        return kHostFailed;
    }
    FARPROC entry = GetProcAddress(library, "_IKELDAR");
    if (entry == NULL || GetProcAddress(library, "IKELDAR") != entry) {
        fprintf(stderr, "_IKELDAR and IKELDAR are not one exported routine\n");
        FreeLibrary(library);
        return kHostFailed;
    }
#if defined(__i386__)
    {
        /* A wrong handshake value touches no file: a safe call to watch the stack on. */
        INT32 wrong = 0;
        int left = bytesLeftOnStack(entry, 0, &wrong);
        if (left != 0 || wrong != 1) {
            fprintf(stderr, "_IKELDAR(0) returned %ld and left %d bytes on the stack\n",
                    (long)wrong, left);
            FreeLibrary(library);
            return kHostFailed;
        }
    }
#endif
    INT32 status = ((EntryPoint)(void (*)(void))entry)(kHandshake);
    FreeLibrary(library);
    printf("_IKELDAR(4) returned %ld\n", (long)status);
    return (int)status;
}
