// The headless twin of the instance hand-off: one in-process desktop of fake windows and mutex names.
#include "platform/instance.h"
#include "platform/instance_testing.h"

namespace velvane::platform {

namespace testing {

FakeDesktop& Desktop() {
  static FakeDesktop desktop;
  return desktop;
}

void ResetDesktop() { Desktop() = FakeDesktop{}; }

}  // namespace testing

namespace {

testing::FakeWindow* Find(NativeWindow w) {
  auto& windows = testing::Desktop().windows;
  const auto it = windows.find(w);
  return it == windows.end() ? nullptr : &it->second;
}

constexpr std::uint32_t kErrorAlreadyExists = 183;
constexpr std::uint32_t kErrorAccessDenied = 5;

}  // namespace

MutexOutcome CreateOwnedMutex(const std::wstring& name) {
  auto& desktop = testing::Desktop();
  if (desktop.failMutexCreation) {
    desktop.lastError = kErrorAccessDenied;
    return {0, false};
  }
  const bool exists = desktop.mutexes.count(name) > 0;
  desktop.mutexes.insert(name);
  desktop.lastError = exists ? kErrorAlreadyExists : 0;
  static std::intptr_t next = 0x100;
  desktop.mutexHandles[next] = name;
  return {next++, exists};
}

// A mutex lives until its last handle is closed.
void CloseMutex(std::intptr_t handle) {
  auto& desktop = testing::Desktop();
  const auto it = desktop.mutexHandles.find(handle);
  if (it == desktop.mutexHandles.end()) return;
  const std::wstring name = it->second;
  desktop.mutexHandles.erase(it);
  for (const auto& [h, n] : desktop.mutexHandles)
    if (n == name) return;
  desktop.mutexes.erase(name);
}

bool MutexExists(const std::wstring& name) { return testing::Desktop().mutexes.count(name) > 0; }

void PauseMs(unsigned ms) {
  auto& desktop = testing::Desktop();
  desktop.pausedMs += ms;
  if (desktop.onPause) desktop.onPause();
}

void SetWindowMark(NativeWindow window, const std::wstring& name, std::intptr_t value) {
  if (auto* w = Find(window)) w->marks[name] = value;
}

std::intptr_t GetWindowMark(NativeWindow window, const std::wstring& name) {
  auto* w = Find(window);
  if (!w) return 0;
  const auto it = w->marks.find(name);
  return it == w->marks.end() ? 0 : it->second;
}

void EnumerateTopLevelWindows(bool (*visit)(NativeWindow, void*), void* context) {
  for (const auto& [handle, window] : testing::Desktop().windows)
    if (!visit(handle, context)) break;
}

bool IsWindowMinimized(NativeWindow window) {
  auto* w = Find(window);
  return w && w->minimized;
}

bool IsWindowShown(NativeWindow window) {
  auto* w = Find(window);
  return w && w->visible;
}

void RestoreWindow(NativeWindow window) {
  if (auto* w = Find(window)) {
    ++w->restored;
    w->minimized = false;
  }
}

void SetForeground(NativeWindow window) {
  if (auto* w = Find(window)) ++w->broughtForward;
}

void BringToTop(NativeWindow) {}

bool SendCopyData(NativeWindow window, std::uintptr_t tag, std::string_view bytes, unsigned timeoutMs) {
  testing::Desktop().sent.push_back({window, tag, std::string(bytes), timeoutMs});
  return testing::Desktop().copyDataTaken;
}

std::uint32_t LastSystemError() { return testing::Desktop().lastError; }

}  // namespace velvane::platform
