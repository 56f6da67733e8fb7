#pragma once
// Starting with Windows: a value in the user's Run key that names the running executable.
#include <string>

namespace velvane {

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValue[] = L"Velvane";

bool AutostartEnabled();
// On: writes the executable's path (unquoted, also with blanks); off: removes the value.
void SetAutostart(bool enable);

}  // namespace velvane
