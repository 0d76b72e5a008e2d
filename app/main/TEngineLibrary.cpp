#include "TEngineLibrary.h"

#include <QDir>

namespace keldar {

bool TEngineLibrary::Load(const QString& folder) {
    Release();
    // QLibrary adds the platform's prefix and suffix (libKELDAR2014_DLL.so, KELDAR2014_DLL.dll).
    library_.setFileName(QDir(folder).filePath(QLatin1String(kEngineLibraryName)));
    if (!library_.load()) return false;
    entry_ = reinterpret_cast<EntryPoint>(library_.resolve(kEngineEntryPoint));
    if (!entry_) library_.unload();
    return entry_ != nullptr;
}

std::int32_t TEngineLibrary::Run() { return entry_(kEngineHandshake); }

void TEngineLibrary::Release() {
    if (library_.isLoaded()) library_.unload();
    entry_ = nullptr;
}

}  // namespace keldar
