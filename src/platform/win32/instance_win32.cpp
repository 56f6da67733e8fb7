#include <windows.h>

#include "platform/instance.h"

namespace velvane::platform {
namespace {

HWND Hwnd(NativeWindow w) { return reinterpret_cast<HWND>(w); }

struct EnumContext {
  bool (*visit)(NativeWindow, void*);
  void* context;
};

BOOL CALLBACK EnumProc(HWND hwnd, LPARAM lParam) {
  auto* ctx = reinterpret_cast<EnumContext*>(lParam);
  return ctx->visit(reinterpret_cast<NativeWindow>(hwnd), ctx->context) ? TRUE : FALSE;
}

}  // namespace

MutexOutcome CreateOwnedMutex(const std::wstring& name) {
  HANDLE h = CreateMutexW(nullptr, TRUE, name.c_str());
  const DWORD error = GetLastError();
  return {reinterpret_cast<std::intptr_t>(h), h != nullptr && error == ERROR_ALREADY_EXISTS};
}

void CloseMutex(std::intptr_t handle) {
  if (handle) CloseHandle(reinterpret_cast<HANDLE>(handle));
}

bool MutexExists(const std::wstring& name) {
  HANDLE h = OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
  if (h) {
    CloseHandle(h);
    return true;
  }
  return GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to open
}

void PauseMs(unsigned ms) { Sleep(ms); }

void SetWindowMark(NativeWindow window, const std::wstring& name, std::intptr_t value) {
  SetPropW(Hwnd(window), name.c_str(), reinterpret_cast<HANDLE>(value));
}

std::intptr_t GetWindowMark(NativeWindow window, const std::wstring& name) {
  return reinterpret_cast<std::intptr_t>(GetPropW(Hwnd(window), name.c_str()));
}

void EnumerateTopLevelWindows(bool (*visit)(NativeWindow, void*), void* context) {
  EnumContext ctx{visit, context};
  EnumWindows(EnumProc, reinterpret_cast<LPARAM>(&ctx));
}

bool IsWindowMinimized(NativeWindow window) { return IsIconic(Hwnd(window)) != 0; }
bool IsWindowShown(NativeWindow window) { return IsWindowVisible(Hwnd(window)) != 0; }
void RestoreWindow(NativeWindow window) { SendMessageW(Hwnd(window), WM_SYSCOMMAND, SC_RESTORE, 0); }
void SetForeground(NativeWindow window) { SetForegroundWindow(Hwnd(window)); }
void BringToTop(NativeWindow window) { BringWindowToTop(Hwnd(window)); }

bool SendCopyData(NativeWindow window, std::uintptr_t tag, std::string_view bytes, unsigned timeoutMs) {
  COPYDATASTRUCT data{};
  data.dwData = tag;
  data.cbData = static_cast<DWORD>(bytes.size());
  data.lpData = const_cast<char*>(bytes.data());
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(Hwnd(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, timeoutMs,
                             &result) != 0;
}

std::uint32_t LastSystemError() { return GetLastError(); }

}  // namespace velvane::platform
