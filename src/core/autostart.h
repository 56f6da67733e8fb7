#pragma once
// Starting with Windows: a value in the user's Run key that names the running executable. The user may switch the
// entry off in the system's list of start-up programs (Task Manager), which keeps the value and marks it in the
// StartupApproved key instead.
#include <string>

namespace velvane {

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValue[] = L"Velvane";
inline constexpr wchar_t kStartupApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// On exactly when the value exists with some text.
bool AutostartEnabled();
// What the settings show: the value is on and not switched off in the system's list of start-up programs.
bool StartsWithWindows();
// Takes back a switch-off in the system's list of start-up programs; nothing when there is none.
void ApproveAutostart();
// On: writes the running executable's command (RunCommandFor); off: removes the value.
void SetAutostart(bool enable);
// What the Run value holds for an executable: its folder, its name with ".exe", all in double quotation marks.
std::wstring RunCommandFor(const std::wstring& executablePath);

}  // namespace velvane
