// The clean-up after saves that a crash interrupted, the same on every platform.
#include "platform/files.h"

namespace velvane::platform {

void RemoveSaveLeftovers(const std::wstring& folder) {
  for (const DirEntry& entry : ListDirectory(folder + L"*" + kSaveTemporarySuffix))
    if (!entry.folder) RemoveFile(folder + entry.name);
}

}  // namespace velvane::platform
