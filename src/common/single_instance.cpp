#include "common/single_instance.h"

namespace velvane {

bool SingleInstance::IsFirstInstance(const std::wstring& name) {
  const platform::MutexOutcome outcome = platform::CreateOwnedMutex(name);
  platform::UniqueMutex created(outcome.handle);
  // A second copy closes its handle at once; the first keeps it.
  InstanceMutex = outcome.alreadyExists ? platform::UniqueMutex() : std::move(created);
  return !outcome.alreadyExists;
}

void SingleInstance::FindRunningWindow(const std::wstring& markName) {
  platform::ForEachTopLevelWindow([&](platform::NativeWindow w) {
    if (platform::GetWindowMark(w, markName) != 1) return true;
    RunningWindow = w;
    return false;
  });
}

}  // namespace velvane
