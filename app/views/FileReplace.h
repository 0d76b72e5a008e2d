// Writing a file without losing the one it replaces: the new file is written to a temporary
// name in the target's folder and renamed over the target only once it is complete.
#pragma once

#include <QString>
#include <functional>

namespace keldar {

// Calls write with the temporary path; when write returns, the temporary file takes the
// target's place. Raises EExportError with the user's message when the folder takes no new
// file or the target cannot be replaced; what write raises passes through. In every failure the
// temporary file is removed and an earlier target is left as it was.
void WriteThenReplace(const QString& target, const std::function<void(const QString&)>& write);

}  // namespace keldar
