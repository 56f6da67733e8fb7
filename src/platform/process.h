#pragma once
// Starting programs.
#include <cstdint>
#include <string>

namespace velvane::platform {

// Starts a command line asynchronously with a normal, activated window; no working folder. False on failure.
bool StartProgram(const std::wstring& commandLine);
// Opens a path with the shell's default action; the instance value (32 or below means failure).
std::intptr_t ShellOpenPath(const std::wstring& path, int showMode);

}  // namespace velvane::platform
