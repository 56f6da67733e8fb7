#pragma once
// The system DLLs Velvane loads itself, and those the system loads on its behalf, come from the system folder only:
// a DLL of the same name beside the program (a portable copy unzipped into Downloads, next to whatever the browser
// saved there) or in the current folder is never loaded.
#include <windows.h>

namespace velvane::platform::win32 {

// Leaves only the system folder in the search of every later load by name, the system's own loads included. First
// thing in each program's entry.
void LoadOnlySystemDlls();
// The DLL of that name in the system folder, loaded and kept for the life of the process; nullptr when it cannot be.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a system DLL, or nullptr.
template <typename Fn>
Fn SystemFunction(const wchar_t* dll, const char* name) {
  const HMODULE module = LoadSystemLibrary(dll);
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace velvane::platform::win32
