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
  platform::WriteRegString(RegistryRoot::CurrentUser, kRunKey, kRunValue, RunCommandFor(platform::ExecutablePath()));
}

std::wstring RunCommandFor(const std::wstring& executablePath) {
  const size_t slash = executablePath.find_last_of(L'\\');
  const std::wstring folder = slash == std::wstring::npos ? std::wstring() : executablePath.substr(0, slash + 1);
  std::wstring name = executablePath.substr(folder.size());
  if (const size_t dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.resize(dot);
  // Quoted: unquoted, "C:\Program Files\..." would let Windows try "C:\Program.exe" first.
  return L"\"" + folder + name + L".exe\"";
}

}  // namespace velvane
