#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/process.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"

namespace velvane::platform {

bool StartProgram(const std::wstring& commandLine) {
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  UniqueHandle process(pi.hProcess), thread(pi.hThread);
  return true;
}

std::intptr_t ShellOpenPath(const std::wstring& path, int showMode) {
  // shell32 from the system folder, looked up on first use (platform/win32/system_library.h).
  using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, INT);
  static const auto shellExecute = win32::SystemFunction<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW");
  if (!shellExecute) return SE_ERR_DLLNOTFOUND;
  return reinterpret_cast<std::intptr_t>(shellExecute(nullptr, nullptr, path.c_str(), nullptr, nullptr, showMode));
}

}  // namespace velvane::platform
