#pragma once
// Starting with Windows: a value in the user's Run key that names the running executable.
#include <string>

namespace velvane {

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValue[] = L"Velvane";

// On exactly when the value exists with some text.
bool AutostartEnabled();
// On: writes the running executable's command (RunCommandFor); off: removes the value.
void SetAutostart(bool enable);
// What the Run value holds for an executable: its folder, its name with ".exe", all in double quotation marks.
std::wstring RunCommandFor(const std::wstring& executablePath);

}  // namespace velvane
