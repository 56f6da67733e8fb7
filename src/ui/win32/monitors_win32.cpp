// The monitors of the desktop, as the system lists them (EnumDisplayMonitors).
#include <windows.h>

#include "ui/win32/win32_forms.h"

namespace velvane::ui {

namespace {

Rect FromRect(const RECT& r) { return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top}; }

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& monitors = *reinterpret_cast<std::vector<Monitor>*>(list);
  const Monitor m{FromRect(info.rcMonitor), FromRect(info.rcWork)};
  // The primary goes first.
  if (info.dwFlags & MONITORINFOF_PRIMARY)
    monitors.insert(monitors.begin(), m);
  else
    monitors.push_back(m);
  return TRUE;
}

}  // namespace

std::vector<Monitor> win32::SystemMonitors() {
  std::vector<Monitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) monitors.push_back(Monitor{SystemDesktop().Screen(), SystemDesktop().WorkArea()});
  return monitors;
}

}  // namespace velvane::ui
