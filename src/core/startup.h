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

enum class StartupResult { Exit, Run, Failed, HandOffFailed };

// The program entry's work. Run: the side bar is loaded and the message loop must run. Exit: the process ends (a
// second start that handed over its command line, the first run that started the wizard). Failed: the start failed
// and has said why (settings that cannot be read, a start-up error). HandOffFailed: a second start's command was not
// taken, by no side bar within the hand-off time or by one that did not answer in it. The process ends with a
// non-zero code for the last two. The side bar is opened on the view given, and the command line and the commands held
// meanwhile run through the router. programFolder overrides the executable's folder (tests).
StartupResult Main(const std::wstring& commandLine, Velvane& app, const std::wstring& programFolder = {});

// A side bar that is still starting has its mutex but not yet its marked window: a second start looks again every
// kHandOffPollMs until the hand-off time has passed.
inline constexpr unsigned kHandOffPollMs = 50;

void MarkWindow(platform::NativeWindow window);
void ActivateWindow(platform::NativeWindow window);
void BringToFront(platform::NativeWindow window);

// The start-up failure message.
std::wstring StartupErrorText(int number, const std::wstring& description, std::uint32_t systemError,
                              const std::wstring& source);

}  // namespace velvane
