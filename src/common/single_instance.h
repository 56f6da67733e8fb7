#pragma once
// One running copy of a program per user logon, the side bar's and the wizard's alike: a named mutex held from the
// first start to the end, and for the side bar the marked window that a later start finds to hand its command to.
#include <string>

#include "platform/instance.h"

namespace velvane {

struct SingleInstance {
  // Creates the named mutex and keeps it, unless it existed already (another copy runs); a failed creation counts
  // as the first copy: better two than none.
  bool IsFirstInstance(const std::wstring& name);
  // The first top-level window carrying the mark, into RunningWindow (left as it was when none does).
  void FindRunningWindow(const std::wstring& markName);
  void ReleaseInstanceLock() { InstanceMutex.reset(); }

  platform::UniqueMutex InstanceMutex;
  platform::NativeWindow RunningWindow = 0;
};

}  // namespace velvane
