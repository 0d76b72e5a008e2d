// The engine library, held only during one run: loaded from the program's folder, its entry
// point resolved, called once and released, so that every run starts with fresh engine storage.
#pragma once

#include <QLibrary>
#include <cstdint>

namespace keldar {

inline constexpr char kEngineLibraryName[] = "KELDAR2014_DLL";
inline constexpr char kEngineEntryPoint[] = "_IKELDAR";
// The interface code that the entry point checks.
inline constexpr std::int32_t kEngineHandshake = 4;

class TEngineLibrary {
  public:
    TEngineLibrary() = default;
    TEngineLibrary(const TEngineLibrary&) = delete;
    TEngineLibrary& operator=(const TEngineLibrary&) = delete;
    ~TEngineLibrary() { Release(); }

    // Loads the library from folder and resolves the entry point; on any failure nothing is
    // held and the result is false.
    bool Load(const QString& folder);
    bool Held() const { return entry_ != nullptr; }
    // Runs the analysis; the engine's status (0 after a normal run).
    std::int32_t Run();
    void Release();

  private:
#if defined(_WIN32) && (defined(_M_IX86) || defined(__i386__))
    using EntryPoint = std::int32_t(__stdcall*)(std::int32_t);
#else
    using EntryPoint = std::int32_t (*)(std::int32_t);
#endif
    QLibrary library_;
    EntryPoint entry_ = nullptr;
};

}  // namespace keldar
