#pragma once
// The headless desktop that the instance twin works on, for the tests to arrange and inspect.
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/instance.h"

namespace velvane::platform::testing {

struct FakeWindow {
  std::map<std::wstring, std::intptr_t> marks;
  bool visible = false;
  bool minimized = false;
  int restored = 0;
  int broughtForward = 0;
};

struct SentCopyData {
  NativeWindow window;
  std::uintptr_t tag;
  std::string bytes;
  unsigned timeoutMs;
};

struct FakeDesktop {
  std::map<NativeWindow, FakeWindow> windows;  // in Z order of their handles
  std::set<std::wstring> mutexes;               // names that exist
  std::map<std::intptr_t, std::wstring> mutexHandles;
  bool failMutexCreation = false;
  std::vector<SentCopyData> sent;
  bool copyDataTaken = true;          // false: the side bar does not answer a hand-off in time
  std::uint32_t lastError = 0;
  unsigned pausedMs = 0;              // the total of PauseMs calls: the hand-off's waits pass at once
  std::function<void()> onPause;      // runs at each pause, so a test can let the side bar appear meanwhile
};

FakeDesktop& Desktop();
void ResetDesktop();

}  // namespace velvane::platform::testing
