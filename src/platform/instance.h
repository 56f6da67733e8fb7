#pragma once
// What the single-instance hand-off needs from the system: a named mutex, a property that marks the side-bar window,
// the search for it across the desktop, and the WM_COPYDATA message. Window handles travel as numbers.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/unique_of.h"

namespace velvane::platform {

using NativeWindow = std::intptr_t;

struct MutexOutcome {
  std::intptr_t handle = 0;    // 0 when the creation failed
  bool alreadyExists = false;  // the last system error was ERROR_ALREADY_EXISTS
};
// Creates the named mutex with initial ownership requested.
MutexOutcome CreateOwnedMutex(const std::wstring& name);
void CloseMutex(std::intptr_t handle);
struct MutexTraits {
  static void Free(std::intptr_t handle) { CloseMutex(handle); }
};
using UniqueMutex = UniqueOf<std::intptr_t, MutexTraits>;
// Whether a mutex of that name exists now (some process holds a handle to it).
bool MutexExists(const std::wstring& name);
// Waits before looking again (for the running side bar, for a file another program holds); the headless twin only
// counts the time.
void PauseMs(unsigned ms);

void SetWindowMark(NativeWindow window, const std::wstring& name, std::intptr_t value);
std::intptr_t GetWindowMark(NativeWindow window, const std::wstring& name);
// Top-level windows in Z order until visit returns false.
template <typename Visit>
void ForEachTopLevelWindow(Visit visit);
void EnumerateTopLevelWindows(bool (*visit)(NativeWindow, void*), void* context);

bool IsWindowMinimized(NativeWindow window);
bool IsWindowShown(NativeWindow window);
void RestoreWindow(NativeWindow window);  // WM_SYSCOMMAND with SC_RESTORE
void SetForeground(NativeWindow window);
void BringToTop(NativeWindow window);
// Sends WM_COPYDATA with the tag as its dwData and waits at most timeoutMs for it to be taken: false when it was not
// (the window did not answer in time, or is gone). The answer itself is not looked at.
bool SendCopyData(NativeWindow window, std::uintptr_t tag, std::string_view bytes, unsigned timeoutMs);

std::uint32_t LastSystemError();

template <typename Visit>
void ForEachTopLevelWindow(Visit visit) {
  EnumerateTopLevelWindows([](NativeWindow w, void* c) { return (*static_cast<Visit*>(c))(w); }, &visit);
}

}  // namespace velvane::platform
