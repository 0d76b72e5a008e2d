// A library named like the engine but without its entry point.
extern "C" __attribute__((visibility("default"))) int KeldarNotTheEngine(int value) {
    return value;
}
