#include "core/autostart.h"

#include "platform/files.h"
#include "platform/registry.h"

namespace velvane {

using platform::RegistryRoot;

bool AutostartEnabled() { return !platform::ReadRegString(RegistryRoot::CurrentUser, kRunKey, kRunValue).empty(); }

void SetAutostart(bool enable) {
  if (!enable) {
    platform::DeleteRegValue(RegistryRoot::CurrentUser, kRunKey, kRunValue);
    return;
  }
  // Creating the empty sub-key also creates the Run key itself where it is missing.
  platform::CreateRegKey(RegistryRoot::CurrentUser, std::wstring(kRunKey) + L"\\" + kRunValue);
  platform::WriteRegString(RegistryRoot::CurrentUser, kRunKey, kRunValue, platform::ExecutableFolder() + L"\\velvane.exe");
}

}  // namespace velvane
