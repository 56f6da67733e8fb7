#pragma once
// Owners of kernel and registry handles, on the one owner type of platform/unique_of.h.
#include <windows.h>

#include "platform/unique_of.h"

namespace velvane::platform {

struct KernelHandleTraits {
  static void Free(HANDLE h) { CloseHandle(h); }
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }  // what CreateFile answers on failure
};
struct FindHandleTraits {
  static void Free(HANDLE h) { FindClose(h); }
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
};
struct RegKeyTraits {
  static void Free(HKEY h) { RegCloseKey(h); }
};
struct GlobalMemoryTraits {
  static void Free(HGLOBAL h) { GlobalFree(h); }
};

using UniqueHandle = UniqueOf<HANDLE, KernelHandleTraits>;
// A search of FindFirstFile, ended with FindClose.
using FindHandle = UniqueOf<HANDLE, FindHandleTraits>;
using UniqueRegKey = UniqueOf<HKEY, RegKeyTraits>;
// Global memory of GlobalAlloc; release() it once the clipboard has taken it.
using UniqueGlobal = UniqueOf<HGLOBAL, GlobalMemoryTraits>;

}  // namespace velvane::platform
