#include "core/autostart.h"

#include "platform/files.h"
#include "platform/registry.h"

namespace velvane {

using platform::RegistryRoot;

bool AutostartEnabled() { return !platform::ReadRegString(RegistryRoot::CurrentUser, kRunKey, kRunValue).empty(); }

namespace {

// The system marks a switched-off entry with an odd first byte (3, followed by the time of switching off); 2 or 6
// mean on, and so does a missing value.
bool SwitchedOff() {
  const auto approved = platform::RawQueryValue(platform::kRegCurrentUser, kStartupApprovedKey, kRunValue);
  return approved && !approved->bytes.empty() && (approved->bytes[0] & 1) != 0;
}

}  // namespace

bool StartsWithWindows() { return AutostartEnabled() && !SwitchedOff(); }

void ApproveAutostart() {
  // What the system writes when the user switches an entry on: 2, then eleven zero bytes (no time of switching off).
  constexpr std::uint32_t kRegBinary = 3;
  const platform::RegData switchedOn{kRegBinary, std::string("\x02") + std::string(11, '\0')};
  if (SwitchedOff()) platform::RawSetValue(platform::kRegCurrentUser, kStartupApprovedKey, kRunValue, switchedOn);
}

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
