#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/process.h"
#include "platform/win32/handles.h"

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
  return reinterpret_cast<std::intptr_t>(ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, showMode));
}

}  // namespace velvane::platform
