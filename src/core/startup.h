#pragma once
// The side bar's start: one side bar per user logon, the first-run wizard, and loading everything.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/instance.h"

namespace velvane {
struct Velvane;

inline constexpr wchar_t kInstanceMutexName[] = L"velvane_APPLICATION_MUTEX";
inline constexpr wchar_t kWindowMarkName[] = L"velvane_APPLICATION";
inline constexpr unsigned kHandOffTimeoutMs = 5000;

enum class StartupResult { Exit, Run, HandOffFailed };

// The program entry's work. Run: the side bar is loaded and the message loop must run. Exit: the process ends (a
// second start that handed over its command line, the first run that started the wizard, or a failed start, which
// has shown its message). HandOffFailed: a second start found no side bar to take its command within the hand-off
// time; the process ends with a non-zero code. The side bar is opened on the view given, and the command line and
// the commands held meanwhile run through the router. programFolder overrides the executable's folder (tests).
StartupResult Main(const std::wstring& commandLine, Velvane& app, const std::wstring& programFolder = {});

// One side bar per logon: the mutex held from the first start to the end, and the side bar a later start found.
struct SingleInstance {
  bool IsFirstInstance(const std::wstring& name);
  void FindRunningWindow();
  void ReleaseInstanceLock() { InstanceMutex.reset(); }

  platform::UniqueMutex InstanceMutex;
  platform::NativeWindow RunningWindow = 0;
};

// A side bar that is still starting has its mutex but not yet its marked window: a second start looks again every
// kHandOffPollMs until the hand-off time has passed.
inline constexpr unsigned kHandOffPollMs = 50;

bool IsMarkedWindow(platform::NativeWindow window);
void MarkWindow(platform::NativeWindow window);
void ActivateWindow(platform::NativeWindow window);
void BringToFront(platform::NativeWindow window);

// The start-up failure message.
std::wstring StartupErrorText(int number, const std::wstring& description, std::uint32_t systemError,
                              const std::wstring& source);

}  // namespace velvane
